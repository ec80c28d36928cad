// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawTestSupport.h"

#include "gui/CBitmap.h"
#include "gui/CFrame.h"

#include <gtest/gtest.h>
#include <zlib.h>

using drawtest::countPixels;
using drawtest::encodePng;
using drawtest::inkBounds;
using drawtest::pixel;
using drawtest::rgbaPng;
using drawtest::storedPixel;

namespace
{
constexpr CColor kBackground = kBlackCColor;

CColor storedOne(const std::vector<unsigned char>& png)
{
    CBitmap bitmap;
    EXPECT_TRUE(bitmap.loadFromMemory(png.data(), png.size()));
    return bitmap.isLoaded() ? storedPixel(*bitmap.getImage(), 0, 0) : CColor{};
}

// Opaque colours as stored: each channel c becomes c * 255 >> 8.
constexpr CColor kStoredRed = {254, 0, 0, 255};
constexpr CColor kStoredGreen = {0, 254, 0, 255};
constexpr CColor kStoredBlue = {0, 0, 254, 255};

// A vertical strip of three 4 x 4 frames: red, green, blue.
std::vector<unsigned char> stripPng()
{
    std::vector<CColor> pixels;
    for (CColor c : {kRedCColor, kGreenCColor, kBlueCColor})
        pixels.insert(pixels.end(), 16, c);
    return rgbaPng(4, 12, pixels);
}

// The header's width and height, with its checksum made right, so that only the size is wrong.
std::vector<unsigned char> withSize(std::vector<unsigned char> png, uint32_t width, uint32_t height)
{
    const uint32_t fields[] = {width, height};
    for (int i = 0; i < 2; ++i)
        for (int b = 0; b < 4; ++b)
            png[16 + 4 * i + b] = uint8_t(fields[i] >> (24 - 8 * b));
    const uint32_t crc = uint32_t(crc32(0, png.data() + 12, 17));
    for (int b = 0; b < 4; ++b)
        png[29 + b] = uint8_t(crc >> (24 - 8 * b));
    return png;
}

void expectNear(CColor actual, CColor expected)
{
    EXPECT_NEAR(actual.red, expected.red, 1);
    EXPECT_NEAR(actual.green, expected.green, 1);
    EXPECT_NEAR(actual.blue, expected.blue, 1);
    EXPECT_NEAR(actual.alpha, expected.alpha, 1);
}
} // namespace

