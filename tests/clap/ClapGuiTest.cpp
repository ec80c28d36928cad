// SPDX-License-Identifier: GPL-3.0-or-later
// Sferant.clap's editor inside a host's X11 window, driven by the host's timer: a drag on the
// azimuth knob reaches the host as a gesture with its values at the next flush; the host's
// scale sets the editor's size.
// (GoogleTest comes first: Xlib's macros would rename its names.)
#include <gtest/gtest.h>

#include "ClapHost.h"
#include "HostWindow.h"
#include "XServer.h"

#include "core/parameters.h"
#include "editor/layout.h"

#include <clap/ext/gui.h>
#include <clap/ext/timer-support.h>

#include <string>
#include <thread>

using namespace sferant_test;
namespace layout = sferant::layout;

TEST(ClapGui, ADragOnAKnobReachesTheHostAsAGestureAtTheNextFlush)
{
    XServer server;
    if (!server.started()) GTEST_SKIP() << "no Xvfb";
    HostWindow host(layout::kPanelWidth, layout::kPanelHeight);
    const Window parent = host.id();
    ASSERT_NE(parent, 0u);
    {
        ClapInstance clap("org.sferant.encoder");
        const auto* gui = clap.extension<clap_plugin_gui_t>(CLAP_EXT_GUI);
        const auto* timer = clap.extension<clap_plugin_timer_support_t>(CLAP_EXT_TIMER_SUPPORT);
        ASSERT_TRUE(gui && timer);
        EXPECT_FALSE(gui->is_api_supported(clap.plugin, CLAP_WINDOW_API_X11, true));
        ASSERT_TRUE(gui->create(clap.plugin, CLAP_WINDOW_API_X11, false));
        clap_window_t window{CLAP_WINDOW_API_X11, {}};
        window.x11 = parent;
        ASSERT_TRUE(gui->set_parent(clap.plugin, &window));
        uint32_t width = 0, height = 0;
        EXPECT_TRUE(gui->get_size(clap.plugin, &width, &height));
        EXPECT_EQ(width, uint32_t(layout::kPanelWidth));
        EXPECT_EQ(height, uint32_t(layout::kPanelHeight));
        // The host's scale: the editor's size follows it, and back.
        for (const double scale : {2.0, 1.0})
        {
            EXPECT_TRUE(gui->set_scale(clap.plugin, scale));
            EXPECT_TRUE(gui->get_size(clap.plugin, &width, &height));
            EXPECT_EQ(width, uint32_t(layout::kPanelWidth * scale));
            EXPECT_EQ(height, uint32_t(layout::kPanelHeight * scale));
        }
        ASSERT_EQ(clap.host.timers.size(), 1u);
        const auto tick = [&](int times)
        {
            for (int i = 0; i < times; ++i)
            {
                timer->on_timer(clap.plugin, clap.host.timers[0]);
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        };
        tick(5);
        dragAzimuthKnobUp(parent, [&] { timer->on_timer(clap.plugin, clap.host.timers[0]); });
        tick(5);
        EXPECT_GT(clap.host.flushRequests, 0);
        clap.flush(Events());

        const auto& sent = clap.host.sent;
        ASSERT_GE(sent.size(), 3u);
        EXPECT_EQ(sent.front().type, CLAP_EVENT_PARAM_GESTURE_BEGIN);
        EXPECT_EQ(sent.back().type, CLAP_EVENT_PARAM_GESTURE_END);
        for (size_t i = 1; i + 1 < sent.size(); ++i)
            EXPECT_EQ(sent[i].type, CLAP_EVENT_PARAM_VALUE);
        for (const SentEvent& event : sent)
            EXPECT_EQ(event.id, clap_id(sferant::kAzimuth));
        const double last = sent[sent.size() - 2].value;
        EXPECT_NEAR(last, -54, 8);
        EXPECT_EQ(clap.value(sferant::kAzimuth), last);
        gui->destroy(clap.plugin);
        EXPECT_TRUE(clap.host.timers.empty());
    }
}
