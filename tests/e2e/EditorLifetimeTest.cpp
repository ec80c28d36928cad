// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and closing the editor leaves no X windows behind, also when the effect goes
// while its editor is open.
#include "HostedEffect.h"
#include "XServer.h"

#include <gtest/gtest.h>

// Last: Xlib defines macros (None, Bool) that clash with other headers.
#include <X11/Xlib.h>

using namespace sferant_test;

namespace
{

class EditorLifetime : public testing::Test
{
  protected:
    void SetUp() override
    {
        if (!server.started() || !(display = XOpenDisplay(nullptr))) GTEST_SKIP() << "no X server";
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 535, 275, 0, 0, 0);
        XMapWindow(display, parent);
        XSync(display, False);
    }
    void TearDown() override
    {
        if (display)
        {
            XDestroyWindow(display, parent);
            XCloseDisplay(display);
        }
    }

    // Windows inside the host's window, as the server sees them now.
    unsigned childWindows()
    {
        XSync(display, False);
        Window root, parentOfParent, *children = nullptr;
        unsigned count = 0;
        XQueryTree(display, parent, &root, &parentOfParent, &children, &count);
        if (children) XFree(children);
        return count;
    }
    unsigned topLevelWindows()
    {
        XSync(display, False);
        Window root, none, *children = nullptr;
        unsigned count = 0;
        XQueryTree(display, DefaultRootWindow(display), &root, &none, &children, &count);
        if (children) XFree(children);
        return count;
    }
    void* parentHandle() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(parent)); }

    XServer server;
    Display* display = nullptr;
    Window parent = 0;
};

} // namespace

TEST_F(EditorLifetime, OpeningAndClosingAHundredTimesLeavesNoWindows)
{
    HostedEffect effect;
    unsigned before = topLevelWindows();
    for (int i = 0; i < 100; ++i)
    {
        ASSERT_EQ(effect.dispatch(effEditOpen, 0, 0, parentHandle()), 1);
        effect.dispatch(effEditIdle);
        ASSERT_EQ(childWindows(), 1u) << i;
        effect.dispatch(effEditClose);
        ASSERT_EQ(childWindows(), 0u) << i;
    }
    EXPECT_EQ(topLevelWindows(), before);
}

TEST_F(EditorLifetime, ASecondOpenMakesNoSecondWindow)
{
    HostedEffect effect;
    effect.dispatch(effEditOpen, 0, 0, parentHandle());
    effect.dispatch(effEditOpen, 0, 0, parentHandle());
    EXPECT_EQ(childWindows(), 1u);
    effect.dispatch(effEditClose);
    EXPECT_EQ(childWindows(), 0u);
}

TEST_F(EditorLifetime, DestroyingTheEffectWhileItsEditorIsOpenRemovesTheWindow)
{
    HostedEffect effect;
    effect.dispatch(effEditOpen, 0, 0, parentHandle());
    ASSERT_EQ(childWindows(), 1u);
    effect.close();
    EXPECT_EQ(childWindows(), 0u);
}