TEST(Bitmap, PixelsArePremultipliedByShiftingBy8)
{
    struct Case
    {
        CColor file, stored;
    } cases[] = {
        {{255, 0, 0, 128}, {127, 0, 0, 128}},
        {{200, 100, 50, 0}, {0, 0, 0, 0}},
        {{255, 255, 255, 255}, {254, 254, 254, 255}},
        {{10, 20, 30, 1}, {0, 0, 0, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(storedOne(rgbaPng(1, 1, {c.file})), c.stored);
}

TEST(Bitmap, EveryPngKindIsConvertedToPremultipliedRgba)
{
    const std::vector<png_color> palette = {{10, 20, 30}, {200, 100, 0}};
    struct Case
    {
        const char* name;
        std::vector<unsigned char> png;
        CColor stored;
    } cases[] = {
        {"grey", encodePng(1, 1, PNG_COLOR_TYPE_GRAY, 8, {100}), {99, 99, 99, 255}},
        {"grey 1-bit", encodePng(1, 1, PNG_COLOR_TYPE_GRAY, 1, {0x80}), {254, 254, 254, 255}},
        {"grey with alpha",
         encodePng(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {255, 128}),
         {127, 127, 127, 128}},
        {"palette", encodePng(1, 1, PNG_COLOR_TYPE_PALETTE, 8, {1}, palette), {199, 99, 0, 255}},
        {"palette with transparency",
         encodePng(1, 1, PNG_COLOR_TYPE_PALETTE, 8, {0}, palette, {0}),
         {0, 0, 0, 0}},
        {"rgb", encodePng(1, 1, PNG_COLOR_TYPE_RGB, 8, {255, 128, 0}), {254, 127, 0, 255}},
        {"rgba 16-bit",
         encodePng(1, 1, PNG_COLOR_TYPE_RGBA, 16, {255, 255, 0, 0, 0, 0, 128, 0}),
         {127, 0, 0, 128}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(storedOne(c.png), c.stored);
    }
}

TEST(Bitmap, SizeComesFromTheImageAndTheFirstRowIsTheTop)
{
    CBitmap bitmap;
    const std::vector<unsigned char> png = stripPng();
    ASSERT_TRUE(bitmap.loadFromMemory(png.data(), png.size()));
    EXPECT_EQ(bitmap.getWidth(), 4);
    EXPECT_EQ(bitmap.getHeight(), 12);
    EXPECT_TRUE(bitmap.hasAlpha());
    EXPECT_EQ(storedPixel(*bitmap.getImage(), 0, 0), kStoredRed);
    EXPECT_EQ(storedPixel(*bitmap.getImage(), 3, 11), kStoredBlue);
}

TEST(Bitmap, BadDataLeavesAnEmptyBitmapAndReportsFailure)
{
    const std::vector<unsigned char> good = stripPng();
    std::vector<unsigned char> corrupt = good;
    corrupt[good.size() / 2] ^= 0xff;
    const std::string garbage = "\x89PNG\r\n\x1a\n this is not an image at all";
    struct Case
    {
        const char* name;
        const void* data;
        size_t size;
    } cases[] = {
        {"garbage", garbage.data(), garbage.size()},
        {"truncated", good.data(), good.size() / 2},
        {"header only", good.data(), 33},
        {"corrupt", corrupt.data(), corrupt.size()},
        {"empty", good.data(), 0},
        {"null", nullptr, 100},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.loadFromMemory(good.data(), good.size()));
        EXPECT_FALSE(bitmap.loadFromMemory(c.data, c.size));
        EXPECT_FALSE(bitmap.isLoaded());
        EXPECT_EQ(bitmap.getWidth(), 0);
        EXPECT_EQ(bitmap.getHeight(), 0);
    }
}

TEST(Bitmap, HeadersAskingForHugeImagesAreRejected)
{
    const std::vector<unsigned char> small = rgbaPng(1, 1, {kRedCColor});
    const uint32_t sizes[][2] = {{30000, 30000}, {100000, 1}, {1, 0x7fffffff}};
    for (const auto& size : sizes)
    {
        const std::vector<unsigned char> png = withSize(small, size[0], size[1]);
        CBitmap bitmap;
        EXPECT_FALSE(bitmap.loadFromMemory(png.data(), png.size())) << size[0] << "x" << size[1];
        EXPECT_EQ(bitmap.getWidth(), 0);
    }
    const std::vector<unsigned char> same = withSize(small, 1, 1);
    CBitmap bitmap;
    EXPECT_TRUE(bitmap.loadFromMemory(same.data(), same.size()));
}

TEST(Bitmap, AMissingResourceGivesAnEmptyBitmapThatDrawsNothing)
{
    CBitmap* bitmap = new CBitmap(4242);
    EXPECT_FALSE(bitmap->loadFromResource(4242));
    EXPECT_EQ(bitmap->getWidth(), 0);
    EXPECT_EQ(bitmap->getHeight(), 0);
    EXPECT_EQ(bitmap->getResourceId(), 4242);
    COffscreenContext* context = new COffscreenContext(nullptr, 10, 10, kBackground);
    CRect all(0, 0, 10, 10);
    bitmap->draw(context, all);
    bitmap->drawTransparent(context, all);
    EXPECT_TRUE(inkBounds(*context, kBackground).isEmpty());
    context->forget();
    bitmap->forget();
}

TEST(Bitmap, EveryEditorResourceLoadsAtItsSize)
{
    struct Case
    {
        long id, width, height;
    } cases[] = {
        {128, 535, 275}, {129, 45, 16245}, {130, 45, 8145}, {131, 50, 14050}, {132, 50, 9050},
        {133, 44, 88},   {134, 75, 375},   {135, 75, 375},  {136, 40, 24},
    };
    for (const Case& c : cases)
    {
        CBitmap* bitmap = new CBitmap(c.id);
        EXPECT_TRUE(bitmap->isLoaded()) << c.id;
        EXPECT_EQ(bitmap->getWidth(), c.width) << c.id;
        EXPECT_EQ(bitmap->getHeight(), c.height) << c.id;
        EXPECT_TRUE(bitmap->hasAlpha()) << c.id;
        bitmap->forget();
    }
}

TEST(Bitmap, LoadFromPathIsNotSupported)
{
    CBitmap bitmap(128);
    EXPECT_FALSE(bitmap.loadFromPath("/tmp/anything.png"));
    EXPECT_FALSE(bitmap.isLoaded());
}

TEST(Bitmap, OffsetSelectsTheFrameOfAFilmStrip)
{
    CBitmap bitmap;
    const std::vector<unsigned char> png = stripPng();
    ASSERT_TRUE(bitmap.loadFromMemory(png.data(), png.size()));
    const CColor frames[] = {kStoredRed, kStoredGreen, kStoredBlue};
    for (long frame = 0; frame < 3; ++frame)
    {
        COffscreenContext* context = new COffscreenContext(nullptr, 10, 10, kBackground);
        CRect dest(3, 2, 7, 6);
        bitmap.draw(context, dest, CPoint(0, 4 * frame));
        EXPECT_EQ(countPixels(*context, dest, frames[frame]), 16) << frame;
        EXPECT_EQ(inkBounds(*context, kBackground), dest) << frame;
        context->forget();
    }
}

TEST(Bitmap, DrawingHonoursTheContextOffsetAndClip)
{
    CBitmap bitmap;
    const std::vector<unsigned char> png = stripPng();
    ASSERT_TRUE(bitmap.loadFromMemory(png.data(), png.size()));
    COffscreenContext* context = new COffscreenContext(nullptr, 20, 20, kBackground);
    context->setOffset(CPoint(10, 10));
    context->setClipRect(CRect(0, 0, 2, 3));
    CRect dest(0, 0, 4, 12);
    bitmap.draw(context, dest);
    EXPECT_EQ(inkBounds(*context, kBackground), CRect(10, 10, 12, 13));
    context->forget();
}

TEST(Bitmap, PerPixelAlphaBlendsOverTheContext)
{
    CBitmap bitmap;
    const std::vector<unsigned char> png = rgbaPng(1, 1, {{255, 0, 0, 128}});
    ASSERT_TRUE(bitmap.loadFromMemory(png.data(), png.size()));
    COffscreenContext* context = new COffscreenContext(nullptr, 2, 2, kBlueCColor);
    CRect dest(0, 0, 1, 1);
    bitmap.draw(context, dest);
    expectNear(pixel(*context, 0, 0), {127, 0, 127, 255});
    context->forget();
}

TEST(Bitmap, ConstantAlphaScalesTheBitmapsOwn)
{
    CBitmap bitmap;
    const std::vector<unsigned char> png = rgbaPng(1, 1, {kWhiteCColor});
    ASSERT_TRUE(bitmap.loadFromMemory(png.data(), png.size()));
    COffscreenContext* context = new COffscreenContext(nullptr, 2, 2, kBackground);
    CRect dest(0, 0, 1, 1);
    bitmap.drawAlphaBlend(context, dest, CPoint(0, 0), 128);
    expectNear(pixel(*context, 0, 0), {127, 127, 127, 255});
    bitmap.drawAlphaBlend(context, dest, CPoint(0, 0), 0);
    expectNear(pixel(*context, 0, 0), {127, 127, 127, 255});
    context->forget();
}

TEST(Bitmap, TransparentDrawingOfAnAlphaBitmapIgnoresTheKey)
{
    CBitmap bitmap;
    const std::vector<unsigned char> png = rgbaPng(1, 1, {kRedCColor});
    ASSERT_TRUE(bitmap.loadFromMemory(png.data(), png.size()));
    bitmap.setTransparentColor(kRedCColor);
    COffscreenContext* context = new COffscreenContext(nullptr, 2, 2, kBackground);
    CRect dest(0, 0, 1, 1);
    bitmap.drawTransparent(context, dest);
    EXPECT_EQ(pixel(*context, 0, 0), kStoredRed);
    context->forget();
}

TEST(Bitmap, KeyedTransparencyLeavesOutPixelsOfTheTransparentColour)
{
    CFrame* frame = new CFrame(CRect(0, 0, 10, 10), nullptr, nullptr);
    CBitmap* bitmap = new CBitmap(*frame, 4, 1);
    EXPECT_FALSE(bitmap->hasAlpha());
    COffscreenContext* painter = new COffscreenContext(nullptr, bitmap, true);
    painter->setFillColor(kMagentaCColor);
    painter->fillRect(CRect(0, 0, 2, 1));
    painter->forget();

    bitmap->setTransparentColor(kMagentaCColor);
    COffscreenContext* context = new COffscreenContext(nullptr, 4, 1, kGreenCColor);
    CRect dest(0, 0, 4, 1);
    bitmap->drawTransparent(context, dest);
    EXPECT_EQ(countPixels(*context, CRect(0, 0, 2, 1), kGreenCColor), 2);
    EXPECT_EQ(countPixels(*context, CRect(2, 0, 4, 1), kBlackCColor), 2);

    bitmap->draw(context, dest);
    EXPECT_EQ(countPixels(*context, CRect(0, 0, 2, 1), kMagentaCColor), 2);
    context->forget();
    bitmap->forget();
    frame->forget();
}

TEST(Bitmap, AnOffscreenContextOverABitmapStartsAsItsCopy)
{
    CBitmap* bitmap = new CBitmap;
    const std::vector<unsigned char> png = stripPng();
    ASSERT_TRUE(bitmap->loadFromMemory(png.data(), png.size()));
    COffscreenContext* copy = new COffscreenContext(nullptr, bitmap, false);
    EXPECT_EQ(copy->getWidth(), 4);
    EXPECT_EQ(copy->getHeight(), 12);
    EXPECT_EQ(pixel(*copy, 0, 5), kStoredGreen);
    copy->setFillColor(kWhiteCColor);
    copy->fillRect(CRect(0, 0, 4, 12));
    EXPECT_EQ(storedPixel(*bitmap->getImage(), 0, 5), kStoredGreen);
    copy->forget();
    bitmap->forget();
}

TEST(Bitmap, AnOffscreenContextKeepsItsBitmapAlive)
{
    CBitmap* bitmap = new CBitmap;
    const std::vector<unsigned char> png = stripPng();
    ASSERT_TRUE(bitmap->loadFromMemory(png.data(), png.size()));
    COffscreenContext* context = new COffscreenContext(nullptr, bitmap, true);
    EXPECT_EQ(bitmap->getNbReference(), 2);
    bitmap->forget();
    context->setFillColor(kWhiteCColor);
    context->fillRect(CRect(0, 0, 1, 1));
    EXPECT_EQ(storedPixel(*bitmap->getImage(), 0, 0), kWhiteCColor);
    context->forget();
}

TEST(Bitmap, AnOffscreenContextWithoutBitmapIsBlackAndTwentyPixelsSquare)
{
    COffscreenContext* context = new COffscreenContext(nullptr, nullptr, false);
    EXPECT_EQ(context->getWidth(), 20);
    EXPECT_EQ(countPixels(*context, CRect(0, 0, 20, 20), kBlackCColor), 400);
    context->forget();
}
