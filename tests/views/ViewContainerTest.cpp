// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewTestSupport.h"

#include "gui/CDrawContext.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

// A headless frame with children added in order; addView hands the creator's reference to it.
struct Tree
{
    CFrame frame{CRect(0, 0, 200, 100), nullptr, nullptr};

    CountingView* add(const CRect& size, const char* name = "")
    {
        auto* view = new CountingView(size);
        view->name = name;
        frame.addView(view);
        return view;
    }

    CViewContainer* addContainer(const CRect& size)
    {
        auto* container = new CViewContainer(size, &frame);
        frame.addView(container);
        return container;
    }

    void clean()
    {
        frame.setDirty(false);
        for (long i = 0; i < frame.getNbViews(); i++)
            frame.getView(i)->setDirty(false);
    }
};

} // namespace

TEST(ViewContainer, AddedViewIsRememberedAndDirtyAndKnowsItsParents)
{
    Tree tree;
    auto* view = new CountingView(CRect(0, 0, 10, 10));
    tree.frame.addView(view);
    EXPECT_EQ(view->getNbReference(), 2);
    EXPECT_TRUE(view->isDirty());
    EXPECT_EQ(view->getFrame(), &tree.frame);
    EXPECT_EQ(view->getParentView(), &tree.frame);
    EXPECT_TRUE(tree.frame.isChild(view));
}

TEST(ViewContainer, RemovingWithoutReleaseLeavesTheCreatorsReference)
{
    Tree tree;
    auto* view = new CountingView(CRect(0, 0, 10, 10));
    tree.frame.addView(view);
    tree.frame.removeView(view, false);
    EXPECT_EQ(view->getNbReference(), 1);
    EXPECT_FALSE(tree.frame.isChild(view));
    view->forget();
}

TEST(ViewContainer, RemovingWithReleaseDeletesAViewNobodyElseHolds)
{
    Tree tree;
    auto* view = new CountingView(CRect(0, 0, 10, 10));
    tree.frame.addView(view);
    const int before = CountingView::destroyed;
    tree.frame.removeView(view, true);
    EXPECT_EQ(CountingView::destroyed, before + 1);
    EXPECT_EQ(tree.frame.getNbViews(), 0);
}

TEST(ViewContainer, NullAndStrangersAreIgnored)
{
    Tree tree;
    tree.frame.addView(nullptr);
    CountingView stranger(CRect(0, 0, 1, 1));
    stranger.remember();
    tree.frame.removeView(&stranger, false);
    EXPECT_EQ(tree.frame.getNbViews(), 0);
    EXPECT_EQ(tree.frame.getView(0), nullptr);
    EXPECT_EQ(tree.frame.getView(-1), nullptr);
}

TEST(ViewContainer, TopmostOfTwoOverlappingChildrenGetsTheClickAndTheWheel)
{
    Tree tree;
    auto* below = tree.add(CRect(0, 0, 50, 50));
    auto* above = tree.add(CRect(20, 20, 70, 70));
    CPoint where(30, 30);
    tree.frame.mouse(nullptr, where, kLeftButton);
    EXPECT_EQ(above->clicks, 1);
    EXPECT_EQ(below->clicks, 0);
    EXPECT_TRUE(tree.frame.onWheel(nullptr, where, 1.0f));
    EXPECT_EQ(above->wheels, 1);
    EXPECT_EQ(below->wheels, 0);
}

TEST(ViewContainer, ClickSkipsMouseDisabledChildren)
{
    Tree tree;
    auto* below = tree.add(CRect(0, 0, 50, 50));
    auto* above = tree.add(CRect(0, 0, 50, 50));
    above->setMouseEnabled(false);
    CPoint where(10, 10);
    tree.frame.mouse(nullptr, where, kLeftButton);
    EXPECT_EQ(below->clicks, 1);
    EXPECT_EQ(above->clicks, 0);
}

