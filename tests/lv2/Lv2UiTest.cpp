// SPDX-License-Identifier: GPL-3.0-or-later
// The LV2 plug-in's UI binary, shown as an LV2 host shows an X11 UI: in a window of the
// host's, driven by the host's idle calls, with port events in and port writes out. The DSP
// binary and the VST 2.4 module are loaded into the same process, as a host may do.
// (GoogleTest comes first: Xlib's macros would rename its names.)
#include <gtest/gtest.h>

#include "LoadedModule.h"
#include "XServer.h"

#include "core/parameters.h"
#include "editor/layout.h"
#include "plugin/lv2/ports.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace sferant;

namespace
{

// What the UI told the host, in order.
struct HostCall
{
    enum Kind
    {
        kWrite,
        kTouch,
        kResize
    } kind;
    uint32_t port;
    float value; // the value written; 1 or 0 for a touch; the width for a resize
};

// The host's URIDs: the two a scale option needs, and one for any other URI.
LV2_URID mapUri(LV2_URID_Map_Handle, const char* uri)
{
    if (!std::strcmp(uri, LV2_UI__scaleFactor)) return 1;
    return !std::strcmp(uri, LV2_ATOM__Float) ? 2 : 3;
}

// A host window and the UI inside it; a scale above 0 is passed as the ui:scaleFactor option.
class HostedUi
{
  public:
    HostedUi(Display* display, const LV2UI_Descriptor* descriptor,
             const char* pluginUri = lv2::kPlugins[0].uri, float scale = 0)
        : display(display), descriptor(descriptor), scale(scale)
    {
        // Apart on the screen, so that the server keeps every UI's pixels.
        static int shown = 0;
        const int top = (shown++ % 2) * (layout::kPanelHeight + 10);
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, top,
                                     layout::kPanelWidth, layout::kPanelHeight, 0, 0, 0);
        XSelectInput(display, parent, KeyPressMask);
        XMapWindow(display, parent);
        XSync(display, False);
        const LV2_Feature parentFeature{LV2_UI__parent, reinterpret_cast<void*>(parent)};
        const LV2_Feature touchFeature{LV2_UI__touch, &touch};
        const LV2_Feature resizeFeature{LV2_UI__resize, &resize};
        const LV2_Options_Option options[] = {
            {LV2_OPTIONS_INSTANCE, 0, 1, sizeof(float), 2, &this->scale},
            {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
        const LV2_Feature optionsFeature{LV2_OPTIONS__options,
                                         const_cast<LV2_Options_Option*>(options)};
        const LV2_Feature mapFeature{LV2_URID__map, &map};
        const LV2_Feature* features[] = {&parentFeature, &touchFeature,
                                         &resizeFeature, scale > 0 ? &optionsFeature : nullptr,
                                         &mapFeature,    nullptr};
        handle = descriptor->instantiate(descriptor, pluginUri, "", write, this, &widget, features);
    }
    ~HostedUi()
    {
        if (handle) descriptor->cleanup(handle);
        XDestroyWindow(display, parent);
        XSync(display, False);
    }

    bool ready() const { return handle != nullptr; }
    Window widgetWindow() const { return Window(reinterpret_cast<uintptr_t>(widget)); }

    void idle(int times = 5)
    {
        auto idle = static_cast<const LV2UI_Idle_Interface*>(
            descriptor->extension_data(LV2_UI__idleInterface));
        for (int i = 0; i < times; ++i)
        {
            idle->idle(handle);
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        }
        XSync(display, False);
    }
    void portEvent(int parameter, float user)
    {
        descriptor->port_event(handle, lv2::controlPort(parameter), sizeof user, 0, &user);
    }
    // The pixels of a box of the editor, as the server shows them.
    std::vector<unsigned long> pixels(const layout::Box& box) const
    {
        std::vector<unsigned long> result;
        XImage* image = XGetImage(display, widgetWindow(), box.left, box.top, box.right - box.left,
                                  box.bottom - box.top, AllPlanes, ZPixmap);
        if (!image) return result;
        for (int y = 0; y < image->height; ++y)
            for (int x = 0; x < image->width; ++x)
                result.push_back(XGetPixel(image, x, y));
        XDestroyImage(image);
        return result;
    }

    Display* display;
    const LV2UI_Descriptor* descriptor;
    Window parent = 0;
    LV2UI_Widget widget = nullptr;
    LV2UI_Handle handle = nullptr;
    std::vector<HostCall> calls;

  private:
    static void write(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t format,
                      const void* buffer)
    {
        if (format == 0 && size == sizeof(float))
            static_cast<HostedUi*>(controller)
                ->calls.push_back({HostCall::kWrite, port, *static_cast<const float*>(buffer)});
    }
    static void touched(LV2UI_Feature_Handle host, uint32_t port, bool grabbed)
    {
        static_cast<HostedUi*>(host)->calls.push_back({HostCall::kTouch, port, float(grabbed)});
    }
    static int resized(LV2UI_Feature_Handle host, int width, int height)
    {
        auto* self = static_cast<HostedUi*>(host);
        self->calls.push_back({HostCall::kResize, uint32_t(height), float(width)});
        return 0;
    }

    float scale;
    LV2UI_Touch touch{this, touched};
    LV2UI_Resize resize{this, resized};
    LV2_URID_Map map{nullptr, mapUri};
};

class Lv2Ui : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        if (!server.started()) GTEST_SKIP() << "Xvfb could not be started";
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        ASSERT_TRUE(ui.loaded()) << ui.error();
        ASSERT_TRUE(dsp.loaded()) << dsp.error();
        ASSERT_TRUE(vst.loaded()) << vst.error();
        auto entry = ui.symbol<LV2UI_DescriptorFunction>("lv2ui_descriptor");
        ASSERT_NE(entry, nullptr);
        descriptor = entry(0);
        ASSERT_NE(descriptor, nullptr);
    }
    void TearDown() override
    {
        if (display) XCloseDisplay(display);
    }

