// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlHarness.h"

#include "gui/CButtonState.h"
#include "gui/CVerticalSwitch.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

const CRect kFiveWayRect(29, 59, 104, 134);

CVerticalSwitch* fiveWay(ControlBench& bench)
{
    return bench.add(new CVerticalSwitch(kFiveWayRect, &bench.listener, 5, 5, 75, 5, nullptr));
}

} // namespace

TEST(VerticalSwitch, AClickSelectsTheBandUnderThePointer)
{
    struct Case
    {
        long below; // pixels below the top edge
        float value;
    };
    const Case cases[] = {
        {0, 0.0f},   {14, 0.0f}, {15, 0.25f}, {29, 0.25f}, {30, 0.5f},
        {59, 0.75f}, {60, 1.0f}, {74, 1.0f},  {90, 1.0f}, // below the control
        {-10, 0.0f}, // less than a band above: truncation toward zero
        {-20, 0.0f}, // further above: clamped
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.below);
        ControlBench bench;
        CVerticalSwitch* control = fiveWay(bench);
        control->setValue(0.5f);
        bench.drag(control, CPoint(60, kFiveWayRect.top + c.below), kLeftButton);
        EXPECT_FLOAT_EQ(control->getValue(), c.value);
        EXPECT_EQ(bench.beginEdits(), 1);
        EXPECT_EQ(bench.endEdits(), 1);
    }
}

TEST(VerticalSwitch, TheHorizontalPositionDoesNotMatter)
{
    ControlBench bench;
    CVerticalSwitch* control = fiveWay(bench);
    bench.drag(control, CPoint(kFiveWayRect.right + 50, kFiveWayRect.top + 40), kLeftButton);
    EXPECT_FLOAT_EQ(control->getValue(), 0.5f);
}

TEST(VerticalSwitch, ADragReportsEachNewPositionOnce)
{
    ControlBench bench;
    CVerticalSwitch* control = fiveWay(bench);
    control->setDirty(false);
    // The pointer rests on each band a while: the control stays dirty until a repaint.
    bench.drag(control, CPoint(60, 60), kLeftButton,
               {{CPoint(60, 62), kLeftButton},
                {CPoint(60, 80), kLeftButton},
                {CPoint(60, 80), kLeftButton},
                {CPoint(60, 82), kLeftButton},
                {CPoint(60, 300), kLeftButton},
                {CPoint(60, 300), kLeftButton}});
    EXPECT_EQ(bench.listener.values, (std::vector<float>{0.25f, 1.0f}));
}

TEST(VerticalSwitch, PressingShiftEndsTheDragAtOnce)
{
    ControlBench bench;
    CVerticalSwitch* control = fiveWay(bench);
    bench.drag(control, CPoint(60, 60), kLeftButton,
               {{CPoint(60, 130), kLeftButton | kShiftKey}, {CPoint(60, 130), kLeftButton}});
    EXPECT_FLOAT_EQ(control->getValue(), 0.0f);
    EXPECT_EQ(bench.endEdits(), 1);
}

TEST(VerticalSwitch, ATwoWaySwitchOnlyProducesZeroAndOne)
{
    for (long below = -30; below < 80; below += 7)
    {
        ControlBench bench;
        auto* toggle = bench.add(
            new CVerticalSwitch(CRect(470, 125, 514, 169), &bench.listener, 8, 2, 44, 2, nullptr));
        bench.drag(toggle, CPoint(490, 125 + below), kLeftButton);
        float v = toggle->getValue();
        EXPECT_TRUE(v == 0.0f || v == 1.0f) << below;
        EXPECT_EQ(v, below >= 22 ? 1.0f : 0.0f) << below;
    }
}

TEST(VerticalSwitch, TheDrawnPositionIsTheNearestOneWithinTheStrip)
{
    ControlBench bench;
    CVerticalSwitch* control = fiveWay(bench);
    struct Case
    {
        float value;
        long position;
    };
    const Case cases[] = {
        {0.0f, 0}, {0.3f, 1},  {0.4f, 2}, {0.75f, 3}, {1.0f, 4},
        {1.5f, 4}, {-1.0f, 0}, {NAN, 0},  {1e30f, 4},
    };
    for (const Case& c : cases)
    {
        control->setValue(c.value);
        EXPECT_EQ(control->shownPosition(), c.position) << c.value;
    }
}

TEST(VerticalSwitch, StartsAtZeroWithZeroAsItsDefault)
{
    ControlBench bench;
    CVerticalSwitch* control = fiveWay(bench);
    EXPECT_EQ(control->getValue(), 0.0f);
    EXPECT_EQ(control->getDefaultValue(), 0.0f);
    EXPECT_TRUE(control->isTypeOf("CVerticalSwitch"));
    EXPECT_TRUE(control->isTypeOf("CControl"));
    EXPECT_FALSE(control->isTypeOf("CKnob"));
}
