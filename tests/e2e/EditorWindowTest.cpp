// SPDX-License-Identifier: GPL-3.0-or-later
// The editor in a real window: xdotool presses and moves the pointer on a private X server
// while sferant-host traces what the plug-in tells it.
#include "EditorSession.h"
#include "XServer.h"
#include "artwork/RgbaImage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

using namespace sferant_test;

namespace
{

namespace layout = sferant::layout;
constexpr layout::Box kAzimuthKnob = layout::controlOf(sferant::kAzimuth, layout::Kind::knob).box;
constexpr layout::Box kAzimuthReadout =
    layout::controlOf(sferant::kAzimuth, layout::Kind::readout).box;

bool samePixels(const RgbaImage& a, const RgbaImage& b, const sferant::layout::Box& area)
{
    return differingPixels(a, b, area) == 0;
}

// Every test runs once per host of the program (editorHostsUnderTest).
class EditorWindow : public testing::TestWithParam<EditorHost>
{
  protected:
    static void SetUpTestSuite() { server = new XServer; }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }
    void SetUp() override
    {
        if (!server->started()) GTEST_SKIP() << "Xvfb could not be started";
    }
    static XServer* server;
};

XServer* EditorWindow::server = nullptr;

} // namespace

INSTANTIATE_TEST_SUITE_P(On, EditorWindow, testing::ValuesIn(editorHostsUnderTest()),
                         [](const testing::TestParamInfo<EditorHost>& info)
                         { return info.param.name; });

TEST_P(EditorWindow, DraggingTheAzimuthKnobIsOneGestureAndTheReadoutFollows)
{
    std::string shot = shotPath("drag");
    std::string out;
    {
        EditorSession session({"--screenshot", shot}, GetParam());
        ASSERT_TRUE(session.ready());
        session.xdo(
            "mousemove --window {w} 420 92 mousedown 1 sleep 0.2 "
            "mousemove --window {w} 420 82 sleep 0.2 mousemove --window {w} 420 72 sleep 0.2 "
            "mousemove --window {w} 420 62 sleep 0.2 mouseup 1");
        session.settle();
        out = session.finish();
    }
    std::vector<Callback> calls = gesture(out);
    ASSERT_GE(calls.size(), 3u) << out;
    EXPECT_EQ(calls.front().opcode, 43);
    EXPECT_EQ(calls.back().opcode, 44);
    float last = 0.5f;
    for (size_t i = 1; i + 1 < calls.size(); ++i)
    {
        EXPECT_EQ(calls[i].opcode, 0);
        EXPECT_GE(calls[i].opt, last); // moving up only raises the value
        last = calls[i].opt;
    }
    for (const Callback& c : calls)
        EXPECT_EQ(c.index, 0);

    float azimuth = dumpedValue(out, 0);
    EXPECT_NEAR(azimuth, 0.65f, 0.02f);
    EXPECT_FLOAT_EQ(last, azimuth);

    RgbaImage dragged = readPng(shot);
    unlink(shot.c_str());
    char setting[64];
    std::snprintf(setting, sizeof setting, "Azimuth=%.9g", azimuth);
    EXPECT_TRUE(samePixels(dragged, referenceShot(setting, GetParam()), kAzimuthReadout));
    EXPECT_FALSE(samePixels(dragged, referenceShot("Azimuth=0.5", GetParam()), kAzimuthReadout));
}

TEST_P(EditorWindow, ClickingTheOrderSwitchsThirdBandSetsThirdOrder)
{
    EditorSession session({}, GetParam());
    ASSERT_TRUE(session.ready());
    session.xdo("mousemove --window {w} 60 96 click 1");
    session.settle();
    std::string out = session.finish();
    EXPECT_EQ(dumpedDisplay(out, 5), "3rd") << out;
}

TEST_P(EditorWindow, AControlClickResetsAKnobToTheMiddle)
{
    EditorSession session({"--set", "Distance=0.9"}, GetParam());
    ASSERT_TRUE(session.ready());
    session.xdo("mousemove --window {w} 231 189 keydown ctrl click 1 keyup ctrl");
    session.settle();
    std::string out = session.finish();
    EXPECT_FLOAT_EQ(dumpedValue(out, 3), 0.5f) << out;
}

TEST_P(EditorWindow, AWheelNotchStepsAKnobByATenth)
{
    EditorSession session({}, GetParam());
    ASSERT_TRUE(session.ready());
    session.xdo("mousemove --window {w} 231 108 click 4");
    session.settle();
    std::string out = session.finish();
    EXPECT_NEAR(dumpedValue(out, 4), 0.1f, 1e-6) << out;
    std::vector<Callback> calls = gesture(out);
    ASSERT_EQ(calls.size(), 3u) << out;
    EXPECT_EQ(calls[0].opcode, 43);
    EXPECT_EQ(calls[1].opcode, 0);
    EXPECT_EQ(calls[2].opcode, 44);
    for (const Callback& c : calls)
        EXPECT_EQ(c.index, 4);
}

TEST_P(EditorWindow, AHostParameterMovesTheKnobAndTellsTheHostNothing)
{
    std::string shot = shotPath("host-set");
    std::string out;
    {
        EditorSession session({"--host-set-after", "300:0=0.25", "--screenshot", shot}, GetParam());
        ASSERT_TRUE(session.ready());
        session.settle(900);
        out = session.finish();
    }
    size_t set = out.find("host setParameter index=0");
    ASSERT_NE(set, std::string::npos) << out;
    EXPECT_TRUE(gesture(out.substr(set)).empty()) << out;
    EXPECT_FLOAT_EQ(dumpedValue(out, 0), 0.25f);

    RgbaImage shown = readPng(shot);
    unlink(shot.c_str());
    RgbaImage reference = referenceShot("Azimuth=0.25", GetParam());
    EXPECT_TRUE(samePixels(shown, reference, kAzimuthKnob));
    EXPECT_TRUE(samePixels(shown, reference, kAzimuthReadout));
    EXPECT_FALSE(samePixels(shown, referenceShot("Azimuth=0.5", GetParam()), kAzimuthKnob));
}
