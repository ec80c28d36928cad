// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewTestSupport.h"

#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"

#include <gtest/gtest.h>

TEST(View, ClickOnAnyEdgeOfTheMouseableAreaReachesTheView)
{
    CView view(CRect(10, 20, 30, 40));
    const CPoint inside[] = {{10, 20}, {30, 20}, {10, 40}, {30, 40}, {20, 30}};
    for (const CPoint& p : inside)
        EXPECT_TRUE(view.hitTest(p, kLeftButton)) << p.h << "," << p.v;
    const CPoint outside[] = {{9, 30}, {31, 30}, {20, 19}, {20, 41}};
    for (const CPoint& p : outside)
        EXPECT_FALSE(view.hitTest(p, kLeftButton)) << p.h << "," << p.v;
    // The rectangle itself calls the bottom-right corner outside.
    EXPECT_FALSE(CRect(10, 20, 30, 40).pointInside(CPoint(30, 40)));
}

TEST(View, NewSizeLeavesTheMouseableAreaWhereItWas)
{
    CView view(CRect(0, 0, 10, 10));
    CRect moved(100, 100, 110, 110);
    view.setViewSize(moved);
    EXPECT_TRUE(view.isDirty());
    EXPECT_TRUE(view.hitTest(CPoint(5, 5)));
    EXPECT_FALSE(view.hitTest(CPoint(105, 105)));
    view.setMouseableArea(moved);
    EXPECT_TRUE(view.hitTest(CPoint(105, 105)));
}

TEST(View, AttributeKeepsItsFirstSizeAndRefusesALargerBlock)
{
    CView view(CRect(0, 0, 1, 1));
    const char first[8] = "abcdefg";
    ASSERT_TRUE(view.setAttribute(7, 8, first));
    EXPECT_TRUE(view.setAttribute(7, 3, "xyz"));
    EXPECT_FALSE(view.setAttribute(7, 9, "123456789"));

    long size = 0;
    ASSERT_TRUE(view.getAttributeSize(7, size));
    EXPECT_EQ(size, 8);
    char out[8] = {};
    ASSERT_TRUE(view.getAttribute(7, sizeof out, out, size));
    EXPECT_STREQ(out, "xyzdefg");
}

TEST(View, AttributeLookupsFailWithoutCopying)
{
    CView view(CRect(0, 0, 1, 1));
    long size = -1;
    EXPECT_FALSE(view.getAttributeSize(1, size));
    view.setAttribute(1, 4, "abc");
    char small[2] = {'q', 'q'};
    EXPECT_FALSE(view.getAttribute(1, 2, small, size));
    EXPECT_EQ(small[0], 'q');
    EXPECT_FALSE(view.getAttribute(2, 8, small, size));
}

TEST(View, UpdateOfACleanViewDrawsNothing)
{
    CFrame frame(CRect(0, 0, 100, 100), nullptr, nullptr);
    auto* view = new CountingView(CRect(10, 10, 20, 20));
    frame.addView(view);
    view->setDirty(false);
    CDrawContext* context = frame.createDrawContext();
    view->update(context);
    EXPECT_TRUE(view->redrawRects.empty());
    EXPECT_EQ(view->draws, 0);
    context->forget();
}

TEST(View, UpdateOfADirtyViewRedrawsItsRectangleAndLeavesItClean)
{
    CFrame frame(CRect(0, 0, 100, 100), nullptr, nullptr);
    auto* view = new CountingView(CRect(10, 10, 20, 20));
    frame.addView(view);
    CDrawContext* context = frame.createDrawContext();
    view->update(context);
    ASSERT_EQ(view->redrawRects.size(), 1u);
    EXPECT_EQ(view->redrawRects[0], CRect(10, 10, 20, 20));
    EXPECT_EQ(view->draws, 1);
    EXPECT_FALSE(view->isDirty());
    context->forget();
}

TEST(View, BackgroundHoldsOneReferenceAndMarksDirty)
{
    auto* bitmap = new CBitmap();
    {
        CView view(CRect(0, 0, 10, 10));
        view.setBackground(bitmap);
        EXPECT_TRUE(view.isDirty());
        EXPECT_EQ(bitmap->getNbReference(), 2);
        view.setBackground(nullptr);
        EXPECT_EQ(bitmap->getNbReference(), 1);
        view.setBackground(bitmap);
    }
    EXPECT_EQ(bitmap->getNbReference(), 1);
    bitmap->forget();
}

TEST(View, ViewWithoutFrameIgnoresRedrawAndHasNoEditor)
{
    CountingView view(CRect(0, 0, 10, 10));
    view.redraw();
    view.redrawRect(nullptr, CRect(0, 0, 5, 5));
    EXPECT_EQ(view.draws, 0);
    EXPECT_EQ(view.getEditor(), nullptr);
    CPoint where(3, 4);
    view.getMouseLocation(nullptr, where);
    EXPECT_EQ(where, CPoint(3, 4));
}

TEST(View, TypeIsAnsweredByName)
{
    CView view{CRect()};
    CViewContainer container(CRect(), nullptr);
    CFrame frame(CRect(0, 0, 10, 10), nullptr, nullptr);
    struct Case
    {
        const CView* view;
        const char* type;
        bool expected;
    } cases[] = {
        {&view, "CView", true},           {&view, "CViewContainer", false},
        {&container, "CView", true},      {&container, "CViewContainer", true},
        {&container, "CFrame", false},    {&frame, "CFrame", true},
        {&frame, "CViewContainer", true}, {&frame, "CView", true},
        {&frame, "CControl", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.view->isTypeOf(c.type), c.expected) << c.type;
}
