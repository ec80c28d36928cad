// SPDX-License-Identifier: GPL-3.0-or-later
// What the editor pays for its artwork: decoding the bitmaps when it opens, and drawing a
// knob frame or a read-out into the back buffer on each repaint.
#include "gui/CBitmap.h"
#include "gui/COffscreenContext.h"
#include "gui/platform/PlatformDrawing.h"

#include <benchmark/benchmark.h>

static void decodeAllEditorBitmaps(benchmark::State& state)
{
    for (auto _ : state)
        for (long id = 128; id <= 136; ++id)
        {
            CBitmap* bitmap = new CBitmap(id);
            benchmark::DoNotOptimize(bitmap->getWidth());
            bitmap->forget();
        }
}
BENCHMARK(decodeAllEditorBitmaps)->Unit(benchmark::kMillisecond);

// One 50 x 50 frame of the distance knob strip blended into a frame-sized buffer.
static void drawKnobFrame(benchmark::State& state)
{
    CBitmap* strip = new CBitmap(131);
    COffscreenContext* buffer = new COffscreenContext(nullptr, 535, 275, kBlackCColor);
    CRect knob(100, 100, 150, 150);
    long frame = 0;
    for (auto _ : state)
    {
        strip->draw(buffer, knob, CPoint(0, 50 * (frame++ % 281)));
        buffer->getCanvas()->flush();
    }
    buffer->forget();
    strip->forget();
}
BENCHMARK(drawKnobFrame)->Unit(benchmark::kMicrosecond);

// A read-out: its background bitmap, then centred text.
static void drawReadout(benchmark::State& state)
{
    CBitmap* background = new CBitmap(136);
    COffscreenContext* buffer = new COffscreenContext(nullptr, 535, 275, kBlackCColor);
    CRect box(200, 200, 240, 224);
    for (auto _ : state)
    {
        background->draw(buffer, box);
        buffer->setFont(kSmallFont);
        buffer->setFontColor(kBlackCColor);
        buffer->drawString("-123.4", box);
        buffer->getCanvas()->flush();
    }
    buffer->forget();
    background->forget();
}
BENCHMARK(drawReadout)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
