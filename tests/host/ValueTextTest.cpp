// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>

#include "plugin/TestEffect.h"

namespace
{

// Runs a converter into a buffer with sentinels beyond maxLen + 1 bytes.
std::string convert(const std::function<void(char*, VstInt32)>& converter, VstInt32 maxLen = 8)
{
    char buffer[32];
    std::memset(buffer, '#', sizeof buffer);
    converter(buffer, maxLen);
    for (size_t i = static_cast<size_t>(maxLen) + 1; i < sizeof buffer; ++i)
        EXPECT_EQ(buffer[i], '#') << "written past the terminator at " << i;
    return buffer;
}

struct FloatCase
{
    float value;
    const char* text;
};

class ValueText : public ::testing::Test
{
  protected:
    std::string float2string(float value, VstInt32 maxLen = 8)
    {
        return convert([&](char* t, VstInt32 n) { effect.float2string(value, t, n); }, maxLen);
    }
    std::string int2string(VstInt32 value, VstInt32 maxLen = 8)
    {
        return convert([&](char* t, VstInt32 n) { effect.int2string(value, t, n); }, maxLen);
    }
    TestEffect effect{nullptr};
};

TEST_F(ValueText, floatsBecomeEightCharactersTruncatedNotRounded)
{
    const FloatCase cases[] = {
        {0.f, "0.000000"},       {45.f, "45.00000"},        {180.f, "180.0000"},
        {-90.f, "-90.0000"},     {-0.5f, "-0.50000"},       {10.1f, "10.10000"},
        {45.3f, "45.29999"},     {3.14159265f, "3.141592"}, {1234567.f, "1234567."},
        {-123456.f, "-123456."}, {0.0001f, "0.000099"},     {9999999.f, "9999999."},
    };
    for (const FloatCase& c : cases)
        EXPECT_EQ(float2string(c.value, 16), c.text) << c.value;
}

TEST_F(ValueText, floatsTooWideForEightCharactersAreHuge)
{
    const float cases[] = {1e9f,
                           -1e8f,
                           1e7f,
                           12345678.f,
                           -1000000.f,
                           -9999999.f,
                           std::numeric_limits<float>::infinity(),
                           std::numeric_limits<float>::quiet_NaN()};
    for (float value : cases)
        EXPECT_EQ(float2string(value), "Huge!") << value;
}

TEST_F(ValueText, floatTextIsCutAtMaxLen)
{
    EXPECT_EQ(float2string(45.f, 5), "45.00");
    EXPECT_EQ(float2string(-90.f, 2), "-9");
    EXPECT_EQ(float2string(1e9f, 3), "Hug");
    EXPECT_EQ(float2string(45.f, 0), "");
}

TEST_F(ValueText, integersWithoutLeadingZeros)
{
    const std::pair<VstInt32, const char*> cases[] = {
        {0, "0"},
        {7, "7"},
        {-42, "-42"},
        {100000000, "Huge!"},
        {99999999, "99999999"},
        {-99999999, "-99999999"},
        {1000, "1000"},
        {std::numeric_limits<VstInt32>::min(), "Huge!"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(int2string(value, 16), text) << value;
}

TEST_F(ValueText, integerTextIsCutAtMaxLen)
{
    EXPECT_EQ(int2string(123456, 3), "123");
    EXPECT_EQ(int2string(-99999999, 8), "-9999999");
}

TEST_F(ValueText, decibelsOfALinearGain)
{
    const FloatCase cases[] = {{0.f, "-oo"}, {-1.f, "-oo"}, {1.f, "0.000000"}, {10.f, "20.00000"}};
    for (const FloatCase& c : cases)
        EXPECT_EQ(convert([&](char* t, VstInt32 n) { effect.dB2string(c.value, t, n); }), c.text);
}

TEST_F(ValueText, periodsAndDurationsInSamplesUseTheSampleRate)
{
    effect.setSampleRate(48000.f);
    EXPECT_EQ(convert([&](char* t, VstInt32 n) { effect.Hz2string(0.f, t, n); }), "0.000000");
    EXPECT_EQ(convert([&](char* t, VstInt32 n) { effect.Hz2string(480.f, t, n); }), "100.0000");
    EXPECT_EQ(convert([&](char* t, VstInt32 n) { effect.ms2string(4800.f, t, n); }), "100.0000");
}

} // namespace
