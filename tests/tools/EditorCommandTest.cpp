// SPDX-License-Identifier: GPL-3.0-or-later
// editor gives a module's editor a window of its own and idles it as a DAW does.
#include <fstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ToolRun.h"

using ::testing::HasSubstr;

namespace
{

// Width and height from a PNG file's header.
std::pair<int, int> pngSize(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    unsigned char header[24] = {};
    file.read(reinterpret_cast<char*>(header), sizeof header);
    auto word = [&](int at)
    { return header[at] << 24 | header[at + 1] << 16 | header[at + 2] << 8 | header[at + 3]; };
    return {word(16), word(20)};
}

} // namespace

TEST(Editor, aModuleWithoutAnEditorGivesOneLineAndStatusTwo)
{
    const ToolRun run = runTool({"editor", testModule("tiny_gain"), "--seconds", "0"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "sferant-host: the module has no editor (flag 0x1 is clear)\n");
}

TEST(Editor, noDisplayGivesOneLineAndStatusTwo)
{
    const ToolRun run =
        runTool({"editor", testModule("tiny_gain_main"), "--seconds", "0"}, {{"DISPLAY", ""}});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, HasSubstr("no X display"));
}

TEST(Editor, opensIdlesAndClosesTheEditorInAWindowOfItsSize)
{
    if (!haveVirtualDisplay()) GTEST_SKIP() << "xvfb-run is not installed";
    ScratchFolder folder;
    const ToolRun run = runToolOnVirtualDisplay(
        {"editor", testModule("tiny_gain_main"), "--seconds", "0.3", "--screenshot",
         folder.path("shot.png"), "--dump-params", "--trace", "--host-set-after", "0:0=0.25"},
        {{"TINY_GAIN_LOG", folder.path("log")}});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(pngSize(folder.path("shot.png")), std::make_pair(200, 120));
    EXPECT_THAT(run.out, HasSubstr("host setParameter index=0 value=0.25\n"));
    EXPECT_THAT(
        run.out,
        HasSubstr("param index=0 value=0.250000 name=\"Left\" display=\"0.250\" label=\"x\"\n"));
    const std::string log = readText(folder.path("log"));
    EXPECT_THAT(log, testing::ContainsRegex(
                         "dispatcher 14 0\n(.*\n)*dispatcher 19 0\n(.*\n)*dispatcher 15 0\n"
                         "(.*\n)*dispatcher 1 0\n$"));
}
