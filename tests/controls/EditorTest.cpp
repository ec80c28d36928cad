// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlHarness.h"

#include "editor/Sferant_Editor.h"
#include "plugin/vst2/Sferant.h"
#include "plugin/vst2/editor_maker.h"
#include "gui/CAnimKnob.h"
#include "gui/CBitmap.h"
#include "gui/CButtonState.h"
#include "gui/COffscreenContext.h"
#include "gui/CParamDisplay.h"
#include "gui/CVerticalSwitch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

namespace
{

// The effect with the editor it creates, opened headless (no host window).
class Editor : public testing::Test
{
  protected:
    void SetUp() override
    {
        installSteppingClock();
        recording_host::reset();
        effect.reset(static_cast<Sferant*>(createEffectInstance(recording_host::callback)));
        editor = static_cast<Sferant_Editor*>(effect->getEditor());
    }
    void TearDown() override
    {
        effect.reset();
        setPlatformClock(nullptr, nullptr);
    }

    // Opens the editor and paints it once, as the first expose does.
    CFrame* open()
    {
        editor->open(nullptr);
        COffscreenContext screen(editor->getFrame(), 535, 275);
        editor->getFrame()->draw(&screen);
        recording_host::calls.clear();
        return editor->getFrame();
    }
    CControl* control(int row) const
    {
        return static_cast<CControl*>(editor->getFrame()->getView(row));
    }
    CDrawContext* context()
    {
        if (!drawContext) drawContext.reset(new CDrawContext(editor->getFrame(), nullptr, nullptr));
        return drawContext.get();
    }
    void drag(CControl* c, CPoint where, long buttons, std::vector<PointerStep> steps = {})
    {
        ScriptedPointer pointer(buttons, std::move(steps));
        c->mouse(context(), where, buttons);
    }
    std::string display(int index)
    {
        char text[64] = {};
        effect->getParameterDisplay(index, text);
        return text;
    }

    std::unique_ptr<Sferant> effect;
    Sferant_Editor* editor = nullptr;
    struct Forget
    {
        void operator()(CDrawContext* c) const { c->forget(); }
    };
    std::unique_ptr<CDrawContext, Forget> drawContext;
};

// The control table: drawing order, class, rectangle, tag (the parameter shown).
struct Row
{
    const char* type;
    CRect size;
    long parameter;
};
const Row kRows[] = {
    {"CVerticalSwitch", CRect(29, 59, 104, 134), 5},
    {"CVerticalSwitch", CRect(29, 153, 104, 228), 6},
    {"CAnimKnob", CRect(206, 164, 256, 214), 3},
    {"CAnimKnob", CRect(397, 69, 442, 114), 0},
    {"CAnimKnob", CRect(397, 171, 442, 216), 1},
    {"CAnimKnob", CRect(206, 83, 256, 133), 4},
    {"CVerticalSwitch", CRect(149, 87, 193, 131), 7},
    {"CVerticalSwitch", CRect(470, 125, 514, 169), 8},
    {"CVerticalSwitch", CRect(149, 166, 193, 210), 2},
    {"CParamDisplay", CRect(400, 118, 440, 142), 0},
    {"CParamDisplay", CRect(400, 220, 440, 244), 1},
    {"CParamDisplay", CRect(273, 167, 313, 191), 3},
    {"CParamDisplay", CRect(273, 86, 313, 110), 4},
};
constexpr int kAzimuthKnobRow = 3;
constexpr int kAzimuthDisplayRow = 9;
constexpr int kOrderSwitchRow = 0;

} // namespace

TEST_F(Editor, TheEffectRegistersItsEditorOnCreation)
{
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->getEffect(), effect.get());
    EXPECT_EQ(effect->getAeffect()->flags, 0x1011);
    ERect* rect = nullptr;
    EXPECT_TRUE(editor->getRect(&rect));
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 275);
    EXPECT_EQ(rect->right, 535);
}

TEST_F(Editor, BeforeOpeningItHasNoFrameAndIgnoresParameters)
{
    effect->setParameter(0, 0.25f);
    EXPECT_EQ(editor->getFrame(), nullptr);
    EXPECT_FALSE(editor->isOpen());
}

