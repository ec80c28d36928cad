// Opening and closing the editor leaves no X windows behind, also when the effect goes
// while its editor is open.
#include "XServer.h"
#include "encoder/Sferant.h"

#include <gtest/gtest.h>

#include <memory>

// Last: Xlib defines macros (None, Bool) that clash with other headers.
#include <X11/Xlib.h>

namespace
{

VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

class EditorLifetime : public testing::Test
{
  protected:
    void SetUp() override
    {
        if (!server.running() || !(display = XOpenDisplay(nullptr))) GTEST_SKIP() << "no X server";
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
    VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, void* ptr = nullptr)
    {
        return effect->dispatcher(effect, opcode, 0, 0, ptr, 0);
    }
    void* parentHandle() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(parent)); }

    XServer server;
    Display* display = nullptr;
    Window parent = 0;
};

} // namespace

TEST_F(EditorLifetime, OpeningAndClosingAHundredTimesLeavesNoWindows)
{
    auto effect = std::make_unique<Sferant>(quietHost);
    AEffect* record = effect->getAeffect();
    unsigned before = topLevelWindows();
    for (int i = 0; i < 100; ++i)
    {
        ASSERT_EQ(dispatch(record, effEditOpen, parentHandle()), 1);
        dispatch(record, effEditIdle);
        ASSERT_EQ(childWindows(), 1u) << i;
        dispatch(record, effEditClose);
        ASSERT_EQ(childWindows(), 0u) << i;
    }
    EXPECT_EQ(topLevelWindows(), before);
}

TEST_F(EditorLifetime, ASecondOpenMakesNoSecondWindow)
{
    auto effect = std::make_unique<Sferant>(quietHost);
    AEffect* record = effect->getAeffect();
    dispatch(record, effEditOpen, parentHandle());
    dispatch(record, effEditOpen, parentHandle());
    EXPECT_EQ(childWindows(), 1u);
    dispatch(record, effEditClose);
    EXPECT_EQ(childWindows(), 0u);
}

TEST_F(EditorLifetime, DestroyingTheEffectWhileItsEditorIsOpenRemovesTheWindow)
{
    auto effect = std::make_unique<Sferant>(quietHost);
    dispatch(effect->getAeffect(), effEditOpen, parentHandle());
    ASSERT_EQ(childWindows(), 1u);
    effect.reset();
    EXPECT_EQ(childWindows(), 0u);
}
