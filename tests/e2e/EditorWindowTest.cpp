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

struct Area
{
    int left, top, right, bottom;
};
const Area kAzimuthKnob{397, 69, 442, 114};
const Area kAzimuthReadout{400, 118, 440, 142};

bool samePixels(const RgbaImage& a, const RgbaImage& b, const Area& area)
{
    if (a.width < area.right || b.width < area.right || a.height < area.bottom ||
        b.height < area.bottom)
        return false;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
        {
            const auto &p = a.at(x, y), &q = b.at(x, y);
            if (p.r != q.r || p.g != q.g || p.b != q.b) return false;
        }
    return true;
}

std::string shotPath(const char* name)
{
    return "/tmp/sferant-e2e-" + std::to_string(getpid()) + "-" + name + ".png";
}

// The editor as it shows a parameter set before it opens, for comparing pictures.
RgbaImage referenceShot(const std::string& setting)
{
    std::string path = shotPath("reference");
    {
        EditorSession session({"--set", setting, "--screenshot", path});
        session.finish();
    }
    RgbaImage image = readPng(path);
    unlink(path.c_str());
    return image;
}

// The callbacks of the gesture opcodes: 43 begin edit, 0 automate, 44 end edit.
std::vector<Callback> gesture(const std::string& trace)
{
    std::vector<Callback> result;
    for (const Callback& c : callbacks(trace))
        if (c.opcode == 43 || c.opcode == 0 || c.opcode == 44) result.push_back(c);
    return result;
}

class EditorWindow : public testing::Test
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

TEST_F(EditorWindow, DraggingTheAzimuthKnobIsOneGestureAndTheReadoutFollows)
{
    std::string shot = shotPath("drag");
    std::string out;
    {
        EditorSession session({"--screenshot", shot});
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
    EXPECT_TRUE(samePixels(dragged, referenceShot(setting), kAzimuthReadout));
    EXPECT_FALSE(samePixels(dragged, referenceShot("Azimuth=0.5"), kAzimuthReadout));
}

TEST_F(EditorWindow, ClickingTheOrderSwitchsThirdBandSetsThirdOrder)
{
    EditorSession session;
    ASSERT_TRUE(session.ready());
    session.xdo("mousemove --window {w} 60 96 click 1");
    session.settle();
    std::string out = session.finish();
    EXPECT_EQ(dumpedDisplay(out, 5), "3rd") << out;
}

TEST_F(EditorWindow, AControlClickResetsAKnobToTheMiddle)
{
    EditorSession session({"--set", "Distance=0.9"});
    ASSERT_TRUE(session.ready());
    session.xdo("mousemove --window {w} 231 189 keydown ctrl click 1 keyup ctrl");
    session.settle();
    std::string out = session.finish();
    EXPECT_FLOAT_EQ(dumpedValue(out, 3), 0.5f) << out;
}

TEST_F(EditorWindow, AWheelNotchStepsAKnobByATenth)
{
    EditorSession session;
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

TEST_F(EditorWindow, AHostParameterMovesTheKnobAndTellsTheHostNothing)
{
    std::string shot = shotPath("host-set");
    std::string out;
    {
        EditorSession session({"--host-set-after", "300:0=0.25", "--screenshot", shot});
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
    RgbaImage reference = referenceShot("Azimuth=0.25");
    EXPECT_TRUE(samePixels(shown, reference, kAzimuthKnob));
    EXPECT_TRUE(samePixels(shown, reference, kAzimuthReadout));
    EXPECT_FALSE(samePixels(shown, referenceShot("Azimuth=0.5"), kAzimuthKnob));
}
