// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewTestSupport.h"

#include <gtest/gtest.h>

namespace
{

// An effect with a test editor, driven as a host drives it: through the record.
struct Hosted
{
    ManualClock clock;
    RecordingEffect* effect = new RecordingEffect;
    TestEditor* editor = new TestEditor(*effect);
    AEffect* record = effect->getAeffect();

    ~Hosted() { delete effect; } // the effect owns and deletes its editor

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0)
    {
        return record->dispatcher(record, opcode, index, value, ptr, opt);
    }

    // Opens the editor without a window and lets it paint once.
    CFrame* openHeadless()
    {
        editor->open(nullptr);
        CFrame* frame = editor->getFrameForTest();
        frame->drawRect(nullptr, CRect(0, 0, 200, 100));
        editor->left->draws = editor->right->draws = 0;
        return frame;
    }
};

} // namespace

TEST(EditorBase, RegistersWithItsEffectAndHandsOutItsRectangle)
{
    Hosted hosted;
    EXPECT_EQ(hosted.record->flags & 1, 1);
    ERect* rect = nullptr;
    EXPECT_EQ(hosted.dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right, 200);
    EXPECT_EQ(rect->bottom, 100);
    ERect* again = nullptr;
    hosted.dispatch(effEditGetRect, 0, 0, &again);
    EXPECT_EQ(again, rect);
}

TEST(EditorBase, CallsBeforeOpenAndAfterCloseAreHarmless)
{
    Hosted hosted;
    VstKeyCode key{'a', 0, 0};
    EXPECT_EQ(hosted.dispatch(effEditIdle), 0);
    EXPECT_FALSE(hosted.editor->onKeyDown(key));
    EXPECT_FALSE(hosted.editor->onKeyUp(key));
    EXPECT_FALSE(hosted.editor->onWheel(1.0f));
    EXPECT_EQ(hosted.dispatch(effEditKeyDown, 'a'), 0);
    EXPECT_EQ(hosted.dispatch(effEditClose), 0);
    hosted.editor->doIdleStuff();
    hosted.editor->__drawDeprecated(nullptr);
    EXPECT_EQ(hosted.editor->__mouseDeprecated(1, 1), 1);
    EXPECT_EQ(hosted.editor->getFrame(), nullptr);
}

TEST(EditorBase, KeyIsHandledOnlyWhenTheFrameAnswersOne)
{
    Hosted hosted;
    CFrame* frame = hosted.openHeadless();
    frame->setFocusView(hosted.editor->left);
    VstKeyCode key{'a', 0, 0};
    const struct
    {
        long answer;
        bool handled;
    } cases[] = {{1, true}, {-1, false}, {0, false}, {2, false}};
    for (const auto& c : cases)
    {
        hosted.editor->left->keyAnswer = c.answer;
        EXPECT_EQ(hosted.editor->onKeyDown(key), c.handled) << c.answer;
    }
}

TEST(EditorBase, KnobModeIsSharedByEveryEditor)
{
    Hosted first;
    RecordingEffect otherEffect;
    VstEditorHost otherHost(otherEffect);
    AEffGUIEditor other(otherHost);
    EXPECT_EQ(first.dispatch(effSetEditKnobMode, 0, 2), 1);
    EXPECT_EQ(AEffGUIEditor::knobMode, 2);
    other.setKnobMode(1);
    first.openHeadless();
    EXPECT_EQ(first.editor->getFrameForTest()->getKnobMode(), 1);
    AEffGUIEditor::knobMode = 0;
}

TEST(EditorBase, SecondOpenKeepsTheFirstFrame)
{
    Hosted hosted;
    int parent = 0; // not a window: the frame runs without one
    EXPECT_EQ(hosted.dispatch(effEditOpen, 0, 0, &parent), 1);
    CFrame* frame = hosted.editor->getFrameForTest();
    EXPECT_EQ(hosted.dispatch(effEditOpen, 0, 0, &parent), 1);
    EXPECT_EQ(hosted.editor->getFrameForTest(), frame);
    EXPECT_EQ(hosted.editor->framesBuilt, 1);
    hosted.dispatch(effEditClose);
    hosted.dispatch(effEditClose);
    EXPECT_EQ(hosted.editor->getFrameForTest(), nullptr);
}

