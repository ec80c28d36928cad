// SPDX-License-Identifier: GPL-3.0-or-later
// The encoder's options in physical units reach the built Sferant module as normalised values.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TestSound.h"
#include "ToolRun.h"

namespace
{

// The value column of one row of info's parameter table.
float parameterValue(const std::string& info, int index)
{
    std::istringstream lines(info.substr(info.find("\nindex")));
    for (std::string line; std::getline(lines, line);)
    {
        std::istringstream row(line);
        std::vector<std::string> columns;
        for (std::string column; row >> column;)
            columns.push_back(column);
        if (columns.size() >= 4 && columns[0] == std::to_string(index))
            return std::stof(
                columns[columns.size() - 2]); // the display is one word for every parameter
    }
    return -1.0f;
}

struct Mapping
{
    std::vector<std::string> options;
    int index;
    float value;
};

} // namespace

TEST(EncoderModule, physicalOptionsBecomeNormalisedParameterValues)
{
    const Mapping cases[] = {
        {{"--azimuth", "90"}, 0, 0.25f},
        {{"--azimuth", "-180"}, 0, 1.0f},
        {{"--elevation", "45"}, 1, 0.75f},
        {{"--elevation", "-90"}, 1, 0.0f},
        {{"--nfc"}, 2, 1.0f},
        {{"--distance", "2.1"}, 3, 0.2f},
        {{"--width", "90"}, 4, 0.5f},
        {{"--order", "3"}, 5, 0.5f},
        {{"--order", "5"}, 5, 1.0f},
        {{"--weight", "N3D"}, 6, 0.75f},
        {{"--weight", "Fu-Ma"}, 6, 1.0f},
        {{"--stereo"}, 7, 1.0f},
        {{"--2d"}, 8, 1.0f},
        {{"--set", "Order=0.25"}, 5, 0.25f},
    };
    for (const Mapping& m : cases)
    {
        SCOPED_TRACE(m.options[0]);
        std::vector<std::string> args{"info", SFERANT_MODULE_PATH};
        args.insert(args.end(), m.options.begin(), m.options.end());
        const ToolRun run = runTool(args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NEAR(parameterValue(run.out, m.index), m.value, 1e-6);
    }
}

TEST(EncoderModule, aTwoChannelInputSwitchesTheEncoderToStereo)
{
    ScratchFolder folder;
    std::vector<float> rightOnly(2 * 1000, 0.0f);
    for (int i = 0; i < 1000; ++i)
        rightOnly[2 * i + 1] = 0.25f;
    writeWav(folder.path("in.wav"), rightOnly, 2, 48000);
    ASSERT_EQ(
        runTool({"render", SFERANT_MODULE_PATH, folder.path("in.wav"), folder.path("out.wav")})
            .status,
        0);
    // A mono encoder would take the silent left channel only.
    EXPECT_GT(std::fabs(readSound(folder.path("out.wav")).at(999, 0)), 0.01);
}

TEST(EncoderModule, thirtySixChannelsGoIntoAnExtensibleWavHeader)
{
    ScratchFolder folder;
    const std::string out = folder.path("out.wav");
    ASSERT_EQ(
        runTool({"render", SFERANT_MODULE_PATH, "demo", out, "--rate", "8000", "--order", "5"})
            .status,
        0);
    const SoundData data = readSound(out);
    EXPECT_EQ(data.info.channels, 36);
    EXPECT_EQ(data.info.format, SF_FORMAT_WAVEX | SF_FORMAT_FLOAT);
    std::ifstream file(out, std::ios::binary);
    unsigned char header[22] = {};
    file.read(reinterpret_cast<char*>(header), sizeof header);
    EXPECT_EQ(header[20] | header[21] << 8, 0xFFFE); // WAVE_FORMAT_EXTENSIBLE
}

// The host sets the azimuth before every block: the source goes from the right (Y against
// W) to the left (Y with W).
TEST(EncoderModule, anAzimuthSweepMovesTheSourceAcrossTheRender)
{
    ScratchFolder folder;
    const std::string out = folder.path("out.wav");
    ASSERT_EQ(runTool({"render", SFERANT_MODULE_PATH, "demo", out, "--rate", "8000", "--weight",
                       "SN3D", "--azimuth-sweep", "-90:90"})
                  .status,
              0);
    const SoundData data = readSound(out);
    const long frames = data.info.frames, tenth = frames / 10;
    const auto yAlongW = [&](long from)
    {
        double sum = 0;
        for (long i = from; i < from + tenth; ++i)
            sum += data.at(i, 2) * data.at(i, 0);
        return sum;
    };
    EXPECT_LT(yAlongW(0), 0) << "on the right at the start";
    EXPECT_GT(yAlongW(frames - tenth), 0) << "on the left at the end";
}

#ifdef SFERANT_CLAP_PATH
namespace
{

SoundData renderDemo(const std::string& module, std::vector<std::string> options)
{
    ScratchFolder folder;
    const std::string out = folder.path("out.wav");
    std::vector<std::string> args{"render", module, "demo", out, "--rate", "8000"};
    args.insert(args.end(), options.begin(), options.end());
    const ToolRun run = runTool(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return readSound(out);
}

// The largest difference between two renders from frame `from` on.
double largestDifference(const SoundData& a, const SoundData& b, long from = 0)
{
    double largest = 0;
    for (long i = from; i < std::min(a.info.frames, b.info.frames); ++i)
        for (int c = 0; c < a.info.channels; ++c)
            largest = std::max(largest, std::fabs(a.at(i, c) - b.at(i, c)));
    return largest;
}

} // namespace

// The same encoder through the CLAP loader: a still source gives the VST 2.4 module's samples.
TEST(EncoderModule, theClapModuleRendersAStillSourceAsTheVst2ModuleBitForBit)
{
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--order", "5", "--weight", "N3D", "--azimuth", "45", "--elevation", "20", "--stereo",
         "--nfc", "--distance", "3", "--width", "30"},
        {"--order", "3", "--weight", "SN2D", "--2d", "--azimuth", "-120", "--block", "300"},
        {"--order", "4", "--azimuth", "170", "--elevation", "-35", "--double", "--subtype",
         "DOUBLE"},
    };
    for (const auto& options : cases)
    {
        SCOPED_TRACE(::testing::PrintToString(options));
        const SoundData vst2 = renderDemo(SFERANT_MODULE_PATH, options);
        const SoundData clap = renderDemo(SFERANT_CLAP_PATH, options);
        ASSERT_EQ(clap.info.channels, 36);
        ASSERT_EQ(clap.samples.size(), vst2.samples.size());
        EXPECT_EQ(largestDifference(clap, vst2), 0.0);
    }
}

