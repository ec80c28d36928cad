// SPDX-License-Identifier: GPL-3.0-or-later
// The glue between the editor and the CLAP plug-in: the editor reads the host's values and
// reports its gestures as edits; the host's timer drives its idle.
#include "plugin/clap/gui.h"

#include "editor/Sferant_Editor.h"
#include "gui/CFrame.h"
#include "gui/platform/PlatformWindow.h"
#include "plugin/clap/Encoder.h"

#include <clap/ext/gui.h>
#include <clap/ext/timer-support.h>

#include <cassert>
#include <cstring>
#include <new>

namespace sferant::clap
{

#if defined(_WIN32)
constexpr const char* kWindowApi = CLAP_WINDOW_API_WIN32;
#elif defined(__APPLE__)
constexpr const char* kWindowApi = CLAP_WINDOW_API_COCOA;
#else
constexpr const char* kWindowApi = CLAP_WINDOW_API_X11;
#endif

// How often the host's timer runs the editor's idle.
constexpr uint32_t kIdleMilliseconds = 20;

bool EditQueue::push(const Edit& edit)
{
    const std::uint32_t at = tail.load(std::memory_order_relaxed);
    if (at - head.load(std::memory_order_acquire) == kSize) return false;
    edits[at % kSize] = edit;
    tail.store(at + 1, std::memory_order_release);
    return true;
}

bool EditQueue::pop(Edit& edit)
{
    const std::uint32_t at = head.load(std::memory_order_relaxed);
    if (at == tail.load(std::memory_order_acquire)) return false;
    edit = edits[at % kSize];
    head.store(at + 1, std::memory_order_release);
    return true;
}

// The editor's host over the plug-in's values. Values the host changes reach the editor at
// the next tick, on the main thread: nothing of the editor is touched from the audio thread.
class EditorWindow final : public EditorHost
{
  public:
    explicit EditorWindow(Encoder& encoder) : encoder(encoder), editor(*this, encoder.edition.badge)
    {
        // The values the controls show: the editor hears of every later change at a tick.
        for (int i = 0; i < kNumParams; ++i)
            shown[i] = value(i);
    }

    float value(int index) const override { return encoder.normalised(index); }
    void beginGesture(int index) override { encoder.edit({Edit::kBegin, uint8_t(index), 0}); }
    void setFromGesture(int index, float value) override
    {
        encoder.edit({Edit::kValue, uint8_t(index), value});
        shown[index] = value;
        editor.parameterChanged(index);
    }
    void endGesture(int index) override { encoder.edit({Edit::kEnd, uint8_t(index), 0}); }
    // The editor keeps its size; the host's own idle runs from its event loop.
    bool resizeWindow(int, int) override { return false; }
    void idleTick() override {}

    void tick()
    {
        for (int i = 0; i < kNumParams; ++i)
            if (value(i) != shown[i])
            {
                shown[i] = value(i);
                editor.parameterChanged(i);
            }
        editor.idle();
    }

  private:
    Encoder& encoder;
    float shown[kNumParams];

  public:
    Sferant_Editor editor;
    clap_id timer = CLAP_INVALID_ID;
};

namespace
{

Encoder& encoder(const clap_plugin_t* plugin)
{
    return Encoder::of(plugin);
}

const clap_host_timer_support_t* timers(const Encoder& e)
{
    return static_cast<const clap_host_timer_support_t*>(e.hostExtension(CLAP_EXT_TIMER_SUPPORT));
}

bool supported(const char* api, bool floating)
{
    return api && !floating && !std::strcmp(api, kWindowApi);
}

bool create(const clap_plugin_t* plugin, const char* api, bool floating)
{
    Encoder& e = encoder(plugin);
    assert(e.onMainThread());
    if (!supported(api, floating) || e.editorWindow()) return false;
    auto* window = new (std::nothrow) EditorWindow(e);
    if (!window) return false;
    if (const auto* t = timers(e))
        if (!t->register_timer(e.host, kIdleMilliseconds, &window->timer))
            window->timer = CLAP_INVALID_ID;
    e.setEditorWindow(window);
    return true;
}

bool setParent(const clap_plugin_t* plugin, const clap_window_t* parent)
{
    EditorWindow* window = encoder(plugin).editorWindow();
    if (!window || !parent || !supported(parent->api, false)) return false;
#if defined(_WIN32)
    window->editor.open(parent->win32);
#elif defined(__APPLE__)
    window->editor.open(parent->cocoa);
#else
    window->editor.open(reinterpret_cast<void*>(parent->x11));
#endif
    CFrame* frame = window->editor.getFrame();
    return frame && frame->getPlatformWindow();
}

bool size(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height)
{
    EditorWindow* window = encoder(plugin).editorWindow();
    ERect* rect = nullptr;
    if (!window || !width || !height || !window->editor.getRect(&rect) || !rect) return false;
    *width = uint32_t(rect->right - rect->left);
    *height = uint32_t(rect->bottom - rect->top);
    return true;
}

const clap_plugin_gui_t kGui = {
    [](const clap_plugin_t*, const char* api, bool floating) { return supported(api, floating); },
    [](const clap_plugin_t*, const char** api, bool* floating)
    {
        if (!api || !floating) return false;
        *api = kWindowApi;
        *floating = false;
        return true;
    },
    create,
    [](const clap_plugin_t* plugin)
    {
        Encoder& e = encoder(plugin);
        destroyEditorWindow(e, e.editorWindow());
        e.setEditorWindow(nullptr);
    },
    // The editor follows the host's scale (its size() then reports the scaled size); Cocoa
    // counts in points, and the window layer follows the screen's density itself.
    [](const clap_plugin_t* plugin, double scale)
    {
        EditorWindow* window = encoder(plugin).editorWindow();
        if (!window || !(scale > 0) || !std::strcmp(kWindowApi, CLAP_WINDOW_API_COCOA))
            return false;
        window->editor.setContentScale(scale);
        return true;
    },
    size,
    [](const clap_plugin_t*) { return false; },
    [](const clap_plugin_t*, clap_gui_resize_hints_t*) { return false; },
    [](const clap_plugin_t*, uint32_t*, uint32_t*) { return false; },
    // A fixed size: only the size the editor has.
    [](const clap_plugin_t* plugin, uint32_t width, uint32_t height)
    {
        uint32_t w = 0, h = 0;
        return size(plugin, &w, &h) && w == width && h == height;
    },
    setParent,
    [](const clap_plugin_t*, const clap_window_t*) { return false; },
    [](const clap_plugin_t*, const char*) {},
    [](const clap_plugin_t* plugin) { return encoder(plugin).editorWindow() != nullptr; },
    [](const clap_plugin_t* plugin) { return encoder(plugin).editorWindow() != nullptr; },
};

const clap_plugin_timer_support_t kTimerSupport = {
    [](const clap_plugin_t* plugin, clap_id id)
    {
        EditorWindow* window = encoder(plugin).editorWindow();
        if (window && id == window->timer) window->tick();
    },
};

} // namespace

const void* guiExtension(const char* id)
{
    if (!std::strcmp(id, CLAP_EXT_GUI)) return &kGui;
    if (!std::strcmp(id, CLAP_EXT_TIMER_SUPPORT)) return &kTimerSupport;
    return nullptr;
}

void destroyEditorWindow(Encoder& e, EditorWindow* window)
{
    if (!window) return;
    if (const auto* t = timers(e); t && window->timer != CLAP_INVALID_ID)
        t->unregister_timer(e.host, window->timer);
    window->editor.close();
    delete window;
}

} // namespace sferant::clap
