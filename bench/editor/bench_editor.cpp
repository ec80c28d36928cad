// SPDX-License-Identifier: GPL-3.0-or-later
// How long the editor takes to open (decoding every bitmap), to repaint a knob while it is
// dragged, and to redraw whole at screen scales 1, 1.5 and 2.
//
//   bench_editor                 headless: the frame has no window
//   xvfb-run -a bench_editor     adds opening inside a real X window

#include "RecordingHost.h"
#include "editor/Sferant_Editor.h"
#include "plugin/vst2/editor_maker.h"
#include "gui/CControl.h"
#include "gui/CFrame.h"
#include "gui/COffscreenContext.h"

#include <benchmark/benchmark.h>

#include <X11/Xlib.h>
#include <cstdlib>

namespace
{

using sferant_test::quietHost;

constexpr int kAzimuthKnobRow = 3; // fourth control the editor adds

void openAndClose(benchmark::State& state, void* parent)
{
    Sferant effect(quietHost, makeSferantEditor);
    AEffEditor* editor = effect.getEditor();
    for (auto _ : state)
    {
        editor->open(parent);
        editor->close();
    }
}

void BM_OpenEditorHeadless(benchmark::State& state)
{
    openAndClose(state, nullptr);
}
BENCHMARK(BM_OpenEditorHeadless)->Unit(benchmark::kMillisecond);

void BM_OpenEditorInWindow(benchmark::State& state)
{
    Display* display = std::getenv("DISPLAY") ? XOpenDisplay(nullptr) : nullptr;
    if (!display)
    {
        state.SkipWithError("no X display (run under xvfb-run -a)");
        for (auto _ : state)
        {
        }
        return;
    }
    Window parent =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 535, 275, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);
    openAndClose(state, reinterpret_cast<void*>(static_cast<uintptr_t>(parent)));
    XDestroyWindow(display, parent);
    XCloseDisplay(display);
}
BENCHMARK(BM_OpenEditorInWindow)->Unit(benchmark::kMillisecond);

// One idle pass after a drag step: the knob is dirty and repaints from its film strip over
// the panel behind it.
void BM_KnobRepaintDuringDrag(benchmark::State& state)
{
    Sferant effect(quietHost, makeSferantEditor);
    auto* editor = static_cast<Sferant_Editor*>(effect.getEditor());
    editor->open(nullptr);
    CFrame* frame = editor->getFrame();
    COffscreenContext screen(frame, 535, 275);
    frame->draw(&screen);
    auto* knob = static_cast<CControl*>(frame->getView(kAzimuthKnobRow));
    float value = 0.0f;
    for (auto _ : state)
    {
        value = value >= 1.0f ? 0.0f : value + 1.0f / 360.0f;
        knob->setValue(value);
        frame->update(&screen);
    }
    if (knob->isDirty()) state.SkipWithError("the idle pass did not repaint the knob");
    editor->close();
}
BENCHMARK(BM_KnobRepaintDuringDrag)->Unit(benchmark::kMicrosecond);

// A full redraw of the editor (panel, every control, the read-outs' text) at a screen scale
// of the argument / 10: the cost of a sharp editor on a denser screen.
void BM_FullRedrawAtScale(benchmark::State& state)
{
    Sferant effect(quietHost, makeSferantEditor);
    auto* editor = static_cast<Sferant_Editor*>(effect.getEditor());
    editor->setContentScale(state.range(0) / 10.0);
    editor->open(nullptr);
    CFrame* frame = editor->getFrame();
    COffscreenContext screen(frame, 535, 275);
    frame->draw(&screen); // the double-density bitmaps decode on first use
    for (auto _ : state)
        frame->draw(&screen);
    state.counters["scale"] = frame->getScale();
    editor->close();
}
BENCHMARK(BM_FullRedrawAtScale)->Arg(10)->Arg(15)->Arg(20)->Unit(benchmark::kMillisecond);

} // namespace
BENCHMARK_MAIN();