TEST(ViewContainer, ChildrenArePaintedInInsertionOrder)
{
    Tree tree;
    std::vector<std::string> log;
    tree.add(CRect(0, 0, 50, 50), "below")->drawLog = &log;
    tree.add(CRect(20, 20, 70, 70), "above")->drawLog = &log;
    CDrawContext* context = tree.frame.createDrawContext();
    tree.frame.draw(context);
    context->forget();
    EXPECT_EQ(log, (std::vector<std::string>{"below", "above"}));
}

TEST(ViewContainer, ClickInANestedContainerArrivesInItsCoordinates)
{
    Tree tree;
    CViewContainer* container = tree.addContainer(CRect(50, 20, 150, 80));
    auto* view = new CountingView(CRect(10, 10, 30, 30));
    container->addView(view);
    CPoint where(65, 35);
    tree.frame.mouse(nullptr, where, kLeftButton);
    EXPECT_EQ(view->clicks, 1);
    EXPECT_EQ(view->lastWhere, CPoint(15, 15));

    CPoint local(15, 15);
    view->localToFrame(local);
    EXPECT_EQ(local, CPoint(65, 35));
    view->frameToLocal(local);
    EXPECT_EQ(local, CPoint(15, 15));
}

TEST(ViewContainer, WheelReachesANestedViewInItsCoordinates)
{
    Tree tree;
    CViewContainer* container = tree.addContainer(CRect(50, 20, 150, 80));
    auto* view = new CountingView(CRect(10, 10, 30, 30));
    container->addView(view);
    EXPECT_TRUE(tree.frame.onWheel(nullptr, CPoint(65, 35), kHorizontalWheel, -1.0f));
    EXPECT_EQ(view->lastWhere, CPoint(15, 15));
    EXPECT_EQ(view->lastAxis, kHorizontalWheel);
    EXPECT_EQ(view->lastDistance, -1.0f);
}

TEST(ViewContainer, GetViewAtFindsNestedViewsOnlyWhenRecursive)
{
    Tree tree;
    CViewContainer* container = tree.addContainer(CRect(50, 20, 150, 80));
    auto* view = new CountingView(CRect(10, 10, 30, 30));
    container->addView(view);
    EXPECT_EQ(tree.frame.getViewAt(CPoint(65, 35), false), container);
    EXPECT_EQ(tree.frame.getViewAt(CPoint(65, 35), true), view);
    EXPECT_EQ(tree.frame.getViewAt(CPoint(55, 25), true), nullptr);
    EXPECT_EQ(tree.frame.getViewAt(CPoint(5, 5), false), nullptr);
}

TEST(ViewContainer, DirtyChildOutsideTheContainerDoesNotMakeItDirty)
{
    Tree tree;
    CViewContainer* container = tree.addContainer(CRect(0, 0, 50, 50));
    auto* outside = new CountingView(CRect(60, 60, 70, 70));
    container->addView(outside);
    container->setDirty(false);
    ASSERT_TRUE(outside->isDirty());
    EXPECT_FALSE(container->isDirty());
    CRect partlyInside(40, 40, 70, 70);
    outside->setViewSize(partlyInside);
    EXPECT_TRUE(container->isDirty());
}

TEST(ViewContainer, PartlyPaintedDirtyChildStaysDirtyAndAWholeOneIsClean)
{
    Tree tree;
    auto* cut = tree.add(CRect(10, 10, 50, 50));
    auto* whole = tree.add(CRect(60, 10, 80, 30));
    CDrawContext* context = tree.frame.createDrawContext();
    tree.frame.CViewContainer::drawRect(context, CRect(0, 0, 100, 30));
    EXPECT_EQ(cut->draws, 1);
    EXPECT_EQ(whole->draws, 1);
    EXPECT_TRUE(cut->isDirty());
    EXPECT_FALSE(whole->isDirty());
    context->forget();
}

TEST(ViewContainer, OnlyDirtyModeRedrawsOnlyDirtyChildren)
{
    Tree tree;
    auto* dirty = tree.add(CRect(0, 0, 10, 10));
    auto* clean = tree.add(CRect(20, 0, 30, 10));
    tree.clean();
    dirty->setDirty(true);
    CDrawContext* context = tree.frame.createDrawContext();
    tree.frame.CViewContainer::update(context);
    EXPECT_EQ(dirty->draws, 1);
    EXPECT_EQ(clean->draws, 0);
    EXPECT_FALSE(tree.frame.isDirty());
    context->forget();
}

