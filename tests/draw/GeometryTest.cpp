// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CColor.h"
#include "gui/CGeometry.h"
#include "gui/CReferenceCounter.h"

#include <gtest/gtest.h>

TEST(Rect, PointInsideExcludesTheRightAndBottomEdges)
{
    const CRect r(10, 20, 30, 40);
    struct Case
    {
        CPoint p;
        bool inside;
    } cases[] = {
        {{10, 20}, true},  {{29, 39}, true},  {{30, 39}, false},
        {{29, 40}, false}, {{30, 40}, false}, {{9, 25}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(r.pointInside(c.p), c.inside) << c.p.h << "," << c.p.v;
}

TEST(Rect, BoundOfDisjointRectanglesIsEmptyButNeverNegative)
{
    const CRect cases[] = {
        {50, 0, 60, 10}, {0, 50, 10, 60}, {50, 50, 60, 60}, {-20, -20, -10, -10}};
    for (const CRect& other : cases)
    {
        CRect r(0, 0, 10, 10);
        r.bound(other);
        EXPECT_TRUE(r.isEmpty());
        EXPECT_GE(r.getWidth(), 0);
        EXPECT_GE(r.getHeight(), 0);
    }
}

TEST(Rect, BoundIntersectsOverlappingRectangles)
{
    CRect r(0, 0, 10, 10);
    r.bound(CRect(5, -5, 20, 7));
    EXPECT_EQ(r, CRect(5, 0, 10, 7));
}

TEST(Rect, TouchesIncludesSharedEdges)
{
    const CRect r(0, 0, 10, 10);
    EXPECT_TRUE(r.touches(CRect(10, 0, 20, 10)));
    EXPECT_TRUE(r.touches(CRect(5, 5, 6, 6)));
    EXPECT_FALSE(r.touches(CRect(11, 0, 20, 10)));
}

TEST(Rect, OffsetAndMoveKeepTheSize)
{
    CRect r(1, 2, 11, 22);
    r.offset(CPoint(5, -2));
    EXPECT_EQ(r, CRect(6, 0, 16, 20));
    r.moveTo(0, 0);
    EXPECT_EQ(r, CRect(0, 0, 10, 20));
}

TEST(Color, NamedColoursHaveTheirComponents)
{
    EXPECT_EQ(kTransparentCColor, (CColor{255, 255, 255, 0}));
    EXPECT_EQ(kGreyCColor, (CColor{127, 127, 127, 255}));
    EXPECT_EQ(kMagentaCColor, (CColor{255, 0, 255, 255}));
    EXPECT_NE(kWhiteCColor, kTransparentCColor);
}

namespace
{
struct Counted : CReferenceCounter
{
    explicit Counted(int& deletions) : deletions(deletions) {}
    ~Counted() override { ++deletions; }
    int& deletions;
};
} // namespace

TEST(ReferenceCounter, TheCreatorsForgetDeletes)
{
    int deletions = 0;
    (new Counted(deletions))->forget();
    EXPECT_EQ(deletions, 1);
}

TEST(ReferenceCounter, EachRememberNeedsOneMoreForget)
{
    int deletions = 0;
    auto* object = new Counted(deletions);
    object->remember();
    EXPECT_EQ(object->getNbReference(), 2);
    object->forget();
    EXPECT_EQ(deletions, 0);
    object->forget();
    EXPECT_EQ(deletions, 1);
}
