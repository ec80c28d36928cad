// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlHarness.h"

#include "gui/CAnimKnob.h"
#include "gui/CButtonState.h"
#include "gui/COffscreenContext.h"
#include "gui/VirtualKeys.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

const CRect kKnobRect(100, 50, 145, 95); // 45 pixels: radius 22.5

CKnob* newKnob(ControlBench& bench, float value)
{
    CKnob* knob = bench.add(new CKnob(kKnobRect, &bench.listener, 0, nullptr, nullptr));
    knob->setValue(value);
    knob->setDirty(false);
    return knob;
}

// A point at `degrees` (mathematical sense) on a circle of radius 20 around the knob's
// centre, in frame coordinates.
CPoint onCircle(double degrees)
{
    double a = degrees * M_PI / 180.0;
    return CPoint(long(std::lround(122.5 + 20 * std::cos(a))),
                  long(std::lround(72.5 - 20 * std::sin(a))));
}

// Knob-local form of onCircle.
CPoint localOnCircle(double degrees)
{
    CPoint p = onCircle(degrees);
    return p.offset(-kKnobRect.left, -kKnobRect.top);
}

// The values a listener heard, each run of repeats told once. A knob reads as dirty (and
// so reports) until it is redrawn, which these headless drags never do.
std::vector<float> changes(const std::vector<float>& heard)
{
    std::vector<float> result;
    for (float v : heard)
        if (result.empty() || result.back() != v) result.push_back(v);
    return result;
}

class Knob : public testing::Test
{
  protected:
    void SetUp() override { AEffGUIEditor::knobMode = 2; }
    void TearDown() override { AEffGUIEditor::knobMode = 0; }
    ControlBench bench;
};

} // namespace

TEST_F(Knob, ValueMapsOntoTheArcFromLowerLeftOverTheTopToLowerRight)
{
    struct Case
    {
        float value;
        CPoint point;
    };
    // Inset 3 on a radius of 22.5: the handle lies on a circle of 19.5.
    const Case cases[] = {
        {0.0f, CPoint(9, 36)},  // 225 degrees
        {0.5f, CPoint(22, 3)},  // straight up (single precision lands just left of 22.5)
        {1.0f, CPoint(36, 36)}, // -45 degrees
    };
    CKnob* knob = newKnob(bench, 0.0f);
    for (const Case& c : cases)
    {
        knob->setValue(c.value);
        CPoint p;
        knob->valueToPoint(p);
        EXPECT_EQ(p, c.point) << c.value;
    }
}

TEST_F(Knob, PointsMapBackToValuesAndTheDeadGapSplitsBetweenMinAndMax)
{
    struct Case
    {
        double degrees;
        float value;
    };
    const Case cases[] = {
        {90, 0.5f},       {225, 0.0f},        {-45, 1.0f},
        {0, 5.0f / 6.0f}, {180, 1.0f / 6.0f}, {250, 0.0f}, // in the gap, next to min
        {290, 1.0f},                                       // in the gap, next to max
    };
    CKnob* knob = newKnob(bench, 0.0f);
    for (const Case& c : cases)
    {
        CPoint p = localOnCircle(c.degrees);
        EXPECT_NEAR(knob->valueFromPoint(p), c.value, 0.02) << c.degrees;
    }
}

TEST_F(Knob, ALinearDragFollowsTheTotalDisplacementAndClamps)
{
    CKnob* knob = newKnob(bench, 0.2f);
    bench.drag(knob, CPoint(120, 200), kLeftButton,
               {{CPoint(120, 100), kLeftButton},  // 100 up: 0.7
                {CPoint(120, 0), kLeftButton},    // 200 up: 1.2, clamped
                {CPoint(120, 20), kLeftButton}}); // 180 up: 1.1, still clamped
    std::vector<float> heard = changes(bench.listener.values);
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_NEAR(heard[0], 0.2f, 1e-6); // taking the focus marks the knob dirty
    EXPECT_NEAR(heard[1], 0.7f, 1e-6);
    EXPECT_EQ(heard[2], 1.0f);
    EXPECT_EQ(knob->getValue(), 1.0f);
    EXPECT_EQ(bench.beginEdits(), 1);
    EXPECT_EQ(bench.endEdits(), 1);
}

