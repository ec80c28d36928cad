// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/Sferant_Editor.h"
#include "core/parameters.h"
#include "gui/EditorHost.h"
#include "plugin/vst3/interfaces.h"

#include <atomic>

// The editor in the host's window through the plug-in view: embedded in an X11 window (the
// host's run loop drives its idle and watches its X connection), an HWND or an NSView (a timer
// of its own does), at a fixed size. Its gestures reach the host as begin, perform and end edits;
// the host's values move the controls at the next idle.

namespace sferant::vst3
{

class Encoder;

class View final : public EditorHost
{
  public:
    // Null when out of memory. The view keeps its encoder referenced.
    static View* create(Encoder& encoder);
    v3_plugin_view** record() { return reinterpret_cast<v3_plugin_view**>(&viewFace); }
    void forgetEncoder() { encoder = nullptr; }

    // COM.
    v3_result queryInterface(const v3_tuid iid, void** object);
    uint32_t ref() { return ++references; }
    uint32_t unref();

    // The plug-in view.
    v3_result attached(void* parent, const char* type);
    v3_result removed();
    v3_result size(v3_view_rect* rect);
    v3_result setFrame(v3_plugin_frame** frame);
    // The host's screen pixels per editor unit, before or after attaching (clamped to 1 to 4).
    v3_result setContentScale(float factor);
    // The host's run loop (Linux) or our own timer (Windows, macOS).
    void tick();

    // EditorHost.
    float value(int index) const override;
    void beginGesture(int index) override;
    void setFromGesture(int index, float value) override;
    void endGesture(int index) override;
    bool resizeWindow(int width, int height) override;
    void idleTick() override {}

  private:
    explicit View(Encoder& encoder);
    ~View();
    void startTimer();
    void stopTimer();

    std::atomic<uint32_t> references{1};
    Face<View> viewFace, timerFace, eventFace, scaleFace;
    Encoder* encoder;
    Sferant_Editor editor;
    float shown[kNumParams];
    bool open = false;
    v3_plugin_frame** frame = nullptr;
    v3_run_loop** runLoop = nullptr;
    uintptr_t timer = 0;
    bool watching = false; // the host's run loop watches the editor's X connection
};

} // namespace sferant::vst3
