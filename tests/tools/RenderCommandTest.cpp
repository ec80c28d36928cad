// SPDX-License-Identifier: GPL-3.0-or-later
// render drives a module as a DAW does and writes what it returns.
#include <algorithm>
#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TestSound.h"
#include "ToolRun.h"

using ::testing::HasSubstr;

namespace
{

constexpr int kFrames = 1000;
constexpr int kRate = 44100;

class Render : public ::testing::Test
{
  protected:
    void SetUp() override { writeWav(in(), ramp(kFrames), 1, kRate); }

    std::string in() const { return folder.path("in.wav"); }
    std::string out() const { return folder.path("out.wav"); }
    std::string log() const { return readText(logFolder.path("log")); }
    Environment logging() const { return {{"TINY_GAIN_LOG", logFolder.path("log")}}; }

    ToolRun render(std::vector<std::string> options, const std::string& module = "tiny_gain")
    {
        std::vector<std::string> args{"render", testModule(module), in(), out()};
        args.insert(args.end(), options.begin(), options.end());
        return runTool(args, logging());
    }

    // The dispatcher opcodes in the log, in order, each with its value ("12 1").
    std::vector<std::string> dispatched() const
    {
        std::vector<std::string> calls;
        std::istringstream lines(log());
        for (std::string line; std::getline(lines, line);)
            if (line.rfind("dispatcher ", 0) == 0) calls.push_back(line.substr(11));
        return calls;
    }

    void expectOnlyTheInputLeft() const
    {
        EXPECT_THAT(folder.entries(), ::testing::ElementsAre("in.wav"));
    }

    ScratchFolder folder;
    ScratchFolder logFolder; // apart, so that the folder holds only what render leaves
};

} // namespace

TEST_F(Render, writesEveryOutputOfTheModuleAtTheInputRate)
{
    ASSERT_EQ(render({}).status, 0);
    const SoundData data = readSound(out());
    EXPECT_EQ(data.info.channels, 2);
    EXPECT_EQ(data.info.frames, kFrames);
    EXPECT_EQ(data.info.samplerate, kRate);
    EXPECT_EQ(data.info.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
}

TEST_F(Render, writesWhatTheModuleComputes)
{
    ASSERT_EQ(render({"--set", "Right=0.25"}).status, 0);
    const SoundData data = readSound(out());
    const std::vector<float> input = ramp(kFrames);
    for (int i = 0; i < kFrames; i += 111)
    {
        EXPECT_FLOAT_EQ(data.at(i, 0), input[i]);
        EXPECT_FLOAT_EQ(data.at(i, 1), input[i] * 0.25f);
    }
}

TEST_F(Render, followsTheCallSequenceOfADaw)
{
    ASSERT_EQ(render({"--block", "256"}).status, 0);
    const std::vector<std::string> expected{"0 0",  "10 44100", "11 256", "77 0",
                                            "12 1", "12 0",     "1 0"};
    std::vector<std::string> calls = dispatched();
    // Text queries may come in between; the steps themselves keep their order.
    calls.erase(std::remove_if(calls.begin(), calls.end(),
                               [&](const std::string& c) {
                                   return std::find(expected.begin(), expected.end(), c) ==
                                          expected.end();
                               }),
                calls.end());
    EXPECT_EQ(calls, expected);
}

TEST_F(Render, processesInBlocksOfTheGivenSizeWithAShortLastOne)
{
    ASSERT_EQ(render({"--block", "300"}).status, 0);
    EXPECT_THAT(log(), HasSubstr("process float 300 0\nprocess float 300 0\nprocess float 300 0\n"
                                 "process float 100 0\ndispatcher 12 0\n"));
}

TEST_F(Render, doubleUsesTheDoubleProcessCallAndGivesTheSameResult)
{
    ASSERT_EQ(render({"--double", "--subtype", "DOUBLE"}).status, 0);
    EXPECT_THAT(log(), HasSubstr("process double 512 0\n"));
    EXPECT_THAT(log(), ::testing::Not(HasSubstr("process float")));
    const SoundData data = readSound(out());
    EXPECT_EQ(data.info.format, SF_FORMAT_WAV | SF_FORMAT_DOUBLE);
    EXPECT_DOUBLE_EQ(data.at(999, 1), 0.5 * ramp(kFrames)[999]);
}

TEST_F(Render, doubleOnAModuleWithoutTheDoubleFlagFailsAndLeavesNoFile)
{
    const ToolRun run = render({"--double"}, "tiny_gain_main");
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, HasSubstr("cannot process doubles"));
    expectOnlyTheInputLeft();
}