TEST(ViewContainer, NormalModeRedrawsEverythingWhenAnythingIsDirty)
{
    Tree tree;
    CViewContainer* container = tree.addContainer(CRect(0, 0, 100, 50));
    container->setMode(kNormalUpdate);
    auto* dirty = new CountingView(CRect(0, 0, 10, 10));
    auto* clean = new CountingView(CRect(20, 0, 30, 10));
    container->addView(dirty);
    container->addView(clean);
    container->setDirty(false);
    clean->setDirty(false);
    CDrawContext* context = tree.frame.createDrawContext();
    container->update(context);
    EXPECT_EQ(dirty->draws, 1);
    EXPECT_EQ(clean->draws, 1);
    EXPECT_FALSE(container->isDirty());
    context->forget();
}

TEST(ViewContainer, NotifyComparesTheMessagePointerNotItsText)
{
    CViewContainer container(CRect(), nullptr);
    const std::string sameText = kMsgCheckIfViewContainer;
    EXPECT_EQ(container.notify(nullptr, kMsgCheckIfViewContainer), 1);
    EXPECT_EQ(container.notify(nullptr, sameText.c_str()), 0);
    CView view{CRect()};
    EXPECT_EQ(view.notify(nullptr, kMsgCheckIfViewContainer), 0);
}

TEST(ViewContainer, KeyDispatchStopsAtTheFirstChildThatHandlesIt)
{
    CViewContainer container(CRect(0, 0, 100, 100), nullptr);
    auto* first = new CountingView(CRect());
    auto* handler = new CountingView(CRect());
    auto* last = new CountingView(CRect());
    handler->keyAnswer = 7;
    for (CountingView* view : {first, handler, last})
    {
        container.addView(view);
    }
    VstKeyCode key{'a', 0, 0};
    EXPECT_EQ(container.onKeyDown(key), 7);
    EXPECT_EQ(last->keys, 1);
    EXPECT_EQ(handler->keys, 1);
    EXPECT_EQ(first->keys, 0);
    handler->keyAnswer = -1;
    EXPECT_EQ(container.onKeyDown(key), -1);
    EXPECT_EQ(first->keys, 1);
}

TEST(ViewContainer, TabTraversalWalksChildrenThatWantFocusIncludingNestedOnes)
{
    Tree tree;
    auto* a = tree.add(CRect(0, 0, 10, 10));
    tree.add(CRect(10, 0, 20, 10)); // does not want focus
    CViewContainer* container = tree.addContainer(CRect(50, 0, 100, 50));
    auto* nested = new CountingView(CRect(0, 0, 10, 10));
    container->addView(nested);
    auto* d = tree.add(CRect(120, 0, 130, 10));
    for (CView* view :
         {static_cast<CView*>(a), static_cast<CView*>(nested), static_cast<CView*>(d)})
        view->setWantsFocus(true);

    VstKeyCode tab{0, 2, 0};
    VstKeyCode shiftTab{0, 2, 1};
    const struct
    {
        VstKeyCode key;
        CView* expected;
    } steps[] = {{tab, a}, {tab, nested}, {tab, d}, {shiftTab, nested}, {shiftTab, a}};
    for (const auto& step : steps)
    {
        VstKeyCode key = step.key;
        EXPECT_EQ(tree.frame.onKeyDown(key), 1);
        EXPECT_EQ(tree.frame.getFocusView(), step.expected);
    }
}

TEST(ViewContainer, RemovingTheFocusViewClearsTheFocus)
{
    Tree tree;
    auto* view = tree.add(CRect(0, 0, 10, 10));
    tree.frame.setFocusView(view);
    tree.frame.removeView(view, true);
    EXPECT_EQ(tree.frame.getFocusView(), nullptr);
}
