// SPDX-License-Identifier: GPL-3.0-or-later
#include "RgbaImage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace
{

struct Sample
{
    double x = 0, y = 0; // centroid relative to the frame's centre; y grows downwards
    int count = 0;
};

// Centroid of the pixels of one film-strip frame that pass a test.
Sample centroid(const RgbaImage& strip, int frameHeight, int frame,
                const std::function<bool(const RgbaImage::Pixel&)>& pick)
{
    Sample s;
    const double c = strip.width / 2.0, top = double(frame) * frameHeight;
    for (int y = 0; y < frameHeight; ++y)
        for (int x = 0; x < strip.width; ++x)
            if (pick(strip.at(x, int(top) + y)))
            {
                s.x += x + 0.5 - c;
                s.y += y + 0.5 - frameHeight / 2.0;
                ++s.count;
            }
    if (s.count)
    {
        s.x /= s.count;
        s.y /= s.count;
    }
    return s;
}

bool isPointer(const RgbaImage::Pixel& p)
{
    return p.a > 200 && p.r > 200 && p.g > 90 && p.g < 180 && p.b < 90;
}

bool isBright(const RgbaImage::Pixel& p)
{
    return p.a > 200 && p.r > 200 && p.g > 200 && p.b > 200;
}

// A lit ring dot: strongly coloured and bright.
bool isLit(const RgbaImage::Pixel& p)
{
    int hi = std::max({p.r, p.g, p.b}), lo = std::min({p.r, p.g, p.b});
    return p.a > 150 && hi > 180 && hi - lo > 120;
}

enum class Direction
{
    down,
    left,
    up,
    right
};

// The direction in which a centroid lies, given that it clearly lies in one.
Direction directionOf(const Sample& s)
{
    if (std::fabs(s.x) > std::fabs(s.y)) return s.x < 0 ? Direction::left : Direction::right;
    return s.y < 0 ? Direction::up : Direction::down;
}

} // namespace

// The double-density set has the same frames, each twice as wide and high.
TEST(Artwork, EveryBitmapHasItsSizeAndFrameCountAtBothDensities)
{
    struct Row
    {
        int id, width, height, frames, frameHeight;
    };
    const Row rows[] = {
        {128, 535, 275, 1, 275},   {129, 45, 16245, 361, 45}, {130, 45, 8145, 181, 45},
        {131, 50, 14050, 281, 50}, {132, 50, 9050, 181, 50},  {133, 44, 88, 2, 44},
        {134, 75, 375, 5, 75},     {135, 75, 375, 5, 75},     {136, 40, 24, 1, 24},
    };
    for (const Row& row : rows)
        for (const int density : {1, 2})
        {
            SCOPED_TRACE(std::to_string(row.id) + " at density " + std::to_string(density));
            RgbaImage image = readArtwork(row.id, density);
            EXPECT_TRUE(image.rgba8);
            EXPECT_EQ(image.width, row.width * density);
            EXPECT_EQ(image.height, row.height * density);
            EXPECT_EQ(image.height, row.frames * row.frameHeight * density);
        }
}

TEST(Artwork, DirectionKnobsPointWhereTheirFrameSays)
{
    struct Row
    {
        int id, frame;
        Direction expected;
    };
    const Row rows[] = {
        {129, 0, Direction::down},    {129, 90, Direction::left},  {129, 180, Direction::up},
        {129, 270, Direction::right}, {129, 360, Direction::down}, {130, 0, Direction::down},
        {130, 90, Direction::left},   {130, 180, Direction::up},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(testing::Message() << row.id << " frame " << row.frame);
        RgbaImage strip = readArtwork(row.id);
        ASSERT_GT(strip.width, 0);
        Sample pointer = centroid(strip, 45, row.frame, isPointer);
        ASSERT_GT(pointer.count, 20);
        EXPECT_GT(std::hypot(pointer.x, pointer.y), 2.0);
        EXPECT_EQ(directionOf(pointer), row.expected);
    }
}

TEST(Artwork, AzimuthPointerTurnsOneDegreePerFrame)
{
    RgbaImage strip = readArtwork(129);
    ASSERT_GT(strip.width, 0);
    for (int frame : {45, 135, 225, 315})
    {
        Sample p = centroid(strip, 45, frame, isPointer);
        double degrees = std::atan2(-p.y, p.x) * 180 / M_PI; // mathematical sense
        double expected = 270.0 - frame;
        double diff = std::remainder(degrees - expected, 360.0);
        EXPECT_LT(std::fabs(diff), 4.0) << "frame " << frame;
    }
}

