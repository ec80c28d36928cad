// SPDX-License-Identifier: GPL-3.0-or-later
// The encoder's options in physical units reach the built Sferant module as normalised values.
#include <cmath>
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
