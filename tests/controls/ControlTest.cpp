// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlHarness.h"

#include "gui/CButtonState.h"
#include "gui/CKnob.h"
#include "gui/CVerticalSwitch.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

constexpr long kLeftControl = kLeftButton | kControlKey;

CKnob* newKnob(ControlBench& bench, float value)
{
    CKnob* knob =
        bench.add(new CKnob(CRect(100, 50, 145, 95), &bench.listener, 3, nullptr, nullptr));
    knob->setValue(value);
    return knob;
}

} // namespace

TEST(Control, ANewControlReadsAsDirtyUntilDrawn)
{
    ControlBench bench;
    CKnob* knob = newKnob(bench, 0.0f);
    EXPECT_TRUE(knob->isDirty());
    knob->setDirty(false);
    EXPECT_FALSE(knob->isDirty());
}

TEST(Control, MarkingDirtyAtMinusOneStillReadsAsDirty)
{
    ControlBench bench;
    CKnob* knob = newKnob(bench, -1.0f);
    knob->setDirty(false);
    knob->setDirty(true);
    EXPECT_EQ(knob->getOldValue(), 0.0f);
    knob->CView::setDirty(false);
    EXPECT_TRUE(knob->isDirty());
}

TEST(Control, BounceValueClampsIntoRangeAndLeavesNaN)
{
    ControlBench bench;
    CKnob* knob = newKnob(bench, 0.0f);
    const float cases[][2] = {{1.5f, 1.0f}, {-0.5f, 0.0f}, {0.25f, 0.25f}};
    for (const auto& c : cases)
    {
        knob->setValue(c[0]);
        knob->bounceValue();
        EXPECT_EQ(knob->getValue(), c[1]);
    }
    knob->setValue(NAN);
    knob->bounceValue();
    EXPECT_TRUE(std::isnan(knob->getValue()));
}

TEST(Control, SetValueOnlyStores)
{
    ControlBench bench;
    CKnob* knob = newKnob(bench, 0.0f);
    knob->setValue(3.0f);
    EXPECT_EQ(knob->getValue(), 3.0f);
    EXPECT_TRUE(bench.listener.values.empty());
}

TEST(Control, OnlyAControlClickResetsToTheDefault)
{
    struct Case
    {
        long buttons;
        bool resets;
    };
    const Case cases[] = {
        {kLeftControl, true},
        {kLeftControl | kShiftKey, false},
        {kLeftControl | kAltKey, false},
        {kLeftControl | kRightButton, false},
        {kControlKey, false},
        {kLeftButton, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.buttons);
        ControlBench bench;
        CKnob* knob = newKnob(bench, 0.8f);
        EXPECT_EQ(knob->checkDefaultValue(bench.context(), c.buttons), c.resets);
        EXPECT_FLOAT_EQ(knob->getValue(), c.resets ? 0.5f : 0.8f);
        EXPECT_EQ(bench.beginEdits(), c.resets ? 1 : 0);
        EXPECT_EQ(bench.endEdits(), c.resets ? 1 : 0);
    }
}

TEST(Control, AResetReportsOnlyWhenWhatIsShownChanges)
{
    // A switch: a knob takes the focus in beginEdit, which marks it dirty.
    ControlBench bench;
    auto* toggle =
        bench.add(new CVerticalSwitch(CRect(0, 0, 44, 44), &bench.listener, 7, 2, 44, 2, nullptr));
    toggle->setDirty(false);
    EXPECT_TRUE(toggle->checkDefaultValue(bench.context(), kLeftControl));
    EXPECT_TRUE(bench.listener.values.empty());
    EXPECT_EQ(bench.beginEdits(), 1);
    EXPECT_EQ(bench.endEdits(), 1);
}

TEST(Control, AControlClickResetsAKnobToHalfAndASwitchToZero)
{
    ControlBench bench;
    CKnob* knob = newKnob(bench, 0.9f);
    auto* toggle =
        bench.add(new CVerticalSwitch(CRect(0, 0, 44, 44), &bench.listener, 7, 2, 44, 2, nullptr));
    toggle->setValue(1.0f);
    bench.drag(knob, CPoint(120, 70), kLeftControl);
    bench.drag(toggle, CPoint(20, 40), kLeftControl);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.5f);
    EXPECT_FLOAT_EQ(toggle->getValue(), 0.0f);
    EXPECT_EQ(bench.listener.values, (std::vector<float>{0.5f, 0.0f}));
}

TEST(Control, AModifiedClickTheListenerTakesGoesNoFurther)
{
    ControlBench bench;
    CKnob* knob = newKnob(bench, 0.8f);
    bench.listener.modifierAnswer = 1;
    bench.drag(knob, CPoint(120, 70), kLeftControl, {{CPoint(120, 0), kLeftControl}});
    EXPECT_EQ(bench.listener.modifierClicks, (std::vector<long>{kLeftControl}));
    EXPECT_FLOAT_EQ(knob->getValue(), 0.8f);
    EXPECT_EQ(bench.beginEdits(), 0);
}

TEST(Control, ClicksWithoutTheLeftButtonOrWhenDisabledAreIgnored)
{
    ControlBench bench;
    CKnob* knob = newKnob(bench, 0.2f);
    bench.drag(knob, CPoint(120, 70), kRightButton, {{CPoint(120, 0), kRightButton}});
    knob->setMouseEnabled(false);
    bench.drag(knob, CPoint(120, 70), kLeftButton, {{CPoint(120, 0), kLeftButton}});
    EXPECT_FLOAT_EQ(knob->getValue(), 0.2f);
    EXPECT_EQ(bench.beginEdits(), 0);
}

TEST(Control, ASecondClickWithinTheDelayIsADoubleClick)
{
    ControlBench bench;
    CKnob* knob = newKnob(bench, 0.0f);
    setClockTicks(1000);
    EXPECT_FALSE(knob->isDoubleClick());
    EXPECT_TRUE(knob->isDoubleClick());
    EXPECT_FALSE(knob->isDoubleClick()); // a third click starts a new pair
    setClockTicks(5000);
    EXPECT_FALSE(knob->isDoubleClick());
}

TEST(Control, AFirstClickAtTickZeroMakesNoDoubleClick)
{
    ControlBench bench;
    CKnob* knob = newKnob(bench, 0.0f);
    setClockTicks(0);
    EXPECT_FALSE(knob->isDoubleClick());
    EXPECT_FALSE(knob->isDoubleClick());
}

TEST(Control, BeginEditMakesTheControlTheFocusView)
{
    ControlBench bench;
    CKnob* knob = newKnob(bench, 0.0f);
    knob->beginEdit();
    knob->endEdit();
    EXPECT_EQ(bench.frame->getFocusView(), knob);
    ASSERT_EQ(recording_host::callsOf(43).size(), 1u);
    EXPECT_EQ(recording_host::callsOf(43)[0].index, 3);
    EXPECT_EQ(recording_host::callsOf(44)[0].index, 3);
}
