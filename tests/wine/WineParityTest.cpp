// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows modules render through sferant-host.exe under wine what the Linux modules render
// through sferant-host: the same arithmetic from the same sources, for both plug-ins and the
// VST3 bundle (its first class against the VST 2.4 module).
#include "WindowsHost.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <utility>

namespace
{

// The demo signal at 5th order, stereo, with the near-field filters.
const std::vector<std::string> kDemoOptions = {"--order",   "5",    "--weight",    "SN3D",
                                               "--azimuth", "45",   "--elevation", "20",
                                               "--stereo",  "--nfc"};

bool runQuietly(const std::vector<std::string>& command)
{
    std::string line;
    for (const std::string& word : command)
        line += "'" + word + "' ";
    return std::system((line + ">/dev/null 2>&1").c_str()) == 0;
}

// Standard output of a command, its line ends as on Linux.
std::string outputOf(const std::vector<std::string>& command)
{
    std::string line, out;
    for (const std::string& word : command)
        line += "'" + word + "' ";
    FILE* pipe = popen((line + "2>/dev/null").c_str(), "r");
    if (!pipe) return "";
    for (int c; (c = std::fgetc(pipe)) != EOF;)
        if (c != '\r') out += static_cast<char>(c);
    pclose(pipe);
    return out;
}

std::vector<float> samples(const std::string& path, SF_INFO& info)
{
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return {};
    std::vector<float> data(size_t(info.frames) * size_t(info.channels));
    sf_readf_float(file, data.data(), info.frames);
    sf_close(file);
    return data;
}

// The largest difference between the two builds of one plug-in over the demo render.
double largestDifference(const std::string& architecture, const std::string& linuxModule,
                         const std::string& windowsModule)
{
    const std::string base = "/tmp/sferant-parity-" + std::to_string(getpid());
    const std::string onLinux = base + "-linux.wav", onWindows = base + "-windows.wav";
    std::vector<std::string> linuxRender = {SFERANT_BINARY_DIR "/tools/sferant-host", "render",
                                            linuxModule, "demo", onLinux};
    std::vector<std::string> windowsRender = wineHost(
        architecture, {"render", windowsBuild(architecture, windowsModule), "demo", onWindows});
    linuxRender.insert(linuxRender.end(), kDemoOptions.begin(), kDemoOptions.end());
    windowsRender.insert(windowsRender.end(), kDemoOptions.begin(), kDemoOptions.end());
    EXPECT_TRUE(runQuietly(linuxRender));
    EXPECT_TRUE(runQuietly(windowsRender));

    SF_INFO linuxInfo{}, windowsInfo{};
    const std::vector<float> expected = samples(onLinux, linuxInfo);
    const std::vector<float> actual = samples(onWindows, windowsInfo);
    unlink(onLinux.c_str());
    unlink(onWindows.c_str());
    EXPECT_EQ(linuxInfo.channels, 36);
    if (expected.empty() || actual.size() != expected.size()) return INFINITY;
    double largest = 0;
    for (size_t i = 0; i < expected.size(); ++i)
        largest = std::max(largest, std::fabs(double(actual[i]) - double(expected[i])));
    std::printf("%s: largest difference %g of full scale over %zu samples\n", windowsModule.c_str(),
                largest, expected.size());
    return largest;
}

} // namespace

using WineParity = WindowsArchitecture;
INSTANTIATE_TEST_SUITE_P(On, WineParity, testing::ValuesIn(windowsArchitectures()),
                         architectureName);

TEST_P(WineParity, TheWindowsModulesRenderTheDemoWithinAMillionthOfFullScale)
{
    const std::pair<const char*, const char*> modules[] = {
        {SFERANT_MODULE_PATH, "Sferant.dll"},
        {SFERANT_AMBIX_MODULE_PATH, "SferantAmbiX.dll"},
        {SFERANT_MODULE_PATH, "Sferant.vst3"},
#ifdef SFERANT_CLAP_PATH
        {SFERANT_CLAP_PATH, "Sferant.clap"},
#endif
    };
    for (const auto& [linuxModule, windowsModule] : modules)
        EXPECT_LE(largestDifference(GetParam(), linuxModule, windowsModule), 1e-6) << windowsModule;
}

#ifdef SFERANT_CLAP_PATH
// What sferant-host.exe reads of the Windows Sferant.clap is what sferant-host reads of this one.
TEST_P(WineParity, InfoOnTheWindowsClapModuleIsTheLinuxOnes)
{
    const std::string onLinux = outputOf(
        {SFERANT_BINARY_DIR "/tools/sferant-host", "info", SFERANT_CLAP_PATH, "--azimuth", "45"});
    const std::string onWindows = outputOf(wineHost(
        GetParam(), {"info", windowsBuild(GetParam(), "Sferant.clap"), "--azimuth", "45"}));
    EXPECT_NE(onLinux.find("plugin 1"), std::string::npos);
    EXPECT_EQ(onWindows, onLinux);
}
#endif