TEST(Artwork, ToggleLeverIsUpInFrameZeroAndDownInFrameOne)
{
    RgbaImage strip = readArtwork(133);
    ASSERT_GT(strip.width, 0);
    EXPECT_LT(centroid(strip, 44, 0, isBright).y, -5.0);
    EXPECT_GT(centroid(strip, 44, 1, isBright).y, 5.0);
}

TEST(Artwork, SlideSwitchThumbStandsInTheBandOfItsFrame)
{
    for (int id : {134, 135})
    {
        RgbaImage strip = readArtwork(id);
        ASSERT_GT(strip.width, 0);
        for (int frame = 0; frame < 5; ++frame)
        {
            // The thumb is the bright part of the track column.
            double sum = 0;
            int count = 0;
            for (int y = 0; y < 75; ++y)
                if (isBright(strip.at(14, frame * 75 + y)))
                {
                    sum += y;
                    ++count;
                }
            ASSERT_GT(count, 0) << id << " frame " << frame;
            double mean = sum / count;
            EXPECT_GE(mean, frame * 15.0) << id << " frame " << frame;
            EXPECT_LT(mean, frame * 15.0 + 15.0) << id << " frame " << frame;
        }
    }
}

TEST(Artwork, DistanceRingIsLitFromTheStartUpToThePointer)
{
    RgbaImage strip = readArtwork(131);
    ASSERT_GT(strip.width, 0);
    int first = centroid(strip, 50, 0, isLit).count;
    int half = centroid(strip, 50, 140, isLit).count;
    int full = centroid(strip, 50, 280, isLit).count;
    EXPECT_GT(first, 0);
    EXPECT_LT(first * 10, full);
    EXPECT_NEAR(double(half) / full, 0.5, 0.06);

    // Lit from the lower left at first; at full value the last dots, lower right, are green.
    Sample start = centroid(strip, 50, 0, isLit);
    EXPECT_LT(start.x, -10);
    EXPECT_GT(start.y, 10);
    const RgbaImage::Pixel& last = strip.at(40, 280 * 50 + 40);
    EXPECT_GT(last.g, 150);
    EXPECT_LT(last.r, 120);
    const RgbaImage::Pixel& firstDot = strip.at(10, 40);
    EXPECT_GT(firstDot.r, 200);
    EXPECT_LT(firstDot.g, 180);
}

TEST(Artwork, WidthArcWidensSymmetricallyFromTheTop)
{
    RgbaImage strip = readArtwork(132);
    ASSERT_GT(strip.width, 0);
    EXPECT_EQ(centroid(strip, 50, 0, isLit).count, 0);

    int previous = 0;
    for (int frame : {20, 90, 180})
    {
        SCOPED_TRACE(frame);
        Sample lit = centroid(strip, 50, frame, isLit);
        EXPECT_GT(lit.count, previous);
        EXPECT_NEAR(lit.x, 0.0, 0.5); // symmetric about the top
        EXPECT_LT(lit.y, 0.0);        // on the upper arc
        previous = lit.count;
    }
    // The whole upper arc at frame 180 reaches down to the horizontal.
    Sample full = centroid(strip, 50, 180, isLit);
    EXPECT_GT(full.y, -16.0);
}

TEST(Artwork, PanelCarriesReadoutBoxesUnderTheFourDisplays)
{
    RgbaImage panel = readArtwork(128);
    RgbaImage box = readArtwork(136);
    ASSERT_GT(panel.width, 0);
    ASSERT_GT(box.width, 0);
    const RgbaImage::Pixel& inside = box.at(20, 12);
    const int readouts[4][2] = {{400, 118}, {400, 220}, {273, 167}, {273, 86}};
    for (const auto& r : readouts)
    {
        const RgbaImage::Pixel& p = panel.at(r[0] + 20, r[1] + 12);
        EXPECT_EQ(p.r, inside.r);
        EXPECT_EQ(p.g, inside.g);
        EXPECT_EQ(p.b, inside.b);
    }
    // Light blue, with a darker bevel at the top and left edges.
    EXPECT_GT(inside.b, inside.r);
    EXPECT_LT(box.at(0, 12).b, inside.b);
    EXPECT_LT(box.at(20, 0).b, inside.b);
    EXPECT_EQ(box.at(39, 23).b, inside.b);
}

TEST(Artwork, PanelIsOpaque)
{
    RgbaImage panel = readArtwork(128);
    ASSERT_GT(panel.width, 0);
    for (const auto& p : panel.pixels)
        ASSERT_EQ(p.a, 255);
}