TEST_F(Editor, OpeningBuildsTheThirteenControlsOfTheTable)
{
    effect->setParameter(0, 0.25f);
    effect->setParameter(5, 0.75f);
    CFrame* frame = open();
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(frame->getNbViews(), 13);
    for (int row = 0; row < 13; ++row)
    {
        SCOPED_TRACE(row);
        CControl* c = control(row);
        EXPECT_TRUE(c->isTypeOf(kRows[row].type));
        CRect size;
        EXPECT_EQ(c->getViewSize(size), kRows[row].size);
        bool isDisplay = row >= kAzimuthDisplayRow;
        EXPECT_EQ(c->getTag(), isDisplay ? 0 : kRows[row].parameter);
        EXPECT_EQ(c->getListener(), isDisplay ? nullptr : static_cast<CControlListener*>(editor));
        EXPECT_EQ(c->getValue(), effect->getParameter(kRows[row].parameter));
        ASSERT_NE(c->getBackground(), nullptr);
        // The row's bitmap holds its frames, each the size of its box; a switch has a frame
        // for each position of its parameter.
        const sferant::layout::Control& entry = sferant::layout::kControls[row];
        EXPECT_EQ(c->getBackground()->getWidth(), entry.box.width());
        EXPECT_EQ(c->getBackground()->getHeight(), entry.frames * entry.box.height());
        if (entry.kind == sferant::layout::Kind::verticalSwitch)
        {
            EXPECT_EQ(entry.frames, sferant::kParameters[entry.parameter].positions);
        }
    }
}

TEST_F(Editor, TheAmbixEditionsPanelNamesItInABadgeBesideTheTitle)
{
    effect.reset(new Sferant(recording_host::callback, makeSferantEditor, kVstSferantAmbiX));
    editor = static_cast<Sferant_Editor*>(effect->getEditor());
    CFrame* frame = open();
    ASSERT_EQ(frame->getNbViews(), 14);
    CView* badge = frame->getView(13);
    EXPECT_TRUE(badge->isTypeOf("EditionBadge"));
    CRect size;
    EXPECT_EQ(badge->getViewSize(size), CRect(212, 8, 262, 26));
    EXPECT_FALSE(badge->getMouseEnabled());
    COffscreenContext* painted = frame->getBackBuffer(); // as open() painted it
    ASSERT_NE(painted, nullptr);
    int accent = 0; // the badge's text and frame, in the accent colour
    for (int y = 8; y < 26; ++y)
        for (int x = 212; x < 262; ++x)
            accent += painted->getPoint(CPoint(x, y)) == CColor{236, 142, 42, 255};
    EXPECT_GT(accent, 100);
}

TEST_F(Editor, ReadoutsUseTheSmallFontInBlackOverTheirBox)
{
    open();
    for (int row = kAzimuthDisplayRow; row < 13; ++row)
    {
        auto* d = static_cast<CParamDisplay*>(control(row));
        EXPECT_EQ(d->getFont(), kSmallFont);
        EXPECT_EQ(d->getFontColor(), kBlackCColor);
        EXPECT_EQ(d->getBackColor(), kTransparentCColor);
        EXPECT_EQ(d->getFrameColor(), kTransparentCColor);
        EXPECT_EQ(d->getStyle(), 1);
        EXPECT_EQ(d->getBackground()->getWidth(), 40);
    }
}

TEST_F(Editor, OpeningSetsLinearKnobsWhateverTheHostChoseBefore)
{
    editor->setKnobMode(0);
    open();
    EXPECT_EQ(AEffGUIEditor::knobMode, 2);
}

TEST_F(Editor, OpeningTwiceKeepsTheFirstFrame)
{
    CFrame* first = open();
    EXPECT_TRUE(editor->open(nullptr));
    EXPECT_EQ(editor->getFrame(), first);
}

TEST_F(Editor, ClosingDropsTheFrameAndReopeningReadsTheCurrentValues)
{
    open();
    editor->close();
    EXPECT_EQ(editor->getFrame(), nullptr);
    effect->setParameter(0, 0.125f); // no frame: nothing is followed
    open();
    EXPECT_EQ(control(kAzimuthKnobRow)->getValue(), 0.125f);
}

TEST_F(Editor, AHostParameterReachesTheKnobAndItsReadoutAtTheNextIdleAndNothingElse)
{
    open();
    effect->setParameter(0, 0.75f);
    // The host may call from any thread: the controls are touched on the idle thread only.
    EXPECT_EQ(control(kAzimuthKnobRow)->getValue(), 0.5f);
    editor->idle();
    EXPECT_EQ(control(kAzimuthKnobRow)->getValue(), 0.75f);
    EXPECT_EQ(control(kAzimuthDisplayRow)->getValue(), 0.75f);
    EXPECT_EQ(control(4)->getValue(), effect->getParameter(1));
    EXPECT_TRUE(recording_host::calls.empty());
}

