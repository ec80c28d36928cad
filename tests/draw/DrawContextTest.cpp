// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawTestSupport.h"

#include "gui/CDrawContext.h"

#include <gtest/gtest.h>

using drawtest::countPixels;
using drawtest::inkBounds;
using drawtest::pixel;

namespace
{
constexpr CColor kBackground = kBlackCColor;

// A black offscreen context that draws lines in white.
COffscreenContext* blank(long width = 20, long height = 20)
{
    auto* context = new COffscreenContext(nullptr, width, height, kBackground);
    context->setFrameColor(kWhiteCColor);
    return context;
}
} // namespace

TEST(DrawContext, StartsWithTheDocumentedState)
{
    CDrawContext context(nullptr, nullptr, nullptr);
    CRect clip;
    EXPECT_EQ(context.getClipRect(clip), CRect(0, 0, 1000, 1000));
    EXPECT_EQ(context.getFrameColor(), kWhiteCColor);
    EXPECT_EQ(context.getFillColor(), kBlackCColor);
    EXPECT_EQ(context.getFontColor(), kWhiteCColor);
    EXPECT_EQ(context.getLineWidth(), 1);
    EXPECT_EQ(context.getLineStyle(), kLineSolid);
    EXPECT_EQ(context.getDrawMode(), kCopyMode);
    EXPECT_EQ(context.getFont(), kSystemFont);
    EXPECT_EQ(context.getFontSize(), 12);
}

TEST(DrawContext, AContextWithoutSurfaceAcceptsEveryCall)
{
    CDrawContext context(nullptr, nullptr, nullptr);
    const CPoint points[] = {{0, 0}, {5, 5}, {0, 5}};
    context.fillRect(CRect(0, 0, 10, 10));
    context.drawPolygon(points, 3, kDrawFilledAndStroked);
    context.drawEllipse(CRect(0, 0, 10, 10), kDrawFilledAndStroked);
    context.drawString("text", CRect(0, 0, 50, 20));
    EXPECT_EQ(context.getStringWidth("text"), 0);
    EXPECT_EQ(context.getPoint(CPoint(1, 1)), kBlackCColor);
}

TEST(DrawContext, AnOffscreenContextOfNoSizeDrawsNothing)
{
    for (const CPoint size : {CPoint(0, 10), CPoint(10, 0), CPoint(-5, -5)})
    {
        COffscreenContext* context = new COffscreenContext(nullptr, size.h, size.v, kRedCColor);
        EXPECT_EQ(context->getImage(), nullptr);
        context->fillRect(CRect(0, 0, 10, 10));
        context->drawString("text", CRect(0, 0, 10, 10));
        context->forget();
    }
}

TEST(DrawContext, OffscreenStartsFilledWithItsBackground)
{
    COffscreenContext* context = new COffscreenContext(nullptr, 8, 6, kGreenCColor);
    EXPECT_EQ(countPixels(*context, CRect(0, 0, 8, 6), kGreenCColor), 48);
    EXPECT_EQ(context->getFillColor(), kGreenCColor);
    EXPECT_EQ(context->getFrameColor(), kGreenCColor);
    CRect clip;
    EXPECT_EQ(context->getClipRect(clip), CRect(0, 0, 8, 6));
    context->forget();
}

TEST(DrawContext, FillRectExcludesTheRightColumnAndBottomRow)
{
    COffscreenContext* context = blank();
    context->setFillColor(kRedCColor);
    context->fillRect(CRect(2, 3, 12, 13));
    EXPECT_EQ(inkBounds(*context, kBackground), CRect(2, 3, 12, 13));
    EXPECT_EQ(countPixels(*context, CRect(0, 0, 20, 20), kRedCColor), 100);
    context->forget();
}

TEST(DrawContext, DrawRectOutlinesTheBorderPixelsOfTheFilledArea)
{
    COffscreenContext* context = blank();
    context->drawRect(CRect(0, 0, 10, 10));
    for (long i = 0; i < 10; ++i)
    {
        EXPECT_EQ(pixel(*context, i, 0), kWhiteCColor) << i;
        EXPECT_EQ(pixel(*context, i, 9), kWhiteCColor) << i;
        EXPECT_EQ(pixel(*context, 0, i), kWhiteCColor) << i;
        EXPECT_EQ(pixel(*context, 9, i), kWhiteCColor) << i;
        EXPECT_EQ(pixel(*context, 10, i), kBackground) << i;
        EXPECT_EQ(pixel(*context, i, 10), kBackground) << i;
    }
    EXPECT_EQ(countPixels(*context, CRect(1, 1, 9, 9), kBackground), 64);
    context->forget();
}

TEST(DrawContext, FilledAndStrokedRectHasOutlineOverFill)
{
    COffscreenContext* context = blank();
    context->setFillColor(kBlueCColor);
    context->setFrameColor(kYellowCColor);
    context->drawRect(CRect(0, 0, 10, 10), kDrawFilledAndStroked);
    EXPECT_EQ(countPixels(*context, CRect(0, 0, 20, 20), kYellowCColor), 36);
    EXPECT_EQ(countPixels(*context, CRect(0, 0, 20, 20), kBlueCColor), 64);
    context->forget();
}

