// SPDX-License-Identifier: GPL-3.0-or-later
// Every committed fuzz input, seeds and crash regressions alike, runs through
// its target without breaking an invariant. A broken one aborts the test.
#include "fuzz/FuzzTargets.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <vector>

namespace
{

namespace fs = std::filesystem;

struct Target
{
    const char* name;
    void (*run)(const uint8_t*, size_t);
};

void PrintTo(const Target& target, std::ostream* out)
{
    *out << target.name;
}

std::vector<uint8_t> readFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Runs every file of fuzz/<folder>/<target>; answers how many there were.
int replay(const Target& target, const char* folder)
{
    const fs::path dir = fs::path(SFERANT_SOURCE_DIR) / "fuzz" / folder / target.name;
    if (!fs::is_directory(dir)) return 0;
    int count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir))
    {
        if (!entry.is_regular_file() || entry.path().filename().string()[0] == '.') continue;
        SCOPED_TRACE(entry.path().string());
        const std::vector<uint8_t> data = readFile(entry.path());
        target.run(data.data(), data.size());
        ++count;
    }
    return count;
}

class FuzzReplay : public testing::TestWithParam<Target>
{
  protected:
    // The targets run without a display, as under the fuzzer.
    static void SetUpTestSuite() { unsetenv("DISPLAY"); }
};

TEST_P(FuzzReplay, committedInputsKeepEveryInvariant)
{
    EXPECT_GT(replay(GetParam(), "corpus"), 0) << "no seed inputs for " << GetParam().name;
    replay(GetParam(), "regressions");
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay,
                         testing::Values(Target{"dispatcher", fuzz::dispatcherTarget},
                                         Target{"process", fuzz::processTarget},
#ifdef SFERANT_FUZZ_CLAP
                                         Target{"clap", fuzz::clapTarget},
#endif
#ifdef SFERANT_FUZZ_VST3
                                         Target{"vst3", fuzz::vst3Target},
#endif
                                         Target{"png", fuzz::pngTarget}),
                         [](const testing::TestParamInfo<Target>& info)
                         { return std::string(info.param.name); });

} // namespace
