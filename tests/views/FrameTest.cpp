// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewTestSupport.h"

#include "gui/CDrawContext.h"
#include "gui/COffscreenContext.h"
#include "gui/platform/PlatformDrawing.h"

#include <gtest/gtest.h>

namespace
{

// A headless frame with two children; addView hands the creator's reference to the frame.
struct Editorless
{
    CFrame frame{CRect(0, 0, 200, 100), nullptr, nullptr};
    CountingView* left = add(CRect(10, 10, 60, 60), kRedCColor);
    CountingView* right = add(CRect(100, 10, 150, 60), kBlueCColor);

    CountingView* add(const CRect& size, CColor color = kGreenCColor)
    {
        auto* view = new CountingView(size, color);
        frame.addView(view);
        return view;
    }

    // The first paint from the window, after which idle repaints begin.
    void expose()
    {
        frame.drawRect(nullptr, CRect(0, 0, 200, 100));
        left->draws = right->draws = 0;
    }

    uint32_t pixel(long x, long y)
    {
        PlatformImage* image = frame.getBackBuffer()->getImage();
        return image->pixels()[y * image->stride() + x];
    }
};

constexpr uint32_t kRed = 0xffff0000;
constexpr uint32_t kBlue = 0xff0000ff;
constexpr uint32_t kGreen = 0xff00ff00;

} // namespace

TEST(Frame, IdleBeforeTheFirstPaintDrawsNothing)
{
    Editorless editorless;
    ASSERT_TRUE(editorless.frame.isDirty());
    editorless.frame.idle();
    EXPECT_EQ(editorless.left->draws, 0);
    EXPECT_EQ(editorless.right->draws, 0);
}

TEST(Frame, IdleWithNothingDirtyDrawsNothing)
{
    Editorless editorless;
    editorless.expose();
    editorless.frame.idle();
    EXPECT_EQ(editorless.left->draws, 0);
    EXPECT_EQ(editorless.right->draws, 0);
}

TEST(Frame, IdleRepaintsOnlyTheDirtyChildIntoTheBackBuffer)
{
    Editorless editorless;
    editorless.expose();
    editorless.right->color = kGreenCColor;
    editorless.right->setDirty(true);
    editorless.left->color = kGreenCColor; // clean: must keep its old pixels
    editorless.frame.idle();
    EXPECT_EQ(editorless.left->draws, 0);
    EXPECT_EQ(editorless.right->draws, 1);
    EXPECT_EQ(editorless.pixel(120, 30), kGreen);
    EXPECT_EQ(editorless.pixel(30, 30), kRed);
    EXPECT_FALSE(editorless.frame.isDirty());
}

TEST(Frame, DirtyFrameRepaintsEverything)
{
    Editorless editorless;
    editorless.expose();
    editorless.frame.setDirty(true);
    editorless.frame.idle();
    EXPECT_EQ(editorless.left->draws, 1);
    EXPECT_EQ(editorless.right->draws, 1);
    EXPECT_EQ(editorless.pixel(5, 5), 0xff000000u); // the black frame background
    EXPECT_EQ(editorless.pixel(120, 30), kBlue);
}

TEST(Frame, DisabledUpdatesPaintNothing)
{
    Editorless editorless;
    editorless.expose();
    editorless.left->setDirty(true);
    EXPECT_FALSE(editorless.frame.updatesDisabled(true));
    editorless.frame.idle();
    EXPECT_EQ(editorless.left->draws, 0);
    EXPECT_TRUE(editorless.frame.updatesDisabled(false));
    editorless.frame.idle();
    EXPECT_EQ(editorless.left->draws, 1);
}

TEST(Frame, PartialPaintOfADirtyFrameLeavesItDirty)
{
    Editorless editorless;
    editorless.frame.drawRect(nullptr, CRect(0, 0, 20, 20));
    EXPECT_TRUE(editorless.frame.isDirty());
    editorless.frame.drawRect(nullptr, CRect(0, 0, 200, 100));
    editorless.frame.setDirty(false);
    editorless.frame.drawRect(nullptr, CRect(0, 0, 20, 20));
    EXPECT_FALSE(editorless.frame.CView::isDirty());
}

TEST(Frame, DrawingOneViewPaintsADirectChildAloneAndANestedOneWithTheWholeFrame)
{
    Editorless editorless;
    editorless.frame.draw(editorless.left);
    EXPECT_EQ(editorless.left->draws, 1);
    EXPECT_EQ(editorless.right->draws, 0);

    auto* container = new CViewContainer(CRect(0, 60, 200, 100), &editorless.frame);
    editorless.frame.addView(container);
    auto* nested = new CountingView(CRect(0, 0, 10, 10));
    container->addView(nested);
    nested->redraw();
    EXPECT_EQ(nested->draws, 1);
    EXPECT_EQ(editorless.left->draws, 2);
    EXPECT_EQ(editorless.right->draws, 1);
}

