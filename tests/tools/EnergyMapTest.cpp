// SPDX-License-Identifier: GPL-3.0-or-later
// render --map: the energy map of every file render writes peaks where the source was set.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>

#include <gtest/gtest.h>

#include "TestSound.h"
#include "ToolRun.h"

namespace
{

constexpr double kTolerance = 2.0; // degrees
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

struct Direction
{
    double azimuth;
    double elevation;
};

// Near the back edge of the map, where +180° meets -180°; high on the left; low behind on the
// right; none on the grid of the map.
const Direction kDirections[] = {{179.73, 10.36}, {134.58, 41.22}, {-101.34, -58.61}};
const char* const kWeights[] = {"SN2D", "N2D", "SN3D", "N3D", "Fu-Ma"};

std::string number(double value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

ToolRun renderWithMap(const ScratchFolder& folder, const std::string& out,
                      const std::vector<std::string>& options,
                      const char* module = SFERANT_MODULE_PATH)
{
    std::vector<std::string> args{"render", module, "demo",  folder.path(out),
                                  "--rate", "8000", "--map", folder.path("map.png")};
    args.insert(args.end(), options.begin(), options.end());
    return runTool(args);
}

// The peak from the summary's line "direction  azimuth A°  elevation E°".
std::optional<Direction> printedPeak(const std::string& out)
{
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);)
    {
        Direction d{};
        if (std::sscanf(line.c_str(), "direction  azimuth %lf\xC2\xB0  elevation %lf\xC2\xB0",
                        &d.azimuth, &d.elevation) == 2)
            return d;
    }
    return std::nullopt;
}

// The angle between two directions on the sphere.
double angleBetween(Direction a, Direction b)
{
    const auto unit = [](Direction d)
    {
        const double az = d.azimuth * kRadiansPerDegree, el = d.elevation * kRadiansPerDegree;
        return std::vector<double>{std::cos(el) * std::cos(az), std::cos(el) * std::sin(az),
                                   std::sin(el)};
    };
    const std::vector<double> u = unit(a), v = unit(b);
    const double cosine = u[0] * v[0] + u[1] * v[1] + u[2] * v[2];
    return std::acos(std::clamp(cosine, -1.0, 1.0)) / kRadiansPerDegree;
}

double azimuthDifference(Direction a, Direction b)
{
    return std::fabs(std::remainder(a.azimuth - b.azimuth, 360.0));
}

bool isHorizontal(const std::vector<std::string>& options)
{
    return std::find(options.begin(), options.end(), "--2d") != options.end();
}

// Renders a source at `set` with a map and returns how far the printed peak lies from it: on
// the sphere, or in azimuth alone for horizontal-only output (set's elevation unused); 180 when
// the run fails or prints no peak.
double peakError(const ScratchFolder& folder, const std::string& out,
                 std::vector<std::string> options, Direction set,
                 const char* module = SFERANT_MODULE_PATH)
{
    const bool horizontal = isHorizontal(options);
    options.insert(options.end(), {"--azimuth", number(set.azimuth)});
    if (!horizontal) options.insert(options.end(), {"--elevation", number(set.elevation)});
    const ToolRun run = renderWithMap(folder, out, options, module);
    EXPECT_EQ(run.status, 0) << run.err;
    const std::optional<Direction> peak = printedPeak(run.out);
    EXPECT_TRUE(peak) << run.out;
    if (!peak) return 180.0;
    return horizontal ? azimuthDifference(*peak, set) : angleBetween(*peak, set);
}

// Every weight, orders 3 to 5, every direction of kDirections; the worst error.
double worstErrorOverWeightsOrdersAndDirections(const std::vector<std::string>& mode)
{
    ScratchFolder folder;
    double worst = 0.0;
    for (const char* weight : kWeights)
        for (int order = 3; order <= 5; ++order)
            for (const Direction& d : kDirections)
            {
                SCOPED_TRACE(std::string(weight) + " order " + std::to_string(order) + " azimuth " +
                             number(d.azimuth) + " elevation " + number(d.elevation));
                std::vector<std::string> options{"--order", std::to_string(order), "--weight",
                                                 weight};
                options.insert(options.end(), mode.begin(), mode.end());
                const double error = peakError(folder, "out.wav", options, d);
                EXPECT_LE(error, kTolerance);
                worst = std::max(worst, error);
            }
    return worst;
}

// Width and height from a PNG file's header; 0 when it is not a PNG file.
std::pair<int, int> pngSize(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    unsigned char h[24] = {};
    file.read(reinterpret_cast<char*>(h), sizeof h);
    const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (!std::equal(signature, signature + 8, h) || std::string(h + 12, h + 16) != "IHDR")
        return {0, 0};
    const auto u32 = [&](int at)
    { return h[at] << 24 | h[at + 1] << 16 | h[at + 2] << 8 | h[at + 3]; };
    return {u32(16), u32(20)};
}

} // namespace

