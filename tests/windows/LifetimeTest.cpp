// SPDX-License-Identifier: GPL-3.0-or-later
// The built module in a Windows host's window: editors opened and closed, instances made and
// closed, and nothing of the system's (windows, GDI objects, handles, the window class) left
// behind afterwards.
#include "LoadedModule.h"
#include "SystemCounts.h"

#include "host/aeffect.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace
{

using EntryPoint = AEffect* (*)(audioMasterCallback);

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

// A top-level window of the host's, as a DAW gives each editor.
HWND createHostWindow()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "LifetimeTestHost";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "LifetimeTestHost", "host", WS_OVERLAPPEDWINDOW, 0, 0, 600,
                                  340, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window, SW_SHOW);
    return window;
}

void pumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

class Lifetime : public testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        module = new LoadedModule(SFERANT_MODULE_PATH);
        window = createHostWindow();
        secondWindow = createHostWindow();
    }
    static void TearDownTestSuite()
    {
        DestroyWindow(secondWindow);
        DestroyWindow(window);
        delete module;
    }
    void SetUp() override
    {
        ASSERT_TRUE(module->loaded()) << module->error();
        entry = module->symbol<EntryPoint>("VSTPluginMain");
        ASSERT_NE(entry, nullptr);
        // The first editors, one in each window, load what lives as long as the process
        // (system libraries, font caches, the system's cache of device contexts); counting
        // starts after them.
        AEffect* first = entry(host);
        AEffect* second = entry(host);
        openEditor(first);
        openEditor(second, secondWindow);
        close(first);
        close(second);
        before = countSystemObjects();
    }

    static void openEditor(AEffect* effect, HWND parent = window)
    {
        ASSERT_EQ(dispatch(effect, effEditOpen, parent), 1);
        for (int i = 0; i < 3; ++i)
        {
            pumpMessages();
            dispatch(effect, effEditIdle);
        }
    }
    static void closeEditor(AEffect* effect)
    {
        dispatch(effect, effEditClose);
        pumpMessages();
    }
    static void close(AEffect* effect)
    {
        dispatch(effect, effClose);
        pumpMessages();
    }
    static VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, void* ptr = nullptr)
    {
        return effect->dispatcher(effect, opcode, 0, 0, ptr, 0.0f);
    }
    static std::string editorClass(HWND parent)
    {
        char name[64] = {};
        GetClassNameA(GetWindow(parent, GW_CHILD), name, sizeof name);
        return name;
    }
    // The editor's window class, named after the module it belongs to.
    static bool windowClassRegistered()
    {
        char name[32];
        HMODULE plugin = GetModuleHandleA("Sferant.dll");
        std::snprintf(name, sizeof name, "Plugin%p", static_cast<void*>(plugin));
        WNDCLASSEXA info{};
        info.cbSize = sizeof info;
        return GetClassInfoExA(plugin, name, &info) != 0;
    }
    void expectNothingLeft() const
    {
        const SystemCounts after = countSystemObjects();
        std::printf("GDI objects %ld -> %ld, windows %ld -> %ld, handles %ld -> %ld\n",
                    before.gdiObjects, after.gdiObjects, before.windows, after.windows,
                    before.handles, after.handles);
        EXPECT_EQ(after.gdiObjects, before.gdiObjects);
        EXPECT_EQ(after.windows, before.windows);
        EXPECT_EQ(after.handles, before.handles);
        EXPECT_EQ(descendantWindows(window), 0);
        EXPECT_FALSE(windowClassRegistered());
    }

    static LoadedModule* module;
    static HWND window, secondWindow; // the host's, for one editor each
    EntryPoint entry = nullptr;
    SystemCounts before{};
};

LoadedModule* Lifetime::module = nullptr;
HWND Lifetime::window = nullptr;
HWND Lifetime::secondWindow = nullptr;

TEST_F(Lifetime, AHundredEditorOpenAndCloseCyclesLeaveNothingBehind)
{
    AEffect* effect = entry(host);
    for (int cycle = 0; cycle < 100; ++cycle)
    {
        openEditor(effect);
        ASSERT_EQ(descendantWindows(window), 1) << "cycle " << cycle;
        closeEditor(effect);
    }
    close(effect);
    expectNothingLeft();
}

TEST_F(Lifetime, TwoHundredInstancesWithTheirEditorsLeaveNothingBehind)
{
    for (int instance = 0; instance < 200; ++instance)
    {
        AEffect* effect = entry(host);
        ASSERT_NE(effect, nullptr);
        openEditor(effect);
        closeEditor(effect);
        close(effect);
    }
    expectNothingLeft();
}

TEST_F(Lifetime, AnEffectClosedWithItsEditorOpenTakesTheEditorWithIt)
{
    AEffect* effect = entry(host);
    openEditor(effect);
    ASSERT_EQ(descendantWindows(window), 1);
    close(effect);
    expectNothingLeft();
}

// The same plug-in installed twice: each copy registers a window class of its own, and one
// copy's editor going does not take the other's class with it.
TEST_F(Lifetime, TwoCopiesOfTheModuleKeepTheirWindowClassesApart)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string copy = std::string(folder) + "SferantCopy.dll";
    ASSERT_TRUE(CopyFileA(SFERANT_MODULE_PATH, copy.c_str(), FALSE));
    {
        LoadedModule second(copy.c_str());
        ASSERT_TRUE(second.loaded()) << second.error();
        AEffect* first = entry(host);
        AEffect* other = second.symbol<EntryPoint>("VSTPluginMain")(host);
        openEditor(first);
        openEditor(other, secondWindow);
        EXPECT_NE(editorClass(window), editorClass(secondWindow));

        closeEditor(first);
        close(first);
        RedrawWindow(secondWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        pumpMessages();
        EXPECT_NE(GetWindow(secondWindow, GW_CHILD), nullptr);
        closeEditor(other);
        close(other);
    }
    DeleteFileA(copy.c_str());
    expectNothingLeft();
}

} // namespace