TEST(Frame, InvalidateMarksEveryChildTouchingTheRectangle)
{
    Editorless editorless;
    editorless.expose();
    editorless.frame.invalidate(CRect(60, 0, 100, 5));
    EXPECT_FALSE(editorless.left->isDirty()); // touches at y=10 only if rect reaches it
    editorless.frame.invalidate(CRect(60, 0, 100, 10));
    EXPECT_TRUE(editorless.left->isDirty());
    EXPECT_TRUE(editorless.right->isDirty());
    EXPECT_EQ(editorless.left->draws, 0);
}

TEST(Frame, ClickClearsTheFocusBeforeItIsDelivered)
{
    Editorless editorless;
    editorless.frame.setFocusView(editorless.left);
    CPoint where(120, 30);
    editorless.frame.mouse(nullptr, where, kLeftButton);
    EXPECT_EQ(editorless.frame.getFocusView(), nullptr);
    EXPECT_EQ(editorless.left->focusLosses, 1);
    EXPECT_EQ(editorless.right->clicks, 1);
}

TEST(Frame, ClickWithUnknownButtonsReadsThemFromThePlatform)
{
    Editorless editorless;
    ScriptedInput input({{CPoint(20, 20), kRightButton | kShiftKey}});
    CDrawContext* context = editorless.frame.createDrawContext();
    CPoint where(20, 20);
    editorless.frame.mouse(context, where, -1);
    EXPECT_EQ(editorless.left->lastButtons, kRightButton | kShiftKey);
    context->forget();
}

TEST(Frame, ModalViewTakesClicksWheelAndKeysAlone)
{
    Editorless editorless;
    auto* modal = new CountingView(CRect(0, 70, 50, 100));
    ASSERT_TRUE(editorless.frame.setModalView(modal));
    CPoint outside(20, 20);
    editorless.frame.mouse(nullptr, outside, kLeftButton);
    EXPECT_EQ(editorless.left->clicks, 0);
    EXPECT_EQ(modal->clicks, 0);
    CPoint inside(10, 80);
    editorless.frame.mouse(nullptr, inside, kLeftButton);
    EXPECT_EQ(modal->clicks, 1);

    EXPECT_TRUE(editorless.frame.onWheel(nullptr, outside, 1.0f));
    EXPECT_EQ(modal->wheels, 1);
    EXPECT_EQ(editorless.left->wheels, 0);

    modal->keyAnswer = 1;
    VstKeyCode key{'x', 0, 0};
    EXPECT_EQ(editorless.frame.onKeyDown(key), 1);
    EXPECT_EQ(modal->keys, 1);
    EXPECT_EQ(editorless.frame.getCurrentView(), modal);

    EXPECT_TRUE(editorless.frame.setModalView(nullptr));
    EXPECT_EQ(modal->getNbReference(), 1);
    modal->forget();
}

TEST(Frame, ModalViewIsNotReplacedByAnother)
{
    Editorless editorless;
    CountingView first(CRect(0, 0, 5, 5));
    CountingView second(CRect(0, 0, 5, 5));
    first.remember();
    second.remember();
    ASSERT_TRUE(editorless.frame.setModalView(&first));
    EXPECT_FALSE(editorless.frame.setModalView(&second));
    EXPECT_EQ(editorless.frame.getModalView(), &first);
    EXPECT_TRUE(editorless.frame.setModalView(nullptr));
}

TEST(Frame, KeysGoToTheFocusViewOnly)
{
    Editorless editorless;
    VstKeyCode key{'a', 0, 0};
    editorless.left->keyAnswer = 1;
    EXPECT_EQ(editorless.frame.onKeyDown(key), -1);
    EXPECT_EQ(editorless.left->keys, 0);
    editorless.frame.setFocusView(editorless.left);
    EXPECT_EQ(editorless.frame.onKeyDown(key), 1);
    EXPECT_EQ(editorless.left->keys, 1);
}

TEST(Frame, TabWithoutAViewThatWantsFocusIsNotHandled)
{
    Editorless editorless;
    VstKeyCode tab{0, 2, 0};
    EXPECT_EQ(editorless.frame.onKeyDown(tab), -1);
    EXPECT_EQ(editorless.frame.getFocusView(), nullptr);
}

TEST(Frame, TabPastTheLastFocusableChildClearsTheFocus)
{
    Editorless editorless;
    editorless.left->setWantsFocus(true);
    editorless.frame.setFocusView(editorless.left);
    VstKeyCode tab{0, 2, 0};
    EXPECT_EQ(editorless.frame.onKeyDown(tab), -1);
    EXPECT_EQ(editorless.frame.getFocusView(), nullptr);
}