TEST_F(Editor, ParameterIndicesOutsideTheNineChangeNothing)
{
    open();
    for (VstInt32 index : {9, 100, -1})
    {
        editor->setParameter(index, 0.9f);
        for (int row = 0; row < 13; ++row)
            EXPECT_EQ(control(row)->getValue(), effect->getParameter(kRows[row].parameter));
    }
}

TEST_F(Editor, DraggingTheAzimuthKnobIsOneGestureForTheHost)
{
    open();
    CControl* knob = control(kAzimuthKnobRow);
    drag(knob, CPoint(420, 90), kLeftButton,
         {{CPoint(420, 80), kLeftButton},
          {CPoint(420, 70), kLeftButton},
          {CPoint(420, 60), kLeftButton}});

    std::vector<recording_host::Call> gesture;
    for (const recording_host::Call& call : recording_host::calls)
        if (call.opcode == 43 || call.opcode == 0 || call.opcode == 44) gesture.push_back(call);
    // Taking the focus marks the knob dirty, so the press reports the value it starts from.
    ASSERT_EQ(gesture.size(), 6u);
    EXPECT_EQ(gesture.front().opcode, 43);
    EXPECT_EQ(gesture.back().opcode, 44);
    for (size_t i = 1; i + 1 < gesture.size(); ++i)
    {
        EXPECT_EQ(gesture[i].opcode, 0);
        EXPECT_NEAR(gesture[i].opt, 0.5f + 0.05f * (i - 1), 1e-5);
    }
    for (const recording_host::Call& call : gesture)
        EXPECT_EQ(call.index, 0);
    EXPECT_NEAR(effect->getParameter(0), 0.65f, 1e-5);
    editor->idle();
    EXPECT_EQ(control(kAzimuthDisplayRow)->getValue(), effect->getParameter(0));
}

TEST_F(Editor, ClickingTheOrderSwitchsThirdBandSelectsThirdOrder)
{
    open();
    drag(control(kOrderSwitchRow), CPoint(60, 59 + 37), kLeftButton);
    EXPECT_EQ(effect->getParameter(5), 0.5f);
    EXPECT_EQ(display(5), "3rd");
}

TEST_F(Editor, AControlClickResetsAKnobToTheMiddle)
{
    effect->setParameter(3, 0.9f);
    open();
    drag(control(2), CPoint(230, 190), kLeftButton | kControlKey);
    EXPECT_EQ(effect->getParameter(3), 0.5f);
    EXPECT_EQ(recording_host::callsOf(0).size(), 1u);
}

TEST_F(Editor, ModifiedClicksAreLeftToTheControls)
{
    open();
    for (long buttons : {kShiftKey, kControlKey, kAltKey, kMacControlKey})
        EXPECT_EQ(editor->controlModifierClicked(nullptr, control(kAzimuthKnobRow),
                                                 kLeftButton | buttons),
                  0);
}

TEST_F(Editor, ControlsWithATagOutsideTheNineReportNothing)
{
    open();
    CControl* knob = control(kAzimuthKnobRow);
    knob->setTag(9);
    knob->setValue(0.9f);
    editor->valueChanged(nullptr, knob);
    knob->setTag(-1);
    editor->valueChanged(nullptr, knob);
    EXPECT_EQ(effect->getParameter(0), 0.5f);
    EXPECT_TRUE(recording_host::callsOf(0).empty());
}

TEST_F(Editor, AutomationFromAHostThreadWhileAKnobIsDraggedIsRaceFree)
{
    open();
    AEffect* record = effect->getAeffect();
    std::atomic<bool> running{true};
    std::thread automation(
        [&]
        {
            for (unsigned i = 0; running; ++i)
                record->setParameter(record, VstInt32(i % sferant::kNumParams),
                                     float(i % 5) * 0.25f);
        });
    for (int gesture = 0; gesture < 100; ++gesture)
    {
        drag(control(kAzimuthKnobRow), CPoint(420, 90), kLeftButton,
             {{CPoint(420, 80), kLeftButton}, {CPoint(420, 70), kLeftButton}});
        editor->idle();
    }
    running = false;
    automation.join();
    editor->idle();
    for (int row = 0; row < 13; ++row)
        EXPECT_EQ(control(row)->getValue(), effect->getParameter(kRows[row].parameter)) << row;
}

TEST_F(Editor, TheEffectMayGoWhileItsEditorIsOpen)
{
    open();
    CControl* knob = control(kAzimuthKnobRow);
    CBitmap* strip = knob->getBackground();
    knob->remember();
    strip->remember();
    effect.reset();
    // The frame went with the effect and released its controls, and they their bitmaps.
    EXPECT_EQ(knob->getNbReference(), 1);
    knob->forget();
    EXPECT_EQ(strip->getNbReference(), 1);
    strip->forget();
}