TEST(DrawContext, DrawingOffsetMovesEveryPrimitive)
{
    COffscreenContext* context = blank();
    context->setOffset(CPoint(5, 7));
    context->setFillColor(kRedCColor);
    context->fillRect(CRect(0, 0, 3, 2));
    EXPECT_EQ(inkBounds(*context, kBackground), CRect(5, 7, 8, 9));
    context->forget();
}

TEST(DrawContext, ClipRectangleLimitsDrawingAndReadsBackWithoutTheOffset)
{
    COffscreenContext* context = blank();
    context->setOffset(CPoint(2, 2));
    context->setClipRect(CRect(0, 0, 5, 5));
    CRect clip;
    EXPECT_EQ(context->getClipRect(clip), CRect(0, 0, 5, 5));
    context->setOffset(CPoint(0, 0));
    EXPECT_EQ(context->getClipRect(clip), CRect(2, 2, 7, 7));
    context->setFillColor(kRedCColor);
    context->fillRect(CRect(0, 0, 20, 20));
    EXPECT_EQ(inkBounds(*context, kBackground), CRect(2, 2, 7, 7));
    context->forget();
}

TEST(DrawContext, ResetClipRectFallsBackToTheDefaultArea)
{
    COffscreenContext* context = blank();
    context->setClipRect(CRect(0, 0, 1, 1));
    context->resetClipRect();
    context->setFillColor(kRedCColor);
    context->fillRect(CRect(0, 0, 20, 20));
    EXPECT_EQ(countPixels(*context, CRect(0, 0, 20, 20), kRedCColor), 400);
    context->forget();
}

TEST(DrawContext, LinesPaintBothEndPixelsAndMoveThePen)
{
    COffscreenContext* context = blank();
    context->moveTo(CPoint(2, 4));
    context->lineTo(CPoint(9, 4));
    context->lineTo(CPoint(9, 8));
    EXPECT_EQ(countPixels(*context, CRect(2, 4, 10, 5), kWhiteCColor), 8);
    EXPECT_EQ(countPixels(*context, CRect(9, 4, 10, 9), kWhiteCColor), 5);
    EXPECT_EQ(inkBounds(*context, kBackground), CRect(2, 4, 10, 9));
    context->forget();
}

TEST(DrawContext, PolyLinePaintsThePixelsOfItsSegments)
{
    COffscreenContext* lines = blank();
    lines->moveTo(CPoint(2, 2));
    lines->lineTo(CPoint(8, 2));
    lines->lineTo(CPoint(8, 6));
    COffscreenContext* poly = blank();
    const CPoint points[] = {{2, 2}, {8, 2}, {8, 6}};
    poly->polyLine(points, 3);
    for (long y = 0; y < 20; ++y)
        for (long x = 0; x < 20; ++x)
            EXPECT_EQ(pixel(*poly, x, y), pixel(*lines, x, y)) << x << "," << y;
    poly->forget();
    lines->forget();
}

TEST(DrawContext, DrawLinesTakesThePointsInPairs)
{
    COffscreenContext* context = blank();
    const CPoint points[] = {{0, 0}, {4, 0}, {0, 10}, {4, 10}};
    context->drawLines(points, 2);
    EXPECT_EQ(countPixels(*context, CRect(0, 0, 20, 20), kWhiteCColor), 10);
    EXPECT_EQ(pixel(*context, 0, 5), kBackground);
    context->forget();
}

// Windows draws the system's dotted pen: three pixels on, three off.
#ifdef _WIN32
constexpr long kDotLength = 3;
#else
constexpr long kDotLength = 1;
#endif

TEST(DrawContext, DottedLinesAlternateDotsAndGapsOfOneDotLength)
{
    COffscreenContext* context = blank();
    context->setLineStyle(kLineDotted);
    context->moveTo(CPoint(0, 1));
    context->lineTo(CPoint(11, 1));
    for (long x = 0; x < 11; ++x) // the end pixel follows each system's own rule
        EXPECT_EQ(pixel(*context, x, 1), x / kDotLength % 2 ? kBackground : kWhiteCColor) << x;
    context->forget();
}

TEST(DrawContext, DrawPointPaintsOnePixelAndKeepsThePen)
{
    COffscreenContext* context = blank();
    context->setLineWidth(3);
    context->drawPoint(CPoint(4, 5), kCyanCColor);
    EXPECT_EQ(inkBounds(*context, kBackground), CRect(4, 5, 5, 6));
    EXPECT_EQ(context->getLineWidth(), 3);
    EXPECT_EQ(context->getFrameColor(), kWhiteCColor);
    EXPECT_EQ(context->getPoint(CPoint(4, 5)), kCyanCColor);
    context->forget();
}