TEST(Frame, CurrentViewIsTheChildUnderThePointer)
{
    Editorless editorless;
    ScriptedInput input({{CPoint(150, 60), 0}});
    EXPECT_EQ(editorless.frame.getCurrentView(), editorless.right);
}

TEST(Frame, ContextsHandedOutDuringAPaintAreTheBackBufferAndComeBack)
{
    Editorless editorless;
    struct Probe : CView
    {
        using CView::CView;
        void draw(CDrawContext* context) override
        {
            CDrawContext* handedOut = getFrame()->createDrawContext();
            sameAsTarget = handedOut == context;
            countWhileHeld = handedOut->getNbReference();
            handedOut->forget();
            countAfter = context->getNbReference();
            setDirty(false);
        }
        bool sameAsTarget = false;
        long countWhileHeld = 0;
        long countAfter = 0;
    };
    auto* probe = new Probe(CRect(0, 0, 5, 5));
    editorless.frame.addView(probe);
    editorless.expose();
    EXPECT_TRUE(probe->sameAsTarget);
    EXPECT_EQ(probe->countWhileHeld, probe->countAfter + 1);
    EXPECT_EQ(probe->countAfter, 1);
}

TEST(Frame, EveryViewGoesWithTheFrame)
{
    const int before = CountingView::destroyed;
    {
        Editorless editorless;
        auto* container = new CViewContainer(CRect(0, 60, 200, 100), &editorless.frame);
        editorless.frame.addView(container);
        auto* nested = new CountingView(CRect(0, 0, 10, 10));
        container->addView(nested);
        editorless.frame.setFocusView(nested);
        editorless.expose();
    }
    EXPECT_EQ(CountingView::destroyed, before + 3);
}

TEST(Frame, ResizingAsksTheHostAndFollowsWithTheFrame)
{
    RecordingEffect effect;
    auto* editor = new TestEditor(effect);
    editor->open(nullptr);
    CFrame* frame = editor->getFrameForTest();
    recording_host::answers[audioMasterCanDo] = 1; // "sizeWindow", the only text asked
    recording_host::answers[audioMasterSizeWindow] = 1;
    EXPECT_FALSE(frame->setSize(200, 100)); // unchanged
    EXPECT_TRUE(frame->setSize(300, 120));
    EXPECT_EQ(recording_host::count(audioMasterCanDo), 1);
    EXPECT_EQ(recording_host::count(audioMasterSizeWindow), 1);
    CRect size;
    EXPECT_EQ(frame->getViewSize(size), CRect(0, 0, 300, 120));
    EXPECT_EQ(frame->getBackBuffer()->getWidth(), 300);
    frame->setOpenFlag(false);
    EXPECT_FALSE(frame->setSize(400, 400));
}

TEST(Frame, HeadlessFrameAnswersEveryWindowCall)
{
    Editorless editorless;
    CRect size;
    long x = 0, y = 0;
    EXPECT_FALSE(editorless.frame.getSize(&size));
    EXPECT_FALSE(editorless.frame.getPosition(x, y));
    EXPECT_FALSE(editorless.frame.setPosition(1, 1));
    editorless.frame.setCursor(kCursorWait);
    EXPECT_EQ(editorless.frame.getPlatformWindow(), nullptr);
    EXPECT_EQ(editorless.frame.getTicks(), 0u);
    EXPECT_FALSE(editorless.frame.open());
    EXPECT_FALSE(editorless.frame.close());
    CPoint where;
    EXPECT_TRUE(editorless.frame.getCurrentLocation(where));
}

TEST(Frame, RemovingTheModalViewEndsIt)
{
    Editorless editorless;
    auto* modal = new CountingView(CRect(0, 0, 10, 10));
    editorless.frame.setModalView(modal);
    editorless.frame.removeView(modal, true);
    EXPECT_EQ(editorless.frame.getModalView(), nullptr);
    CPoint where(20, 20);
    editorless.frame.mouse(nullptr, where, kLeftButton);
    EXPECT_EQ(editorless.left->clicks, 1);
}

TEST(Frame, RemovingAContainerThatHoldsTheFocusViewClearsTheFocus)
{
    Editorless editorless;
    auto* container = new CViewContainer(CRect(0, 60, 200, 100), &editorless.frame);
    editorless.frame.addView(container);
    auto* nested = new CountingView(CRect(0, 0, 10, 10));
    container->addView(nested);
    editorless.frame.setFocusView(nested);
    editorless.frame.removeView(container, true);
    EXPECT_EQ(editorless.frame.getFocusView(), nullptr);
}