TEST_F(Knob, MovingRightRaisesTheValueLikeMovingUp)
{
    CKnob* knob = newKnob(bench, 0.2f);
    bench.drag(knob, CPoint(120, 70), kLeftButton, {{CPoint(160, 70), kLeftButton}});
    EXPECT_NEAR(knob->getValue(), 0.4f, 1e-6);
}

TEST_F(Knob, ShiftFromTheStartSlowsTheDragByTheZoomFactor)
{
    const long shifted = kLeftButton | kShiftKey;
    CKnob* knob = newKnob(bench, 0.2f);
    bench.drag(knob, CPoint(120, 200), shifted, {{CPoint(120, 100), shifted}});
    EXPECT_NEAR(knob->getValue(), 0.2f + 1.0f / 3.0f, 1e-6);
}

TEST_F(Knob, PressingShiftMidDragChangesTheSpeedWithoutAJump)
{
    const long shifted = kLeftButton | kShiftKey;
    CKnob* knob = newKnob(bench, 0.2f);
    bench.drag(knob, CPoint(120, 200), kLeftButton,
               {{CPoint(120, 100), kLeftButton}, // 100 up: 0.7
                {CPoint(120, 100), shifted},     // shift alone moves nothing
                {CPoint(120, 99), shifted},      // re-based here; this pixel at the old speed
                {CPoint(120, 69), shifted}});    // 30 more pixels at 1/300 each
    std::vector<float> heard = changes(bench.listener.values);
    ASSERT_EQ(heard.size(), 4u);
    EXPECT_NEAR(heard[1], 0.7f, 1e-6);
    EXPECT_NEAR(heard[2], 0.705f, 1e-5);
    EXPECT_NEAR(knob->getValue(), 0.805f, 1e-5);
}

TEST_F(Knob, KnobModeAndAltChooseBetweenLinearAndCircularDrags)
{
    struct Case
    {
        long mode;
        long buttons;
        bool circular;
    };
    const Case cases[] = {
        {2, kLeftButton, false}, {2, kLeftButton | kAltKey, true},
        {0, kLeftButton, true},  {0, kLeftButton | kAltKey, false},
        {1, kLeftButton, true},  {1, kLeftButton | kAltKey, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " buttons " << c.buttons);
        ControlBench local;
        AEffGUIEditor::knobMode = c.mode;
        CKnob* knob = newKnob(local, 0.2f);
        // Held still on the top of the knob: a circular drag jumps there, a linear one stays.
        local.drag(knob, onCircle(90), c.buttons, {{onCircle(90), c.buttons}});
        EXPECT_NEAR(knob->getValue(), c.circular ? 0.5f : 0.2f, 0.02);
    }
}

TEST_F(Knob, ACircularDragDoesNotWrapAcrossTheDeadGap)
{
    AEffGUIEditor::knobMode = 0;
    CKnob* knob = newKnob(bench, 0.9f);
    bench.drag(knob, onCircle(-30), kLeftButton,
               {{onCircle(-44), kLeftButton},
                {onCircle(-80), kLeftButton},   // in the gap, next to max
                {onCircle(200), kLeftButton}}); // across, next to min
    EXPECT_EQ(knob->getValue(), 1.0f);
}

TEST_F(Knob, AWheelNotchStepsByTheWheelIncrement)
{
    struct Case
    {
        float start;
        float distance;
        long held;
        float expected;
    };
    const Case cases[] = {
        {0.5f, 1, 0, 0.6f},  {0.5f, -1, 0, 0.4f},  {0.5f, 1, kShiftKey, 0.51f},
        {0.95f, 1, 0, 1.0f}, {0.05f, -1, 0, 0.0f}, {0.5f, 2, 0, 0.7f},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.start << " " << c.distance << " " << c.held);
        ControlBench local;
        CKnob* knob = newKnob(local, c.start);
        ScriptedPointer pointer(c.held, {});
        EXPECT_TRUE(knob->onWheel(local.context(), CPoint(120, 70), c.distance));
        EXPECT_NEAR(knob->getValue(), c.expected, 1e-6);
        EXPECT_EQ(local.beginEdits(), 1);
        EXPECT_EQ(local.endEdits(), 1);
    }
}

TEST_F(Knob, ADisabledKnobTakesNoWheel)
{
    CKnob* knob = newKnob(bench, 0.5f);
    knob->setMouseEnabled(false);
    EXPECT_FALSE(knob->onWheel(bench.context(), CPoint(120, 70), 1));
    EXPECT_EQ(knob->getValue(), 0.5f);
}