TEST(EditorBase, IdleStuffGivesTheHostAnIdleCallAtMostEveryHundredMilliseconds)
{
    Hosted hosted;
    const struct
    {
        uint32_t after;
        int idleCalls;
    } steps[] = {{0, 1}, {10, 1}, {10, 1}, {100, 2}, {1, 2}, {150, 3}};
    for (const auto& step : steps)
    {
        ManualClock::advance(step.after);
        hosted.editor->doIdleStuff();
        EXPECT_EQ(recording_host::count(audioMasterIdle), step.idleCalls) << "after " << step.after;
    }
}

TEST(EditorBase, IdleStuffWaitsFourMillisecondsWhenCalledTooSoon)
{
    Hosted hosted;
    hosted.editor->doIdleStuff();
    EXPECT_EQ(ManualClock::slept(), 0u);
    hosted.editor->doIdleStuff();
    EXPECT_EQ(ManualClock::slept(), 4u);
}

TEST(EditorBase, IdleStuffRepaintsTheFrame)
{
    Hosted hosted;
    hosted.openHeadless();
    hosted.editor->left->setDirty(true);
    hosted.editor->doIdleStuff();
    EXPECT_EQ(hosted.editor->left->draws, 1);
}

TEST(EditorBase, EditIdleFromTheHostInsideMasterIdleIsIgnored)
{
    Hosted hosted;
    hosted.openHeadless();
    // Some hosts call effEditIdle back from inside audioMasterIdle.
    recording_host::onCall = [&](const recording_host::Call& call)
    {
        if (call.opcode != audioMasterIdle) return;
        hosted.editor->right->setDirty(true);
        hosted.dispatch(effEditIdle);
    };
    hosted.editor->doIdleStuff();
    EXPECT_EQ(recording_host::count(audioMasterIdle), 1);
    EXPECT_EQ(hosted.editor->right->draws, 0);
    EXPECT_TRUE(hosted.editor->right->isDirty());
    hosted.dispatch(effEditIdle);
    EXPECT_EQ(hosted.editor->right->draws, 1);
}

TEST(EditorBase, GesturesReachTheHostThroughTheFrame)
{
    Hosted hosted;
    CFrame* frame = hosted.openHeadless();
    frame->beginEdit(5);
    frame->endEdit(5);
    ASSERT_EQ(recording_host::count(audioMasterBeginEdit), 1);
    ASSERT_EQ(recording_host::count(audioMasterEndEdit), 1);
    EXPECT_EQ(recording_host::calls.back().index, 5);
}

TEST(EditorBase, WheelGoesToTheViewUnderThePointer)
{
    Hosted hosted;
    hosted.openHeadless();
    ScriptedInput input({{CPoint(120, 30), 0}});
    EXPECT_TRUE(hosted.editor->onWheel(-1.0f));
    EXPECT_EQ(hosted.editor->right->wheels, 1);
    EXPECT_EQ(hosted.editor->right->lastDistance, -1.0f);
    EXPECT_EQ(hosted.editor->left->wheels, 0);
}

TEST(EditorBase, DeprecatedDrawAndMouseReachTheFrame)
{
    Hosted hosted;
    hosted.openHeadless();
    ERect area{0, 0, 50, 50};
    hosted.editor->__drawDeprecated(&area);
    EXPECT_EQ(hosted.editor->left->draws, 1);
    EXPECT_EQ(hosted.editor->right->draws, 0);
    hosted.editor->__drawDeprecated(nullptr);
    EXPECT_EQ(hosted.editor->right->draws, 1);

    ScriptedInput input({{CPoint(20, 20), kLeftButton}});
    EXPECT_EQ(hosted.editor->__mouseDeprecated(20, 20), 1);
    EXPECT_EQ(hosted.editor->left->clicks, 1);
    EXPECT_EQ(hosted.editor->left->lastButtons, kLeftButton);
}

TEST(EditorBase, TicksComeFromThePlatformClock)
{
    Hosted hosted;
    const uint32_t start = hosted.editor->getTicks();
    hosted.editor->wait(25);
    EXPECT_EQ(hosted.editor->getTicks(), start + 25);
    hosted.openHeadless();
    EXPECT_EQ(hosted.editor->getFrameForTest()->getTicks(), start + 25);
}