    std::unique_ptr<HostedUi> show()
    {
        auto hosted = std::make_unique<HostedUi>(display, descriptor);
        if (hosted->ready()) hosted->idle(); // the first paint
        return hosted;
    }

    sferant_test::XServer server;
    Display* display = nullptr;
    LoadedModule ui{SFERANT_LV2_UI_PATH}, dsp{SFERANT_LV2_DSP_PATH}, vst{SFERANT_MODULE_PATH};
    const LV2UI_Descriptor* descriptor = nullptr;
};

constexpr layout::Box kAzimuthKnob = layout::controlOf(kAzimuth, layout::Kind::knob).box;
constexpr layout::Box kAzimuthReadout = layout::controlOf(kAzimuth, layout::Kind::readout).box;
const layout::Box kAzimuthArea{kAzimuthKnob.left, kAzimuthKnob.top, kAzimuthReadout.right,
                               kAzimuthReadout.bottom};

} // namespace

// Without a scale option the editor has its own size; with one, that many times it (a host's
// nonsense clamped to 1 to 4), as the window and as the size asked of the host.
TEST_F(Lv2Ui, OpensInTheHostsWindowAtTheEditorsSizeTimesTheHostsScale)
{
    const struct
    {
        float option, scale;
    } cases[] = {{0, 1}, {2, 2}, {1.5f, 1.5f}, {20, 4}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.option);
        auto hosted =
            std::make_unique<HostedUi>(display, descriptor, lv2::kPlugins[0].uri, c.option);
        ASSERT_TRUE(hosted->ready());
        Window root, parent, *children = nullptr;
        unsigned count = 0;
        ASSERT_TRUE(XQueryTree(display, hosted->widgetWindow(), &root, &parent, &children, &count));
        if (children) XFree(children);
        EXPECT_EQ(parent, hosted->parent);
        XWindowAttributes shown{};
        XGetWindowAttributes(display, hosted->widgetWindow(), &shown);
        const int width = int(std::ceil(layout::kPanelWidth * c.scale));
        const int height = int(std::ceil(layout::kPanelHeight * c.scale));
        EXPECT_EQ(shown.width, width);
        EXPECT_EQ(shown.height, height);
        ASSERT_EQ(hosted->calls.size(), 1u);
        EXPECT_EQ(hosted->calls[0].kind, HostCall::kResize);
        EXPECT_EQ(hosted->calls[0].value, width);
        EXPECT_EQ(hosted->calls[0].port, uint32_t(height));
    }
}

