// SPDX-License-Identifier: GPL-3.0-or-later
// bench reports a speed per block size for any module.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ToolRun.h"

TEST(Bench, reportsOneRowPerBlockSize)
{
    const ToolRun run = runTool(
        {"bench", testModule("tiny_gain"), "--block", "32", "--block", "100", "--seconds", "0.01"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, ::testing::HasSubstr("Tiny Gain: 1 in, 2 out, float, 48000 Hz\n"));
    EXPECT_THAT(run.out,
                ::testing::ContainsRegex(
                    "\n +32 +[0-9]+ +[0-9.]+ +[0-9.]+\n +100 +[0-9]+ +[0-9.]+ +[0-9.]+\n$"));
}

TEST(Bench, doubleRunsTheDoubleProcessCall)
{
    ScratchFolder folder;
    const ToolRun run =
        runTool({"bench", testModule("tiny_gain"), "--double", "--block", "16", "--seconds", "0"},
                {{"TINY_GAIN_LOG", folder.path("log")}});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(readText(folder.path("log")), ::testing::HasSubstr("process double 16 0\n"));
}

TEST(Bench, doubleOnAModuleWithoutTheDoubleFlagFails)
{
    const ToolRun run =
        runTool({"bench", testModule("tiny_gain_main"), "--double", "--seconds", "0"});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, ::testing::HasSubstr("cannot process doubles"));
}

TEST(Bench, moveSetsTheParameterToItsNextValueBeforeEveryBlock)
{
    ScratchFolder folder;
    const ToolRun run = runTool(
        {"bench", testModule("tiny_gain"), "--move", "Right", "--block", "48", "--seconds", "0"},
        {{"TINY_GAIN_LOG", folder.path("log")}});
    ASSERT_EQ(run.status, 0) << run.err;
    // 48 frames at 48 kHz: a thousandth of the sweep per block.
    EXPECT_THAT(readText(folder.path("log")),
                ::testing::HasSubstr("setParameter 1 1000\nprocess float 48 0\n"
                                     "setParameter 1 2000\nprocess float 48 0\n"));
}

TEST(Bench, moveOfAParameterTheModuleLacksFails)
{
    const ToolRun run =
        runTool({"bench", testModule("tiny_gain"), "--move", "Azimuth", "--seconds", "0"});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err,
                ::testing::HasSubstr("--move: the module has no parameter named \"Azimuth\""));
}
