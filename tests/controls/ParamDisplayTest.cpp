// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlHarness.h"
#include "TextDigest.h"

#include "editor/converters.h"
#include "gui/COffscreenContext.h"
#include "gui/CParamDisplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace
{

std::string converted(void (*convert)(float, char*), float value)
{
    char text[256] = {};
    convert(value, text);
    return text;
}

std::string lastPlain, lastWithData;

void plainConverter(float value, char* text)
{
    lastPlain = std::to_string(value);
    text[0] = 0;
}

void dataConverter(float value, char* text, void* data)
{
    lastWithData = std::to_string(value) + static_cast<const char*>(data);
    text[0] = 0;
}

const CColor kBlue = {0, 0, 255, 255};

} // namespace

TEST(ReadoutConverters, PrintOneDecimalOfTheirQuantity)
{
    struct Case
    {
        void (*convert)(float, char*);
        const char* atZero;
        const char* atHalf;
        const char* atOne;
    };
    const Case cases[] = {
        {degreeStringConvert, "180.0", "0.0", "-180.0"},
        {elevationDegreeStringConvert, "-90.0", "0.0", "90.0"},
        {distanceStringConvert, "0.1", "5.1", "10.1"},
        {widthDegreeStringConvert, "0.0", "90.0", "180.0"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(converted(c.convert, 0.0f), c.atZero);
        EXPECT_EQ(converted(c.convert, 0.5f), c.atHalf);
        EXPECT_EQ(converted(c.convert, 1.0f), c.atOne);
    }
}

TEST(ReadoutConverters, ShowZeroWithoutASign)
{
    for (float justPastTheMiddle : {0.5001f, 0.50001f})
    {
        EXPECT_EQ(converted(degreeStringConvert, justPastTheMiddle), "0.0");
        EXPECT_EQ(converted(elevationDegreeStringConvert, 1.0f - justPastTheMiddle), "0.0");
    }
}

TEST(ReadoutConverters, StayWithinTheirBufferForAnyValue)
{
    for (float value : {1e38f, -1e38f, NAN, INFINITY})
    {
        for (auto convert : {degreeStringConvert, elevationDegreeStringConvert,
                             distanceStringConvert, widthDegreeStringConvert})
        {
            char text[256];
            std::fill(std::begin(text), std::end(text), 'x');
            convert(value, text);
            EXPECT_LT(std::string(text, std::find(text, text + 256, '\0')).size(), 64u);
        }
    }
}

// The read-outs keep their digits from release to release. The digest is of the four
// read-outs' texts at a sample of the floats in 0..1, as they were when they last changed.
TEST(ReadoutConverters, TextsAcrossTheFloatsInZeroToOneAreUnchanged)
{
    sferant_test::TextDigest digest;
    sferant_test::forSampledFloatsInZeroToOne(
        [&](float x)
        {
            for (auto convert : {degreeStringConvert, elevationDegreeStringConvert,
                                 distanceStringConvert, widthDegreeStringConvert})
                digest.add(converted(convert, x));
        });
    EXPECT_EQ(digest.value(), 17818601241110062523u);
}

TEST(ParamDisplay, AConverterWithDataWinsOverAPlainOne)
{
    ControlBench bench;
    auto* display = bench.add(new CParamDisplay(CRect(0, 0, 40, 24)));
    static char tag[] = "!";
    display->setStringConvert(plainConverter);
    display->setStringConvert(dataConverter, tag);
    display->setValue(0.25f);
    lastPlain.clear();
    COffscreenContext offscreen(bench.frame, 100, 50);
    display->draw(&offscreen);
    EXPECT_EQ(lastWithData, std::to_string(0.25f) + "!");
    EXPECT_TRUE(lastPlain.empty());
    EXPECT_FALSE(display->isDirty());
}

TEST(ParamDisplay, SettingTheSameLookAgainDoesNotMarkItDirty)
{
    ControlBench bench;
    auto* display = bench.add(new CParamDisplay(CRect(0, 0, 40, 24), nullptr, 1));
    display->setDirty(false);
    display->setFont(kNormalFont);
    display->setFontColor(kWhiteCColor);
    display->setBackColor(kBlackCColor);
    display->setFrameColor(kBlackCColor);
    display->setShadowColor(kRedCColor);
    display->setHoriAlign(kCenterText);
    display->setStyle(1);
    display->setTxtFace(kNormalFace);
    display->setStringConvert(plainConverter);
    EXPECT_FALSE(display->isDirty());
    display->setFontColor(kBlue);
    EXPECT_TRUE(display->isDirty());
}

TEST(ParamDisplay, ANoDrawDisplayStartsCleanAndDrawsNothing)
{
    ControlBench bench;
    auto* display = new CParamDisplay(CRect(10, 10, 50, 34), nullptr, kNoDrawStyle);
    EXPECT_FALSE(display->isDirty());
    bench.add(display);
    display->setDirty(false);
    display->setValue(0.5f);
    EXPECT_TRUE(display->isDirty());
    COffscreenContext offscreen(bench.frame, 60, 40, kBlue);
    display->draw(&offscreen);
    EXPECT_EQ(offscreen.getPoint(CPoint(20, 20)), kBlue);
    EXPECT_FALSE(display->isDirty());
}

TEST(ParamDisplay, TextIsClippedToTheDisplayAndTheClipRestored)
{
    ControlBench bench;
    auto* display = bench.add(new CParamDisplay(CRect(20, 10, 40, 30), nullptr, kNoFrame));
    display->setStringConvert([](float, char* text) { std::strcpy(text, "WWWWWWWWWWWWWWWW"); });
    COffscreenContext offscreen(bench.frame, 60, 40, kBlue);
    CRect before(0, 0, 60, 40);
    offscreen.setClipRect(before);
    display->draw(&offscreen);
    CRect after;
    offscreen.getClipRect(after);
    EXPECT_EQ(after, before);
    // The filled background shows inside; outside, the long text left no mark.
    EXPECT_EQ(offscreen.getPoint(CPoint(21, 11)), kBlackCColor);
    for (long x : {5L, 15L, 45L, 55L})
        EXPECT_EQ(offscreen.getPoint(CPoint(x, 20)), kBlue) << x;
}

TEST(ParamDisplay, IsAControlWithoutATagOrListener)
{
    ControlBench bench;
    auto* display = bench.add(new CParamDisplay(CRect(0, 0, 40, 24)));
    EXPECT_EQ(display->getTag(), 0);
    EXPECT_EQ(display->getListener(), nullptr);
    EXPECT_TRUE(display->isTypeOf("CParamDisplay"));
    EXPECT_TRUE(display->isTypeOf("CControl"));
    EXPECT_FALSE(display->isTypeOf("CKnob"));
}
