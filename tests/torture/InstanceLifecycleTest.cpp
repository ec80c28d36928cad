// SPDX-License-Identifier: GPL-3.0-or-later
// Creating, using and closing instances and their editors again and again
// leaves the heap as it was. The sanitizer and valgrind runs of these tests
// check every byte; here the heap in use must not grow.
#include "LoadedModule.h"
#include "ModuleInstance.h"
#include "XServer.h"
#include "core/parameters.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <algorithm>
#include <functional>
#include <malloc.h>

namespace sferant_test
{
namespace
{

size_t heapInUse()
{
    return mallinfo2().uordblks;
}

// Runs one cycle a few times to fill the libraries' one-time caches, then
// answers how much the heap in use grew over `cycles` more. The smaller growth
// of two such runs back to back is taken: a leak grows the heap in both, while
// a cache that the X and font libraries enlarge now and then shows in one only.
long heapGrowth(int cycles, const std::function<void()>& cycle)
{
    for (int i = 0; i < 10; ++i)
        cycle();
    const auto growthOver = [&]
    {
        const size_t before = heapInUse();
        for (int i = 0; i < cycles; ++i)
            cycle();
        return static_cast<long>(heapInUse()) - static_cast<long>(before);
    };
    const long first = growthOver();
    return std::min(first, growthOver());
}

// Room for the libraries' occasional cache growth; a leak of even the
// smallest heap block (32 bytes) per cycle exceeds it within 100 cycles.
constexpr long kSlack = 2048;

void useBriefly(ModuleInstance& effect)
{
    effect.start(48000.0f, 64);
    char text[64];
    for (int i = 0; i < sferant::kNumParams; ++i)
        effect.dispatch(effGetParamDisplay, i, 0, text);
    effect.dispatch(effGetProgramName, 0, 0, text);
    ERect* rect = nullptr;
    effect.dispatch(effEditGetRect, 0, 0, &rect);
    effect.set(sferant::kNFC, 1.0f);
    Channels<float> block(64);
    effect.process(block, 64);
    effect.dispatch(effMainsChanged, 0, 0);
}

TEST(InstanceLifecycle, twoHundredInstancesThroughTheEntryPointLeaveNothingBehind)
{
    const long growth = heapGrowth(200,
                                   []
                                   {
                                       ModuleInstance effect;
                                       useBriefly(effect);
                                   });
    EXPECT_LT(growth, kSlack);
}

TEST(InstanceLifecycle, aHostRescanningTheModuleLosesNothing)
{
    // Load, make an instance, read its name, close it, unload: a host's plug-in scan.
    const long growth = heapGrowth(100,
                                   []
                                   {
                                       LoadedModule module(builtModule());
                                       using EntryPoint = AEffect* (*)(audioMasterCallback);
                                       const auto entry =
                                           module.symbol<EntryPoint>("VSTPluginMain");
                                       HostedEffect effect(entry(quietHost));
                                       effect.text(effGetEffectName);
                                   });
    EXPECT_LT(growth, kSlack);
}

void openIdleClose(ModuleInstance& effect, void* parent)
{
    ASSERT_EQ(effect.dispatch(effEditOpen, 0, 0, parent), 1);
    effect.dispatch(effEditIdle);
    effect.set(sferant::kAzimuth, 0.3f);
    effect.set(sferant::kWeight, 0.5f);
    effect.dispatch(effEditIdle);
    effect.dispatch(effEditClose);
}

TEST(InstanceLifecycle, editorOpensAndClosesAHundredTimesWithoutADisplay)
{
    NoDisplay headless;
    ModuleInstance effect;
    const long growth = heapGrowth(100, [&] { openIdleClose(effect, kNoWindow); });
    EXPECT_LT(growth, kSlack);
    // And once more left open: effClose takes the open editor with it.
    effect.dispatch(effEditOpen, 0, 0, kNoWindow);
}

TEST(InstanceLifecycle, editorOpensAndClosesAHundredTimesOnAVirtualDisplay)
{
    XServer server;
    if (!server.started()) GTEST_SKIP() << "Xvfb cannot run here";
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const Window parent =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 600, 300, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);
    void* parentHandle = reinterpret_cast<void*>(parent);
    {
        ModuleInstance effect;
        const long growth = heapGrowth(100, [&] { openIdleClose(effect, parentHandle); });
        EXPECT_LT(growth, kSlack);
        effect.dispatch(effEditOpen, 0, 0, parentHandle);
        effect.dispatch(effEditIdle);
    }
    XDestroyWindow(display, parent);
    XCloseDisplay(display);
}

} // namespace
} // namespace sferant_test
