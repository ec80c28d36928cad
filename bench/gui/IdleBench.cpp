// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's idle pass: with nothing dirty, and repainting one 50 x 50 bitmap
// view through the back buffer, headless and into a window under X.
#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"
#include "gui/CFrame.h"

#include <benchmark/benchmark.h>

#include <X11/Xlib.h>

namespace
{

// A knob-sized view that shows one frame of a film strip.
class StripView : public CView
{
  public:
    StripView(const CRect& size, CBitmap* strip) : CView(size), strip(strip) { strip->remember(); }
    ~StripView() override { strip->forget(); }

    void draw(CDrawContext* context) override
    {
        CRect where = size;
        strip->draw(context, where, CPoint(0, 50 * (frameIndex++ % 100)));
        setDirty(false);
    }

  private:
    CBitmap* strip;
    long frameIndex = 0;
};

// The editor's frame size with one strip view, painted once as a window does first.
struct Editor
{
    explicit Editor(void* parent) : frame(new CFrame(CRect(0, 0, 535, 275), parent, nullptr))
    {
        auto* strip = new CBitmap(131);
        view = new StripView(CRect(100, 100, 150, 150), strip);
        strip->forget();
        frame->addView(view);
        frame->drawRect(nullptr, CRect(0, 0, 535, 275));
    }
    ~Editor() { frame->forget(); }

    CFrame* frame;
    StripView* view;
};

// The host's connection, open for the whole run: the server resets whenever its
// last client leaves, and refuses connections meanwhile.
Display* hostDisplay()
{
    static Display* display = XOpenDisplay(nullptr);
    return display;
}

// A mapped top-level window standing in for the host's; none without a display.
struct HostWindow
{
    HostWindow() : host(hostDisplay())
    {
        if (!host) return;
        window = XCreateSimpleWindow(host, DefaultRootWindow(host), 0, 0, 535, 275, 0, 0, 0);
        XMapWindow(host, window);
        XSync(host, False);
    }
    ~HostWindow()
    {
        if (!host) return;
        XDestroyWindow(host, window);
        XSync(host, False);
    }
    void* parent() const { return reinterpret_cast<void*>(window); }

    Display* host;
    Window window = 0;
};

bool skippedWithoutWindow(benchmark::State& state, const Editor& editor)
{
    if (editor.frame->getPlatformWindow()) return false;
    state.SkipWithError("no X display");
    for (auto _ : state)
    {
    }
    return true;
}

void idleWithNothingDirty(benchmark::State& state, bool inWindow)
{
    HostWindow host;
    Editor editor(inWindow ? host.parent() : nullptr);
    if (inWindow && skippedWithoutWindow(state, editor)) return;
    int dirty = 0;
    for (auto _ : state)
    {
        editor.frame->idle();
        dirty += editor.frame->isDirty();
    }
    benchmark::DoNotOptimize(dirty);
}
BENCHMARK_CAPTURE(idleWithNothingDirty, headless, false);
BENCHMARK_CAPTURE(idleWithNothingDirty, window, true);

void repaintOneView(benchmark::State& state, bool inWindow)
{
    HostWindow host;
    Editor editor(inWindow ? host.parent() : nullptr);
    if (inWindow && skippedWithoutWindow(state, editor)) return;
    for (auto _ : state)
    {
        editor.view->setDirty(true);
        editor.frame->idle();
    }
}
BENCHMARK_CAPTURE(repaintOneView, headless, false);
BENCHMARK_CAPTURE(repaintOneView, window, true);

} // namespace

BENCHMARK_MAIN();
