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

layout::Box scaled(const layout::Box& box, int scale)
{
    return {box.left * scale, box.top * scale, box.right * scale, box.bottom * scale};
}

// Blends `source` (its rows from `top` on) over the opaque `target` at the box's corner.
void blendOver(RgbaImage& target, const RgbaImage& source, int top, const layout::Box& box)
{
    for (int y = 0; y < box.height(); ++y)
        for (int x = 0; x < box.width(); ++x)
        {
            const RgbaImage::Pixel& s = source.at(x, top + y);
            RgbaImage::Pixel& d = target.pixels[size_t(box.top + y) * target.width + box.left + x];
            auto over = [&](uint8_t from, uint8_t to)
            { return uint8_t((from * s.a + to * (255 - s.a) + 127) / 255); };
            d = {over(s.r, d.r), over(s.g, d.g), over(s.b, d.b), 255};
        }
}

// The editor at its default values as the artwork of that density composes it: each
// control's frame of its default over the panel. The read-outs' text is not artwork: their
// boxes are taken from `shown`.
RgbaImage composedDefaults(int density, const RgbaImage& shown)
{
    RgbaImage composed = readArtwork(layout::kPanelBitmap, density);
    for (const layout::Control& row : layout::kControls)
    {
        const layout::Box box = scaled(row.box, density);
        if (row.kind == layout::Kind::readout)
        {
            for (int y = box.top; y < box.bottom; ++y)
                for (int x = box.left; x < box.right; ++x)
                    composed.pixels[size_t(y) * composed.width + x] = shown.at(x, y);
            continue;
        }
        const int frame = int(sferant::kParameters[row.parameter].defaultValue * (row.frames - 1));
        blendOver(composed, readArtwork(row.bitmap, density), frame * box.height(), box);
    }
    return composed;
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

// At scale 2 the editor shows the double-density artwork pixel for pixel, and the pointer acts
// in editor units: a click at twice a point hits what the point hits, and a drag of 2 N
// pixels moves a knob as N pixels do at scale 1.
TEST_P(EditorWindow, AtScaleTwoItShowsTheDenseArtworkAndActsInEditorUnits)
{
    const std::string shot = shotPath("scale2");
    {
        EditorSession session({"--scale", "2", "--screenshot", shot}, GetParam());
        ASSERT_TRUE(session.ready());
        session.finish();
    }
    const RgbaImage shown = readPng(shot);
    unlink(shot.c_str());
    ASSERT_EQ(shown.width, 2 * layout::kPanelWidth);
    ASSERT_EQ(shown.height, 2 * layout::kPanelHeight);
    const layout::Box all{0, 0, shown.width, shown.height};
    EXPECT_EQ(differingPixels(shown, composedDefaults(2, shown), all, 2), 0);

    auto clickAndDrag = [&](int scale)
    {
        auto at = [scale](int x, int y)
        { return std::to_string(x * scale) + " " + std::to_string(y * scale); };
        EditorSession session({"--scale", std::to_string(scale)}, GetParam());
        EXPECT_TRUE(session.ready());
        session.xdo("mousemove --window {w} " + at(60, 96) + " click 1 sleep 0.2 " +
                    "mousemove --window {w} " + at(420, 92) + " mousedown 1 sleep 0.2 " +
                    "mousemove --window {w} " + at(420, 82) + " sleep 0.2 " +
                    "mousemove --window {w} " + at(420, 62) + " sleep 0.2 mouseup 1");
        session.settle();
        return session.finish();
    };
    const std::string once = clickAndDrag(1), twice = clickAndDrag(2);
    EXPECT_EQ(dumpedDisplay(twice, 5), "3rd") << twice;
    EXPECT_NE(dumpedValue(once, 0), 0.5f) << once;
    EXPECT_EQ(dumpedValue(twice, 0), dumpedValue(once, 0)) << twice;
}
