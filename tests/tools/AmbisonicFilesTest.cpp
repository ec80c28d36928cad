// SPDX-License-Identifier: GPL-3.0-or-later
// render writes the files Ambisonic tools read: AmbiX, ACN order in any container, and .amb.
#include <cmath>
#include <fstream>

#include <ambix/ambix.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TestSound.h"
#include "ToolRun.h"

using ::testing::HasSubstr;

namespace
{

// A source off every axis, so that no component of orders 1 to 5 is silent.
const std::vector<std::string> kDirection{"--azimuth", "20", "--elevation", "20"};

// The plain render's output (Furse-Malham sequence) for an ACN channel: up to third order by
// letter, W Y Z X, V T R S U, Q O M K L N P; above it m = 0 at n², the cosine term of m at
// n² + 2m - 1, the sine term at n² + 2m.
int furseMalhamOutputOfAcn(int acn)
{
    static const int kLetters[] = {0, 2, 3, 1, 8, 6, 4, 5, 7, 15, 13, 11, 9, 10, 12, 14};
    if (acn < 16) return kLetters[acn];
    const int n = static_cast<int>(std::sqrt(acn));
    const int m = acn - n * n - n;
    return m == 0 ? n * n : n * n + 2 * std::abs(m) - (m > 0 ? 1 : 0);
}

std::vector<int> acnSources(int channels)
{
    std::vector<int> sources;
    for (int acn = 0; acn < channels; ++acn)
        sources.push_back(furseMalhamOutputOfAcn(acn));
    return sources;
}

ToolRun render(const std::string& out, std::vector<std::string> options)
{
    std::vector<std::string> args{"render", SFERANT_MODULE_PATH, "demo", out, "--rate", "8000"};
    args.insert(args.end(), kDirection.begin(), kDirection.end());
    args.insert(args.end(), options.begin(), options.end());
    return runTool(args);
}

double peak(const SoundData& data, int channel)
{
    double peak = 0.0;
    for (long i = 0; i < data.info.frames; ++i)
        peak = std::max(peak, std::fabs(data.at(i, channel)));
    return peak;
}

// Every channel of `file` holds the plain render's output named in `sources` (-1: silence),
// sample for sample.
void expectChannelsOf(const SoundData& file, const SoundData& plain,
                      const std::vector<int>& sources)
{
    ASSERT_EQ(file.info.channels, static_cast<int>(sources.size()));
    ASSERT_EQ(file.info.frames, plain.info.frames);
    for (int c = 0; c < file.info.channels; ++c)
    {
        SCOPED_TRACE("channel " + std::to_string(c));
        if (sources[c] >= 0)
        {
            ASSERT_GT(peak(plain, sources[c]), 1e-4);
        }
        long mismatches = 0;
        for (long i = 0; i < file.info.frames; ++i)
            mismatches += file.at(i, c) != (sources[c] < 0 ? 0.0 : plain.at(i, sources[c]));
        EXPECT_EQ(mismatches, 0);
    }
}

// An AmbiX file read through libambix, as a player of the format reads it.
struct AmbixData
{
    ambix_info_t info{};
    SoundData sound;
};

AmbixData readAmbix(const std::string& path)
{
    AmbixData data;
    ambix_t* file = ambix_open(path.c_str(), AMBIX_READ, &data.info);
    if (!file) return data;
    const int channels = static_cast<int>(data.info.ambichannels + data.info.extrachannels);
    std::vector<float> ambisonic(data.info.frames * data.info.ambichannels);
    std::vector<float> extra(data.info.frames * data.info.extrachannels);
    ambix_readf_float32(file, ambisonic.data(), extra.data(), data.info.frames);
    ambix_close(file);
    data.sound.info.channels = channels;
    data.sound.info.frames = static_cast<sf_count_t>(data.info.frames);
    data.sound.samples.assign(ambisonic.begin(), ambisonic.end());
    return data;
}

struct Refused
{
    std::string module;
    std::string out;
    std::vector<std::string> options;
    const char* message;
};

} // namespace

TEST(AmbisonicFiles, anAmbixFileIsBasicWithTheChannelsOfAPlainSn3dRenderInAcnOrder)
{
    ScratchFolder folder;
    for (const int order : {1, 5})
    {
        SCOPED_TRACE(order);
        const std::string n = std::to_string(order);
        ASSERT_EQ(render(folder.path("plain.wav"), {"--order", n, "--weight", "SN3D"}).status, 0);
        ASSERT_EQ(render(folder.path("ambix.caf"), {"--order", n, "--ambix"}).status, 0);
        const AmbixData ambix = readAmbix(folder.path("ambix.caf"));
        EXPECT_EQ(ambix.info.fileformat, AMBIX_BASIC);
        EXPECT_EQ(ambix.info.extrachannels, 0u);
        EXPECT_EQ(ambix.info.ambichannels, static_cast<uint32_t>((order + 1) * (order + 1)));
        expectChannelsOf(ambix.sound, readSound(folder.path("plain.wav")),
                         acnSources((order + 1) * (order + 1)));
    }
}