TEST_F(Lv2Ui, WithoutAParentWindowThereIsNoUi)
{
    LV2UI_Widget widget = nullptr;
    const LV2_Feature* none[] = {nullptr};
    auto write = [](LV2UI_Controller, uint32_t, uint32_t, uint32_t, const void*) {};
    EXPECT_EQ(descriptor->instantiate(descriptor, lv2::kPlugins[0].uri, "", write, nullptr, &widget,
                                      none),
              nullptr);
}

// Each plug-in has its UI; Sferant AmbiX's names it in a badge beside the title.
TEST_F(Lv2Ui, EachPluginHasItsOwnUiAndSferantAmbixsShowsItsBadge)
{
    auto entry = ui.symbol<LV2UI_DescriptorFunction>("lv2ui_descriptor");
    const LV2UI_Descriptor* ambix = entry(1);
    ASSERT_NE(ambix, nullptr);
    EXPECT_STREQ(ambix->URI, lv2::kPlugins[1].uiUri);
    EXPECT_EQ(entry(2), nullptr);
    EXPECT_FALSE(HostedUi(display, ambix, lv2::kPlugins[0].uri).ready());
    EXPECT_FALSE(HostedUi(display, descriptor, lv2::kPlugins[1].uri).ready());
    auto plain = show();
    auto badged = std::make_unique<HostedUi>(display, ambix, lv2::kPlugins[1].uri);
    ASSERT_TRUE(badged->ready());
    badged->idle();
    EXPECT_NE(badged->pixels(layout::kEditionBadge), plain->pixels(layout::kEditionBadge));
    EXPECT_EQ(badged->pixels(kAzimuthArea), plain->pixels(kAzimuthArea));
}

// Two UIs in one process share the toolkit's bitmaps and fonts, each with its own controls.
TEST_F(Lv2Ui, APortEventMovesTheControlsOfItsOwnUiAlone)
{
    auto first = show(), second = show();
    ASSERT_TRUE(first->ready() && second->ready());
    const auto ahead = first->pixels(kAzimuthArea);
    ASSERT_EQ(ahead, second->pixels(kAzimuthArea));

    first->portEvent(kAzimuth, -90);
    first->idle();
    second->idle();
    EXPECT_NE(first->pixels(kAzimuthArea), ahead);
    EXPECT_EQ(second->pixels(kAzimuthArea), ahead);

    second->portEvent(kAzimuth, -90);
    second->idle();
    EXPECT_EQ(second->pixels(kAzimuthArea), first->pixels(kAzimuthArea));
    EXPECT_TRUE(first->calls.size() == 1 && second->calls.size() == 1) << "only the resize";
}

TEST_F(Lv2Ui, ADragWritesTheControlPortBetweenTouches)
{
    auto hosted = show();
    ASSERT_TRUE(hosted->ready());
    hosted->calls.clear();
    // As the VST 2.4 editor's drag test: up from the knob's centre; the knob tracks the mouse
    // inside an idle call until the button is released.
    sferant_test::dragAzimuthKnobUp(hosted->widgetWindow(), [&] { hosted->idle(1); });
    hosted->idle();

    const auto& calls = hosted->calls;
    ASSERT_GE(calls.size(), 3u);
    const uint32_t port = lv2::controlPort(kAzimuth);
    EXPECT_TRUE(calls.front().kind == HostCall::kTouch && calls.front().value == 1);
    EXPECT_TRUE(calls.back().kind == HostCall::kTouch && calls.back().value == 0);
    float last = 0;
    for (size_t i = 1; i + 1 < calls.size(); ++i)
    {
        EXPECT_EQ(calls[i].kind, HostCall::kWrite);
        EXPECT_LE(calls[i].value, last); // up turns the source to the right
        last = calls[i].value;
    }
    for (const HostCall& call : calls)
        EXPECT_EQ(call.port, port);
    EXPECT_NEAR(last, -54, 8);
}

TEST_F(Lv2Ui, KeysTheEditorDoesNotUseGoToTheHostsWindow)
{
    auto hosted = show();
    ASSERT_TRUE(hosted->ready());
    std::system(("xdotool mousemove --window " + std::to_string(hosted->widgetWindow()) +
                 " 300 250 key --window " + std::to_string(hosted->widgetWindow()) + " q")
                    .c_str());
    hosted->idle();
    XEvent event;
    EXPECT_TRUE(XCheckTypedWindowEvent(display, hosted->parent, KeyPress, &event));
}
