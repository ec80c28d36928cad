// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawTestSupport.h"

#include <gtest/gtest.h>

using drawtest::inkBounds;

namespace
{
constexpr CColor kBackground = kBlackCColor;
const CRect kBox(10, 10, 110, 34);

CRect inkOf(const char* text, CHoriTxtAlign align)
{
    COffscreenContext* context = new COffscreenContext(nullptr, 120, 44, kBackground);
    context->setFont(kNormalFont);
    context->setFontColor(kWhiteCColor);
    context->drawString(text, kBox, 0, align);
    const CRect ink = inkBounds(*context, kBackground);
    context->forget();
    return ink;
}
} // namespace

TEST(Text, StringWidthGrowsWithTheText)
{
    COffscreenContext* context = new COffscreenContext(nullptr, 10, 10, kBackground);
    context->setFont(kNormalFont);
    EXPECT_EQ(context->getStringWidth(""), 0);
    EXPECT_GT(context->getStringWidth("H"), 3);
    EXPECT_GT(context->getStringWidth("HHHH"), 3 * context->getStringWidth("H"));
    EXPECT_EQ(context->getStringWidth(nullptr), 0);
    context->forget();
}

TEST(Text, AlignmentPlacesTheTextInTheRectangle)
{
    const CRect left = inkOf("HIH", kLeftText);
    EXPECT_GE(left.left, kBox.left + 1);
    EXPECT_LE(left.left, kBox.left + 3);

    const CRect right = inkOf("HIH", kRightText);
    EXPECT_LE(right.right, kBox.right);
    EXPECT_GE(right.right, kBox.right - 3);

    const CRect centre = inkOf("HIH", kCenterText);
    EXPECT_NEAR((centre.left + centre.right) / 2.0, (kBox.left + kBox.right) / 2.0, 2.0);
}

TEST(Text, CapitalsAreCentredVertically)
{
    const CRect ink = inkOf("HIH", kCenterText);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, (kBox.top + kBox.bottom) / 2.0, 2.0);
}

TEST(Text, NullTextDrawsNothing)
{
    EXPECT_TRUE(inkOf(nullptr, kCenterText).isEmpty());
}

TEST(Text, BytesThatAreNotUtf8StillDrawAndLeaveTheContextWorking)
{
    COffscreenContext* context = new COffscreenContext(nullptr, 120, 44, kBackground);
    context->setFont(kNormalFont);
    context->drawString("45\xb0 \xff\xfe", kBox);
    EXPECT_FALSE(inkBounds(*context, kBackground).isEmpty());
    context->setFillColor(kRedCColor);
    context->fillRect(CRect(0, 0, 2, 2));
    EXPECT_EQ(drawtest::pixel(*context, 1, 1), kRedCColor);
    context->forget();
}
