// SPDX-License-Identifier: GPL-3.0-or-later
// Bad options are refused with one line and status 2 before any output is written.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ToolRun.h"

namespace
{

struct BadOption
{
    std::vector<std::string> options;
    const char* message;
};

} // namespace

TEST(Options, badValuesAreRefusedWithOneLineAndStatusTwo)
{
    const BadOption cases[] = {
        {{"--azimuth", "181"}, "--azimuth: 181 is out of range (-180 to 180)"},
        {{"--azimuth", "ninety"}, "--azimuth: 'ninety' is not a number"},
        {{"--azimuth"}, "--azimuth: needs a value"},
        {{"--elevation=-91"}, "--elevation: -91 is out of range (-90 to 90)"},
        {{"--width", "-1"}, "--width: -1 is out of range (0 to 180)"},
        {{"--distance", "0.05"}, "--distance: 0.05 is out of range (0.1 to 10.1)"},
        {{"--order", "6"}, "--order: 6 is out of range (1 to 5)"},
        {{"--order", "2.5"}, "--order: 2.5 is not a whole number"},
        {{"--weight", "AmbiX"}, "--weight: 'AmbiX' is none of SN2D, N2D, SN3D, N3D, Fu-Ma"},
        {{"--set", "Left=1.5"}, "--set: 1.5 is out of range (0 to 1)"},
        {{"--set", "Left"}, "--set: expected NAME=VALUE"},
        {{"--azimuth-sweep", "90"}, "--azimuth-sweep: expected START:END, got '90'"},
        {{"--azimuth-sweep", "0:left"}, "--azimuth-sweep: 'left' is not a number"},
        {{"--azimuth-sweep", "0:90"}, "--azimuth-sweep: the module has no parameter named"},
        {{"--block", "0"}, "--block: 0 is out of range"},
        {{"--subtype", "PCM_8"}, "--subtype: 'PCM_8' is none of"},
        {{"--loud"}, "unknown option --loud"},
        {{"--screenshot", "x.png"}, "unknown option --screenshot"},
    };
    ScratchFolder folder;
    for (const BadOption& bad : cases)
    {
        SCOPED_TRACE(bad.options[0]);
        std::vector<std::string> args{"render", testModule("tiny_gain"), "demo",
                                      folder.path("out.wav")};
        args.insert(args.end(), bad.options.begin(), bad.options.end());
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.rfind(std::string("sferant-host: ") + bad.message, 0), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        EXPECT_TRUE(folder.entries().empty());
    }
}

TEST(Options, encoderOptionsFailCleanlyOnAModuleWithoutThatParameter)
{
    const std::vector<std::string> encoderOptions[] = {
        {"--azimuth", "30"}, {"--elevation", "10"}, {"--nfc"},
        {"--distance", "2"}, {"--width", "90"},     {"--order", "3"},
        {"--weight", "N3D"}, {"--stereo"},          {"--2d"}};
    const char* const names[] = {"Azimuth", "Elev",   "NFC",   "Distance", "Width",
                                 "Order",   "Weight", "Input", "Output"};
    for (size_t i = 0; i < std::size(names); ++i)
    {
        std::vector<std::string> args{"info", testModule("tiny_gain")};
        args.insert(args.end(), encoderOptions[i].begin(), encoderOptions[i].end());
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_THAT(run.err,
                    ::testing::HasSubstr(std::string("no parameter named \"") + names[i] + "\""));
    }
}

TEST(Options, rateIsOnlyForTheGeneratedInput)
{
    ScratchFolder folder;
    const ToolRun run = runTool({"render", testModule("tiny_gain"), SFERANT_SOURCE_DIR "/README.md",
                                 folder.path("out.wav"), "--rate", "44100"});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, ::testing::HasSubstr("--rate applies to the generated input only"));
}

TEST(Options, versionIsTheProjectsVersion)
{
    const ToolRun run = runTool({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string("sferant-host ") + SFERANT_VERSION + "\n");
}