TEST_F(Render, moreInputChannelsThanTheModuleTakesFailAndLeaveNoFile)
{
    writeWav(in(), std::vector<float>(2 * kFrames, 0.1f), 2, kRate);
    const ToolRun run = render({});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, HasSubstr("has 2 channels, the module takes 1"));
    expectOnlyTheInputLeft();
}

TEST_F(Render, anUnknownParameterNameFailsBeforeAnythingIsWritten)
{
    const ToolRun run = render({"--set", "Volume=0.5"});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, HasSubstr("no parameter named \"Volume\""));
    expectOnlyTheInputLeft();
}

TEST_F(Render, anUnreadableInputFails)
{
    const ToolRun run =
        runTool({"render", testModule("tiny_gain"), folder.path("none.wav"), out()});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, HasSubstr("cannot read"));
    expectOnlyTheInputLeft();
}

TEST_F(Render, theOutputFormatFollowsTheExtensionAndSubtype)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> options;
        int format;
    };
    const Case cases[] = {
        {"out.aiff", {}, SF_FORMAT_AIFF | SF_FORMAT_FLOAT},
        {"out.caf", {}, SF_FORMAT_CAF | SF_FORMAT_FLOAT},
        {"out.w64", {}, SF_FORMAT_W64 | SF_FORMAT_FLOAT},
        {"out.flac", {}, SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
        {"out.WAV", {"--subtype", "PCM_16"}, SF_FORMAT_WAV | SF_FORMAT_PCM_16},
        {"out.wav", {"--subtype", "PCM_24"}, SF_FORMAT_WAV | SF_FORMAT_PCM_24},
        {"out.wav", {"--subtype", "PCM_32"}, SF_FORMAT_WAV | SF_FORMAT_PCM_32},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args{"render", testModule("tiny_gain"), in(), folder.path(c.name)};
        args.insert(args.end(), c.options.begin(), c.options.end());
        ASSERT_EQ(runTool(args).status, 0);
        EXPECT_EQ(readSound(folder.path(c.name)).info.format, c.format);
    }
}

TEST_F(Render, anOutputNameWithoutAKnownExtensionFails)
{
    const ToolRun run = runTool({"render", testModule("tiny_gain"), in(), folder.path("out.mp9")});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, HasSubstr("cannot tell the output format"));
    expectOnlyTheInputLeft();
}

TEST_F(Render, theDemoInputIsFourSecondsAtTheChosenRate)
{
    ASSERT_EQ(runTool({"render", testModule("tiny_gain"), "demo", out(), "--rate", "8000"}).status,
              0);
    const SoundData data = readSound(out());
    EXPECT_EQ(data.info.samplerate, 8000);
    EXPECT_EQ(data.info.frames, 4 * 8000);
    EXPECT_GT(*std::max_element(data.samples.begin(), data.samples.end()), 0.01);
}

TEST_F(Render, theDemoOptionStandsForTheInputName)
{
    ASSERT_EQ(
        runTool({"render", testModule("tiny_gain"), out(), "--demo", "--rate", "8000"}).status, 0);
    EXPECT_EQ(readSound(out()).info.frames, 4 * 8000);
}

TEST_F(Render, theSummaryGivesThePeakOfEveryChannel)
{
    const ToolRun run = render({});
    EXPECT_THAT(run.out, HasSubstr("rendered 1000 frames"));
    EXPECT_THAT(run.out, testing::ContainsRegex("\n +1 +-6\\.02 +0\\.500000\n"));
    EXPECT_THAT(run.out, testing::ContainsRegex("\n +2 +-12\\.04 +0\\.250000\n"));
    EXPECT_THAT(run.out, HasSubstr("x real time"));
}