TEST(EncoderModule, infoOnTheClapModuleShowsItsDescriptorsPortsAndParameters)
{
    const ToolRun run = runTool({"info", SFERANT_CLAP_PATH, "--azimuth", "90"});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* text :
         {"\"Sferant\" id org.sferant.encoder",
          "plugin 1           \"Sferant AmbiX\" id org.sferant.ambix",
          "features      audio-effect ambisonic surround\n",
          "input port    0 \"Input\" 2 channels, type stereo, main, 64-bit\n",
          "output port   0 \"Ambisonic output\" 36 channels, type (none), main, 64-bit\n",
          "param 0       \"Azimuth\" -180..180 default 0, periodic automatable modulatable\n",
          "param 8       \"Output\" 0..1 default 0, stepped automatable\n"})
        EXPECT_THAT(run.out, ::testing::HasSubstr(text));
    // The azimuth in degrees, as the plug-in shows it, whatever the format's 0..1.
    EXPECT_THAT(run.out, ::testing::ContainsRegex("\n +0  Azimuth .* 90\\.0+ deg\n"));
    EXPECT_THAT(run.out, ::testing::ContainsRegex("\n +8  Output .* 3D\n"));
}

// Points every 32 frames inside blocks of 4096 reach the plug-in at their frames: the render
// follows the one in blocks of 32 (a point at each block's first frame, reached a span later) of
// the sweep 32 frames ahead, 0.18° of 180° over 32000 frames; one point a block falls behind.
TEST(EncoderModule, aClapRenderReachesTheSweepsPointsAtTheirFrames)
{
    const auto render = [&](const char* sweep, std::vector<std::string> more)
    {
        more.insert(more.end(), {"--weight", "SN3D", "--azimuth-sweep", sweep});
        return renderDemo(SFERANT_CLAP_PATH, more);
    };
    const SoundData points = render("-90:90", {"--block", "4096", "--points-every", "32"});
    const SoundData spans = render("-89.82:90.18", {"--block", "32"});
    const SoundData blocks = render("-90:90", {"--block", "4096"});
    ASSERT_EQ(points.info.frames, 32000);
    const long settled = 64; // the first point glides from where the source stood
    const double atTheirFrames = largestDifference(points, spans, settled);
    const double onePerBlock = largestDifference(blocks, spans, settled);
    std::printf("points every 32: %g, one per block: %g\n", atTheirFrames, onePerBlock);
    // The glides within the spans differ a little (5e-4); a block's lag is 150 times that.
    EXPECT_LT(atTheirFrames, 1e-3);
    EXPECT_GT(onePerBlock, 50 * atTheirFrames);
}

TEST(EncoderModule, benchAndTheEditorRunOnTheClapModule)
{
    const ToolRun bench =
        runTool({"bench", SFERANT_CLAP_PATH, "--block", "512", "--seconds", "0.05"});
    ASSERT_EQ(bench.status, 0) << bench.err;
    EXPECT_THAT(bench.out, ::testing::HasSubstr("Sferant: 2 in, 36 out, float, 48000 Hz\n"));
    if (!haveVirtualDisplay()) GTEST_SKIP() << "xvfb-run is not installed";
    ScratchFolder folder;
    const ToolRun editor =
        runToolOnVirtualDisplay({"editor", SFERANT_CLAP_PATH, "--seconds", "0.3", "--screenshot",
                                 folder.path("shot.png"), "--trace"});
    ASSERT_EQ(editor.status, 0) << editor.err;
    EXPECT_THAT(editor.out, ::testing::HasSubstr("host register_timer\n"));
    EXPECT_THAT(editor.out, ::testing::HasSubstr("host unregister_timer\n"));
    EXPECT_GT(readText(folder.path("shot.png")).size(), 1000u);
}
#endif
