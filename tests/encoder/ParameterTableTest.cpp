// SPDX-License-Identifier: GPL-3.0-or-later
// The one description of the parameters that every format, the editor and the tools read.
#include "core/parameters.h"

#include <gtest/gtest.h>

using namespace sferant;

TEST(ParameterTable, UserValuesAndNormalisedValuesMapBothWays)
{
    const struct
    {
        int index;
        double user;
        float normalised;
    } cases[] = {
        {kAzimuth, 180, 0.0f},  {kAzimuth, 0, 0.5f},     {kAzimuth, 45, 0.375f},
        {kAzimuth, -180, 1.0f}, {kElevation, -90, 0.0f}, {kElevation, 45, 0.75f},
        {kDistance, 0.1, 0.0f}, {kDistance, 10.1, 1.0f}, {kWidth, 90, 0.5f},
        {kNFC, 1, 1.0f},        {kOrder, 1, 0.0f},       {kOrder, 3, 0.5f},
        {kOrder, 5, 1.0f},      {kWeight, 3, 0.75f},     {kInput, 1, 1.0f},
        {kOutput, 0, 0.0f},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(normalisedValue(c.index, c.user), c.normalised) << kParameters[c.index].symbol;
        EXPECT_NEAR(userValue(c.index, c.normalised), c.user, 1e-9) << kParameters[c.index].symbol;
    }
}

TEST(ParameterTable, UserValuesOutsideTheRangeOrBetweenPositionsComeToTheNearestValue)
{
    EXPECT_EQ(normalisedValue(kAzimuth, 400), 0.0f);
    EXPECT_EQ(normalisedValue(kDistance, -3), 0.0f);
    EXPECT_EQ(normalisedValue(kWidth, 1e9), 1.0f);
    EXPECT_EQ(normalisedValue(kOrder, 2.4), 0.25f);
    EXPECT_EQ(normalisedValue(kOrder, 2.6), 0.5f);
    EXPECT_EQ(normalisedValue(kOrder, 0), 0.0f);
    EXPECT_EQ(normalisedValue(kNFC, 0.7), 1.0f);
}

TEST(ParameterTable, SwitchesSelectTheirLastPositionOnlyAtOne)
{
    EXPECT_STREQ(choiceText(kParameters[kOrder], 0.999f), "4th");
    EXPECT_STREQ(choiceText(kParameters[kOrder], 1.0f), "5th");
    EXPECT_STREQ(choiceText(kParameters[kNFC], 0.999f), "Off");
    EXPECT_EQ(userValue(kOrder, 0.74f), 3);
    EXPECT_EQ(choiceText(kParameters[kWeight], 1.5f), nullptr);
    EXPECT_EQ(choiceText(kParameters[kInput], -0.5f), nullptr);
}

TEST(ParameterTable, ParametersAreFoundBySymbolOrName)
{
    EXPECT_EQ(findParameter("elevation"), kElevation);
    EXPECT_EQ(findParameter("Elev"), kElevation);
    EXPECT_EQ(findParameter("Weight"), kWeight);
    EXPECT_EQ(findParameter("volume"), -1);
}

TEST(ParameterTable, TypedTextsTurnIntoValues)
{
    const struct
    {
        int index;
        const char* text;
        float normalised;
    } cases[] = {
        {kAzimuth, "45", 0.375f},    {kAzimuth, "45 deg", 0.375f}, {kAzimuth, "45DEG ", 0.375f},
        {kAzimuth, "180", 0.0f},     {kAzimuth, "-270", 0.25f},    {kAzimuth, "530", 0.0277777f},
        {kElevation, "-90.0", 0.0f}, {kElevation, "100", 1.0f},    {kWidth, "90deg", 0.5f},
        {kDistance, "2.5 m", 0.24f}, {kDistance, "0", 0.0f},       {kOrder, "3rd", 0.5f},
        {kOrder, "3", 0.5f},         {kWeight, "sn3d", 0.5f},      {kWeight, "Fu-Ma", 1.0f},
        {kNFC, "On", 1.0f},          {kNFC, "off", 0.0f},          {kInput, "Stereo", 1.0f},
        {kOutput, " 2D", 1.0f},      {kOutput, "3d", 0.0f},
    };
    for (const auto& c : cases)
    {
        float normalised = -1;
        EXPECT_TRUE(parseText(c.index, c.text, normalised)) << c.text;
        EXPECT_NEAR(normalised, c.normalised, 1e-6) << c.text;
    }
    const struct
    {
        int index;
        const char* text;
    } rejected[] = {{kAzimuth, ""},        {kAzimuth, "left"}, {kAzimuth, "nan"},
                    {kAzimuth, "inf deg"}, {kAzimuth, "45 m"}, {kAzimuth, "45 degrees"},
                    {kDistance, "2 deg"},  {kWeight, "AmbiX"}, {kNFC, "yes"}};
    for (const auto& r : rejected)
    {
        float normalised = 0.3f;
        EXPECT_FALSE(parseText(r.index, r.text, normalised)) << r.text;
        EXPECT_EQ(normalised, 0.3f) << r.text;
    }
}