TEST(EnergyMap, peaksWithinTwoDegreesOfTheSourceForEveryOrderAndWeightOnTheSphere)
{
    std::printf("worst peak error, 3D: %.3f degrees\n",
                worstErrorOverWeightsOrdersAndDirections({}));
}

TEST(EnergyMap, peaksWithinTwoDegreesOfTheSourceAzimuthForEveryOrderAndWeightIn2d)
{
    std::printf("worst peak error, 2D: %.3f degrees\n",
                worstErrorOverWeightsOrdersAndDirections({"--2d"}));
}

TEST(EnergyMap, readsTheAcnAmbixAndAmbFilesAsTheyWereWritten)
{
    struct Case
    {
        std::string out;
        std::vector<std::string> options;
        Direction set;
    };
    const Case cases[] = {
        {"acn.wav", {"--acn", "--order", "4", "--weight", "N3D"}, {0, 0}},
        {"acn-sn2d.wav", {"--acn", "--order", "5", "--weight", "SN2D"}, {100.23, -20.71}},
        {"acn-2d.wav", {"--acn", "--order", "3", "--weight", "SN3D", "--2d"}, {150.42, 0}},
        {"acn-fuma-2d.wav", {"--acn", "--order", "5", "--weight", "Fu-Ma", "--2d"}, {-120, 0}},
        {"ambix.caf", {"--ambix", "--order", "5"}, {60.33, -35.12}},
        {"first.amb", {"--order", "1"}, {-150, 25}},
        {"third.amb", {"--order", "3"}, {20, 80}}, // near the zenith
    };
    ScratchFolder folder;
    double worst = 0.0;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.out);
        const double error = peakError(folder, c.out, c.options, c.set);
        EXPECT_LE(error, kTolerance);
        worst = std::max(worst, error);
    }
    std::printf("worst peak error, ACN, AmbiX and .amb files: %.3f degrees\n", worst);
}

// Sferant AmbiX writes ACN order itself: its own files and its --acn and --ambix files.
TEST(EnergyMap, readsTheFilesOfTheAmbixModuleAsTheyWereWritten)
{
    ScratchFolder folder;
    double worst = 0.0;
    const Direction set = kDirections[1];
    for (const char* weight : kWeights)
        for (int order = 3; order <= 5; ++order)
            for (const char* mode : {"", "--2d", "--acn"})
            {
                SCOPED_TRACE(std::string(weight) + " order " + std::to_string(order) + " " + mode);
                std::vector<std::string> options{"--order", std::to_string(order), "--weight",
                                                 weight};
                if (*mode) options.push_back(mode);
                const double error =
                    peakError(folder, "ambix.wav", options, set, SFERANT_AMBIX_MODULE_PATH);
                EXPECT_LE(error, kTolerance);
                worst = std::max(worst, error);
            }
    const double ambix =
        peakError(folder, "ambix.caf", {"--ambix", "--order", "4"}, set, SFERANT_AMBIX_MODULE_PATH);
    EXPECT_LE(ambix, kTolerance);
    std::printf("worst peak error, the AmbiX module's files: %.3f degrees\n",
                std::max(worst, ambix));
}

TEST(EnergyMap, isWrittenAsAPngOfTheGridWithItsMarginsBesideTheSoundFile)
{
    ScratchFolder folder;
    const ToolRun run = renderWithMap(folder, "out.wav", {"--order", "2", "--azimuth", "90"});
    ASSERT_EQ(run.status, 0) << run.err;
    // 721 × 361 grid points (0.5° steps, both edges), margins for the labels and the scale.
    EXPECT_EQ(pngSize(folder.path("map.png")), std::make_pair(820, 400));
    EXPECT_EQ(readSound(folder.path("out.wav")).info.channels, 36);
    EXPECT_NE(run.out.find("map " + folder.path("map.png") + ", 820 x 400"), std::string::npos)
        << run.out;
}

TEST(EnergyMap, ofASilentFileHasNoPeak)
{
    ScratchFolder folder;
    writeWav(folder.path("silence.wav"), std::vector<float>(800, 0.0f), 1, 8000);
    const ToolRun run = runTool({"render", SFERANT_MODULE_PATH, folder.path("silence.wav"),
                                 folder.path("out.wav"), "--map", folder.path("map.png")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\ndirection  none, the file is silent\n"), std::string::npos)
        << run.out;
    EXPECT_EQ(pngSize(folder.path("map.png")), std::make_pair(820, 400));
}