TEST(DrawContext, FilledPolygonStaysInsideItsPoints)
{
    COffscreenContext* context = blank();
    context->setFillColor(kRedCColor);
    const CPoint triangle[] = {{0, 0}, {10, 0}, {0, 10}};
    context->fillPolygon(triangle, 3);
    EXPECT_EQ(pixel(*context, 2, 2), kRedCColor);
    EXPECT_EQ(pixel(*context, 9, 9), kBackground);
    EXPECT_TRUE(CRect(0, 0, 11, 11).touches(inkBounds(*context, kBackground)));
    context->forget();
}

TEST(DrawContext, EllipseIsInscribedInItsRectangle)
{
    COffscreenContext* context = blank();
    context->setFillColor(kRedCColor);
    context->fillEllipse(CRect(2, 2, 18, 12));
    EXPECT_EQ(pixel(*context, 10, 7), kRedCColor);
    EXPECT_EQ(pixel(*context, 2, 2), kBackground);
    EXPECT_EQ(inkBounds(*context, kBackground), CRect(2, 2, 18, 12));
    context->forget();
}

TEST(DrawContext, PieFromPointsCoversTheCounterClockwiseSpan)
{
    COffscreenContext* context = blank();
    context->setFillColor(kRedCColor);
    // From the right (0 degrees) counter-clockwise to the top (90 degrees): the upper right.
    context->fillArc(CRect(0, 0, 20, 20), CPoint(20, 10), CPoint(10, 0));
    EXPECT_EQ(pixel(*context, 14, 5), kRedCColor);
    EXPECT_EQ(pixel(*context, 5, 5), kBackground);
    EXPECT_EQ(pixel(*context, 14, 14), kBackground);
    context->forget();
}

// The standard fonts of each platform: Windows has its own sizes and faces.
#ifdef _WIN32
constexpr long kStandardSizes[kNumFonts] = {12, 18, 14, 12, 11, 10, 9, 13};
constexpr const char* kPlainFace = "Arial";
#else
constexpr long kStandardSizes[kNumFonts] = {12, 18, 14, 12, 10, 9, 9, 12};
constexpr const char* kPlainFace = "Helvetica";
#endif

TEST(DrawContext, SetFontMapsInvalidIdsToTheSystemFontAtItsStandardSize)
{
    CDrawContext context(nullptr, nullptr, nullptr);
    context.setFont(kNormalFont, 30, kBoldFace);
    context.setFont(CFont(9), 0, 0);
    EXPECT_EQ(context.getFont(), kSystemFont);
    EXPECT_EQ(context.getFontSize(), gStandardFontSize[kSystemFont]);
    EXPECT_EQ(context.getFontStyle(), 0);
    context.setFont(kSmallFont);
    EXPECT_EQ(context.getFontSize(), kStandardSizes[kSmallFont]);
}

TEST(DrawContext, StandardFontTableHasTheSizesAndFacesOfEachId)
{
    for (int id = 0; id < kNumFonts; ++id)
        EXPECT_EQ(gStandardFontSize[id], kStandardSizes[id]) << id;
    EXPECT_STREQ(gStandardFontName[kSymbolFont], "Symbol");
    EXPECT_STREQ(gStandardFontName[kNormalFont], kPlainFace);
}

TEST(DrawContext, CopyFromPlacesTheSourcePixelsAtTheDestination)
{
    COffscreenContext* source = new COffscreenContext(nullptr, 10, 10, kBlueCColor);
    source->setFillColor(kRedCColor);
    source->fillRect(CRect(5, 5, 10, 10));
    COffscreenContext* dest = blank();
    dest->setOffset(CPoint(1, 1));
    source->copyFrom(dest, CRect(0, 0, 4, 4), CPoint(3, 3));
    EXPECT_EQ(inkBounds(*dest, kBackground), CRect(1, 1, 5, 5));
    EXPECT_EQ(countPixels(*dest, CRect(1, 1, 5, 5), kBlueCColor), 12);
    EXPECT_EQ(countPixels(*dest, CRect(3, 3, 5, 5), kRedCColor), 4);
    dest->forget();
    source->forget();
}

TEST(DrawContext, CopyToTakesThePixelsUnderTheSourceRectangle)
{
    COffscreenContext* source = blank();
    source->setFillColor(kRedCColor);
    source->fillRect(CRect(10, 10, 14, 12));
    COffscreenContext* target = new COffscreenContext(nullptr, 8, 8, kGreenCColor);
    CRect area(10, 10, 14, 12);
    target->copyTo(source, area, CPoint(2, 3));
    EXPECT_EQ(countPixels(*target, CRect(2, 3, 6, 5), kRedCColor), 8);
    EXPECT_EQ(countPixels(*target, CRect(0, 0, 8, 8), kGreenCColor), 56);
    target->forget();
    source->forget();
}

TEST(DrawContext, CopyOntoItselfHandlesOverlap)
{
    COffscreenContext* context = blank();
    context->setFillColor(kRedCColor);
    context->fillRect(CRect(0, 0, 4, 4));
    context->copyFrom(context, CRect(2, 2, 6, 6), CPoint(0, 0));
    EXPECT_EQ(inkBounds(*context, kBackground), CRect(0, 0, 6, 6));
    EXPECT_EQ(countPixels(*context, CRect(0, 0, 6, 6), kRedCColor), 28);
    context->forget();
}
