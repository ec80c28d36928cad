// SPDX-License-Identifier: GPL-3.0-or-later
// info shows the record, strings and parameters of any module as a DAW would read them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ToolRun.h"

using ::testing::HasSubstr;

TEST(Info, showsTheRecordFieldsOfAModule)
{
    const ToolRun run = runTool({"info", testModule("tiny_gain")});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* line :
         {"magic         0x56737450 'VstP'\n", "numPrograms   1\n", "numParams     2\n",
          "numInputs     1\n", "numOutputs    2\n",
          "flags         0x1010 CanReplacing CanDoubleReplacing\n", "initialDelay  0\n",
          "uniqueID      1416526151 0x546e7947 'TnyG'\n", "version       7\n", "ioRatio       1\n"})
        EXPECT_THAT(run.out, HasSubstr(line));
}

TEST(Info, showsTheEffectStringsAndProgramName)
{
    const ToolRun run = runTool({"info", testModule("tiny_gain")});
    EXPECT_THAT(run.out, HasSubstr("effect        \"Tiny Gain\"\n"));
    EXPECT_THAT(run.out, HasSubstr("vendor        \"Sferant Tests\"\n"));
    EXPECT_THAT(run.out, HasSubstr("product       \"Tiny Gain\"\n"));
    EXPECT_THAT(run.out, HasSubstr("program       \"Default\"\n"));
}

TEST(Info, showsOneRowPerParameterWithNameLabelValueAndDisplay)
{
    const ToolRun run = runTool({"info", testModule("tiny_gain"), "--set", "Right=0.25"});
    EXPECT_THAT(run.out, testing::ContainsRegex("\n +0  Left +x +1\\.000000 +1\\.000\n"));
    EXPECT_THAT(run.out, testing::ContainsRegex("\n +1  Right +x +0\\.250000 +0\\.250\n"));
}

TEST(Info, findsTheOldEntryPointNamedMain)
{
    const ToolRun run = runTool({"info", testModule("tiny_gain_main")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("flags         0x11 HasEditor CanReplacing\n"));
}

TEST(Info, opensAndClosesTheInstance)
{
    ScratchFolder folder;
    runTool({"info", testModule("tiny_gain")}, {{"TINY_GAIN_LOG", folder.path("log")}});
    const std::string log = readText(folder.path("log"));
    EXPECT_EQ(log.rfind("dispatcher 0 0\n", 0), 0u) << log;
    EXPECT_EQ(log.substr(log.size() - 15), "dispatcher 1 0\n") << log;
}

TEST(Info, traceLogsEveryHostCallbackOnOneLine)
{
    const ToolRun run = runTool({"info", testModule("tiny_gain"), "--trace"});
    EXPECT_EQ(run.out.rfind("callback opcode=1 index=0 value=0 opt=0\n", 0), 0u) << run.out;
}