TEST_F(Knob, ArrowKeysStepByTheWheelIncrement)
{
    struct Case
    {
        unsigned char virt;
        unsigned char modifier;
        long answer;
        float expected;
    };
    const Case cases[] = {
        {kVirtKeyUp, 0, 1, 0.6f},
        {kVirtKeyRight, 0, 1, 0.6f},
        {kVirtKeyDown, 0, 1, 0.4f},
        {kVirtKeyLeft, 0, 1, 0.4f},
        {kVirtKeyUp, kModifierShift, 1, 0.51f},
        {kVirtKeyLeft, kModifierShift, 1, 0.49f},
        {kVirtKeySpace, 0, -1, 0.5f},
        {kVirtKeyPageUp, 0, -1, 0.5f},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(int(c.virt));
        ControlBench local;
        CKnob* knob = newKnob(local, 0.5f);
        VstKeyCode key{0, c.virt, c.modifier};
        EXPECT_EQ(knob->onKeyDown(key), c.answer);
        EXPECT_NEAR(knob->getValue(), c.expected, 1e-6);
    }
}

TEST_F(Knob, ArrowKeysClampToTheRange)
{
    CKnob* knob = newKnob(bench, 0.97f);
    VstKeyCode up{0, kVirtKeyUp, 0};
    knob->onKeyDown(up);
    EXPECT_EQ(knob->getValue(), 1.0f);
}

TEST(AnimKnob, TheFrameShownIsTheValueTimesTheLastFrameIndex)
{
    ControlBench bench;
    CAnimKnob* knob = bench.add(new CAnimKnob(CRect(0, 0, 45, 45), nullptr, 0, 361, 45, nullptr));
    struct Case
    {
        float value;
        long frame;
    };
    const Case cases[] = {
        {0.0f, 0},
        {0.5f, 180},
        {1.0f, 360},
        {0.0027f, 0},
        {0.25f, 90},
        // Outside 0..1 the frame stays inside the strip.
        {1.7f, 360},
        {-0.3f, 0},
        {NAN, 0},
        {1e30f, 360},
    };
    for (const Case& c : cases)
    {
        knob->setValue(c.value);
        EXPECT_EQ(knob->frameOffset(), c.frame * 45) << c.value;
    }
}

TEST(AnimKnob, TheInverseStripIsReadFromTheOtherEnd)
{
    ControlBench bench;
    CAnimKnob* knob = bench.add(new CAnimKnob(CRect(0, 0, 45, 45), nullptr, 0, 181, 45, nullptr));
    knob->setInverseBitmap(true);
    knob->setValue(0.0f);
    EXPECT_EQ(knob->frameOffset(), 180 * 45);
    knob->setValue(1.0f);
    EXPECT_EQ(knob->frameOffset(), 0);
}

TEST(AnimKnob, AChangeTooSmallToMoveTheHandleIsNotDirty)
{
    ControlBench bench;
    CAnimKnob* knob = bench.add(new CAnimKnob(CRect(0, 0, 45, 45), nullptr, 0, 361, 45, nullptr));
    knob->setValue(0.45f);
    COffscreenContext offscreen(bench.frame, 45, 45);
    knob->draw(&offscreen);
    EXPECT_FALSE(knob->isDirty());
    knob->setValue(0.451f);
    EXPECT_FALSE(knob->isDirty());
    knob->setValue(0.6f);
    EXPECT_TRUE(knob->isDirty());
}

TEST(AnimKnob, ItsHandleLiesOnTheRim)
{
    ControlBench bench;
    CAnimKnob* knob = bench.add(new CAnimKnob(CRect(0, 0, 45, 45), nullptr, 0, 361, 45, nullptr));
    knob->setValue(0.5f);
    CPoint p;
    knob->valueToPoint(p);
    EXPECT_EQ(p, CPoint(22, 0));
    EXPECT_TRUE(knob->isTypeOf("CAnimKnob"));
    EXPECT_TRUE(knob->isTypeOf("CKnob"));
    EXPECT_TRUE(knob->isTypeOf("CControl"));
    EXPECT_TRUE(knob->isTypeOf("CView"));
    EXPECT_FALSE(knob->isTypeOf("CParamDisplay"));
}