TEST(AmbisonicFiles, acnAndAmbFilesCarryTheMatchingChannelsOfAPlainRender)
{
    struct Case
    {
        std::string out;
        std::vector<std::string> options; // also given to the plain render, without the format
        std::vector<std::string> format;
        std::vector<int> sources;
        const char* summary;
    };
    const Case cases[] = {
        {"acn.aiff",
         {"--order", "3", "--weight", "N3D"},
         {"--acn"},
         acnSources(16),
         "16 out, to %s as AIFF, ACN order, N3D"},
        // Horizontal-only: the sectoral components, X and Y at ACN 3 and 1; the rest silent.
        {"acn-2d.wav",
         {"--order", "2", "--weight", "SN2D", "--2d"},
         {"--acn"},
         {0, 2, -1, 1, 4, -1, -1, -1, 3},
         "9 out, to %s as WAV, ACN order, SN2D"},
        {"fuma.amb",
         {"--order", "3", "--weight", "Fu-Ma"},
         {},
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
         "16 out, to %s as .amb (B-Format WAVE-EX), Furse-Malham order, Fu-Ma"},
    };
    ScratchFolder folder;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.out);
        ASSERT_EQ(render(folder.path("plain.wav"), c.options).status, 0);
        std::vector<std::string> options = c.options;
        options.insert(options.end(), c.format.begin(), c.format.end());
        const ToolRun run = render(folder.path(c.out), options);
        ASSERT_EQ(run.status, 0) << run.err;
        char summary[256];
        std::snprintf(summary, sizeof summary, c.summary, folder.path(c.out).c_str());
        EXPECT_THAT(run.out, HasSubstr(summary));
        expectChannelsOf(readSound(folder.path(c.out)), readSound(folder.path("plain.wav")),
                         c.sources);
    }
}

TEST(AmbisonicFiles, anAmbFileIsWaveExtensibleWithTheBFormatSubFormatAndNoSpeakerMask)
{
    struct Case
    {
        std::vector<std::string> options;
        int channels;
        int bits;
        unsigned char subFormat; // 1 integer, 3 float
    };
    const Case cases[] = {
        {{}, 4, 32, 3},
        {{"--order", "3", "--subtype", "PCM_16"}, 16, 16, 1},
    };
    // 00000001-0721-11d3-8644-c8c1ca000000, the first byte the sample type.
    const unsigned char bFormat[16] = {0,    0,    0,    0,    0x21, 0x07, 0xd3, 0x11,
                                       0x86, 0x44, 0xc8, 0xc1, 0xca, 0,    0,    0};
    ScratchFolder folder;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.channels);
        ASSERT_EQ(render(folder.path("out.amb"), c.options).status, 0);
        std::ifstream file(folder.path("out.amb"), std::ios::binary);
        unsigned char h[60] = {};
        file.read(reinterpret_cast<char*>(h), sizeof h);
        const auto u16 = [&](int at) { return h[at] | h[at + 1] << 8; };
        EXPECT_EQ(std::string(reinterpret_cast<char*>(h), 4), "RIFF");
        EXPECT_EQ(std::string(reinterpret_cast<char*>(h) + 8, 8), "WAVEfmt ");
        EXPECT_EQ(u16(20), 0xFFFE); // WAVE_FORMAT_EXTENSIBLE
        EXPECT_EQ(u16(22), c.channels);
        EXPECT_EQ(u16(34), c.bits);
        EXPECT_EQ(u16(40) | u16(42) << 16, 0); // no speaker positions
        unsigned char expected[16];
        std::copy(std::begin(bFormat), std::end(bFormat), expected);
        expected[0] = c.subFormat;
        EXPECT_TRUE(std::equal(expected, expected + 16, h + 44));
    }
}

TEST(AmbisonicFiles, whatAFormatCannotHoldIsRefusedWithOneLineAndNoFile)
{
    const std::string encoder = SFERANT_MODULE_PATH;
    const std::string tiny = testModule("tiny_gain");
    const Refused cases[] = {
        {encoder, "out.caf", {"--ambix", "--weight", "N3D"}, "--ambix: AmbiX holds SN3D"},
        {encoder, "out.caf", {"--ambix", "--set", "Weight=1"}, "--ambix: AmbiX holds SN3D"},
        {encoder, "out.caf", {"--ambix", "--2d"}, "--ambix: AmbiX is full-sphere"},
        {encoder, "out.wav", {"--ambix"}, "--ambix: an AmbiX file is a CAF file"},
        {encoder, "out.amb", {"--ambix"}, "--ambix: an AmbiX file is a CAF file"},
        {encoder, "out.amb", {"--acn"}, "--acn: a .amb file holds the Furse-Malham sequence"},
        {encoder, "out.amb", {"--weight", "SN3D"}, "out.amb: a .amb file holds Fu-Ma weighting"},
        {encoder, "out.amb", {"--2d"}, "out.amb: a .amb file holds full-sphere output only"},
        {encoder, "out.amb", {"--order", "4"}, "out.amb: a .amb file holds orders 1 to 3 only"},
        {tiny, "out.caf", {"--ambix"}, "--ambix: the module has no parameter named \"Weight\""},
        {tiny, "out.wav", {"--acn"}, "--acn: the module has no parameter named \"Order\""},
        {tiny, "out.amb", {}, "out.amb: the module has no parameter named \"Weight\""},
        // The map reads the layout from the same parameters.
        {encoder, "out.wav", {"--map", "map.jpg"}, "--map: the map is a PNG file"},
        {tiny,
         "out.wav",
         {"--map", "map.png"},
         "--map: the module has no parameter named \"Order\""},
    };
    ScratchFolder folder;
    for (const Refused& c : cases)
    {
        SCOPED_TRACE(c.message);
        std::vector<std::string> args{"render", c.module, "demo", folder.path(c.out)};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.rfind(std::string("sferant-host: ") + c.message, 0), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        EXPECT_TRUE(folder.entries().empty());
    }
}
