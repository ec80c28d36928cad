// SPDX-License-Identifier: GPL-3.0-or-later
// The VST3 editor inside a host's X11 window, its idle and its X connection on the host's run
// loop: a drag on the azimuth knob reaches the component handler as begin, perform and end
// edits; the host's content scale sizes it, and a change while open asks the host's frame for
// the new size.
// (GoogleTest comes first: Xlib's macros would rename its names.)
#include <gtest/gtest.h>

#include "HostWindow.h"
#include "XServer.h"

#include "core/parameters.h"
#include "editor/layout.h"
#include "plugin/vst3/host_side/Vst3Instance.h"

#include <chrono>
#include <cmath>
#include <string>
#include <thread>

using namespace sferant_test;
namespace layout = sferant::layout;

extern "C" void* GetPluginFactory();

TEST(Vst3Editor, ADragOnAKnobReachesTheHostAsBeginPerformAndEndEdits)
{
    XServer server;
    if (!server.started()) GTEST_SKIP() << "no Xvfb";
    HostWindow host(layout::kPanelWidth, layout::kPanelHeight);
    const Window parent = host.id();
    ASSERT_NE(parent, 0u);
    {
        sferant::vst3::Vst3Instance vst3(static_cast<v3_plugin_factory**>(GetPluginFactory()), 0);
        ASSERT_TRUE(vst3.openEditor(reinterpret_cast<void*>(parent)));
        const v3_view_rect size = vst3.editorSize();
        EXPECT_EQ(size.right - size.left, layout::kPanelWidth);
        EXPECT_EQ(size.bottom - size.top, layout::kPanelHeight);
        EXPECT_EQ(vst3.watchedDescriptors(), 1) << "the editor's X connection";
        const auto tick = [&](int times)
        {
            for (int i = 0; i < times; ++i)
            {
                vst3.idleEditor();
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        };
        tick(5);
        dragAzimuthKnobUp(parent, [&] { vst3.idleEditor(); });
        tick(5);
        const auto& edits = vst3.edits;
        ASSERT_GE(edits.size(), 3u);
        EXPECT_EQ(edits.front(), "begin 0");
        EXPECT_EQ(edits.back(), "end 0");
        for (size_t i = 1; i + 1 < edits.size(); ++i)
            EXPECT_EQ(edits[i].rfind("perform 0 ", 0), 0u) << edits[i];
        const double last = std::stod(edits[edits.size() - 2].substr(10));
        EXPECT_NEAR(sferant::userValue(sferant::kAzimuth, float(last)), -54, 8);
        EXPECT_FLOAT_EQ(float(vst3.normalised(sferant::kAzimuth)), float(last));
        vst3.closeEditor();
        EXPECT_EQ(vst3.watchedDescriptors(), 0);
    }
}

TEST(Vst3Editor, TheHostsContentScaleSizesTheEditorClampedAndAsksTheFrameForTheNewSize)
{
    XServer server;
    if (!server.started()) GTEST_SKIP() << "no Xvfb";
    HostWindow host(4 * layout::kPanelWidth, 4 * layout::kPanelHeight);
    ASSERT_NE(host.id(), 0u);
    sferant::vst3::Vst3Instance vst3(static_cast<v3_plugin_factory**>(GetPluginFactory()), 0);
    const auto expectSize = [&](int scale)
    {
        const v3_view_rect size = vst3.editorSize();
        EXPECT_EQ(size.right - size.left, scale * layout::kPanelWidth);
        EXPECT_EQ(size.bottom - size.top, scale * layout::kPanelHeight);
    };
    // Given before the view is attached: 20 is clamped to 4.
    ASSERT_TRUE(vst3.openEditor(reinterpret_cast<void*>(host.id()), 20));
    expectSize(4);
    const struct
    {
        float factor;
        int scale;
    } changes[] = {{2, 2}, {NAN, 1}, {20, 4}, {0, 1}, {-3, 1}, {2, 2}};
    int previous = 4;
    for (const auto& change : changes)
    {
        SCOPED_TRACE(change.factor);
        vst3.resizes.clear();
        EXPECT_EQ(vst3.setEditorScale(change.factor), V3_OK);
        expectSize(change.scale);
        vst3.idleEditor();
        // A new scale, and only a new one, asks the host's frame for the new size.
        ASSERT_EQ(vst3.resizes.size(), change.scale != previous ? 1u : 0u);
        if (!vst3.resizes.empty())
        {
            EXPECT_EQ(vst3.resizes[0].right, change.scale * layout::kPanelWidth);
            EXPECT_EQ(vst3.resizes[0].bottom, change.scale * layout::kPanelHeight);
        }
        previous = change.scale;
    }
    vst3.closeEditor();
}
