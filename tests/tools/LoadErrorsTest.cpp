// SPDX-License-Identifier: GPL-3.0-or-later
// A module that cannot be loaded gives one line on stderr and exit status 2, whatever the command.
#include <fstream>

#include <gtest/gtest.h>

#include "ToolRun.h"

namespace
{

struct BadModule
{
    const char* what;
    std::string path;
    const char* message;
};

void expectOneLineError(const ToolRun& run, const std::string& message)
{
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
}

} // namespace

TEST(LoadErrors, anUnloadableModuleGivesOneLineAndStatusTwo)
{
    ScratchFolder folder;
    std::ofstream(folder.path("notes.txt")) << "not a module\n";
    const BadModule cases[] = {
        {"missing file", folder.path("missing.so"), "no such file"},
        {"text file", folder.path("notes.txt"), "not a loadable module"},
        {"no entry point", testModule("bare_no_entry"), "no entry point"},
        {"entry returns null", testModule("bare_null_effect"), "returned no effect"},
    };
    for (const BadModule& bad : cases)
    {
        SCOPED_TRACE(bad.what);
        expectOneLineError(runTool({"info", bad.path}), bad.message);
        expectOneLineError(runTool({"render", bad.path, "demo", folder.path("out.wav")}),
                           bad.message);
        expectOneLineError(runTool({"bench", bad.path, "--seconds", "0"}), bad.message);
        expectOneLineError(runTool({"editor", bad.path, "--seconds", "0"}), bad.message);
    }
}

TEST(LoadErrors, anUnknownCommandGivesStatusTwo)
{
    EXPECT_EQ(runTool({"play", testModule("tiny_gain")}).status, 2);
}

TEST(LoadErrors, noArgumentsPrintUsageAndGiveStatusTwo)
{
    const ToolRun run = runTool({});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("usage: sferant-host"), std::string::npos);
}
