// The built module in a Windows host's window: editors opened and closed, instances made and
// closed, and nothing of the system's (windows, GDI objects, handles, the window class) left
// behind afterwards.
#include "LoadedModule.h"
#include "SystemCounts.h"

#include "host/aeffect.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

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
    }
    static void TearDownTestSuite()
    {
        DestroyWindow(window);
        delete module;
    }
    void SetUp() override
    {
        ASSERT_TRUE(module->loaded()) << module->error();
        entry = module->symbol<EntryPoint>("VSTPluginMain");
        ASSERT_NE(entry, nullptr);
        // The first editor loads what lives as long as the process (system libraries,
        // font caches); counting starts after it.
        AEffect* effect = entry(host);
        openEditor(effect);
        closeEditor(effect);
        close(effect);
        before = countSystemObjects();
    }

    static void openEditor(AEffect* effect)
    {
        ASSERT_EQ(dispatch(effect, effEditOpen, window), 1);
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
    static long childWindows()
    {
        long count = 0;
        EnumChildWindows(
            window, [](HWND, LPARAM n) { return ++*reinterpret_cast<long*>(n), TRUE; },
            reinterpret_cast<LPARAM>(&count));
        return count;
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
        EXPECT_EQ(after.gdiObjects, before.gdiObjects);
        EXPECT_EQ(after.windows, before.windows);
        EXPECT_EQ(after.handles, before.handles);
        EXPECT_EQ(childWindows(), 0);
        EXPECT_FALSE(windowClassRegistered());
    }

    static LoadedModule* module;
    static HWND window;
    EntryPoint entry = nullptr;
    SystemCounts before{};
};

LoadedModule* Lifetime::module = nullptr;
HWND Lifetime::window = nullptr;

TEST_F(Lifetime, AHundredEditorOpenAndCloseCyclesLeaveNothingBehind)
{
    AEffect* effect = entry(host);
    for (int cycle = 0; cycle < 100; ++cycle)
    {
        openEditor(effect);
        ASSERT_EQ(childWindows(), 1) << "cycle " << cycle;
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
    ASSERT_EQ(childWindows(), 1);
    close(effect);
    expectNothingLeft();
}

} // namespace
