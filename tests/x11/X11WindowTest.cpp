// SPDX-License-Identifier: GPL-3.0-or-later
// The frame inside a real parent window, as a host embeds it: window creation,
// exposure, clicks, wheel and keys sent by the server, pixels read back from the
// window, and the failure cases (no display, a bad parent, a parent that goes).

#include "views/ViewTestSupport.h"

#include "gui/CDrawContext.h"
#include "gui/platform/PlatformWindow.h"

#include <gtest/gtest.h>

// After gtest: Xlib's macros (None, Bool, Status) clash with its names.
#include "HostDisplay.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xfixes.h>
#include <X11/keysym.h>

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <cmath>
#include <vector>

namespace
{

int hostErrors = 0;
int hostIOErrors = 0;

int countingHostHandler(Display*, XErrorEvent*)
{
    hostErrors++;
    return 0;
}

int countingHostIOHandler(Display*)
{
    hostIOErrors++;
    return 0;
}

// The host side: its own connection, a mapped top-level window, and an effect
// with a test editor that the host drives through the record.
class EmbeddedEditor : public testing::Test
{
  protected:
    void SetUp() override
    {
        host = hostDisplay();
        if (!host) GTEST_SKIP() << "no X display";
        hostErrors = hostIOErrors = 0;
        previousHandler = XSetErrorHandler(countingHostHandler);
        previousIOHandler = XSetIOErrorHandler(countingHostIOHandler);
        parent = XCreateSimpleWindow(host, DefaultRootWindow(host), 0, 0, 300, 200, 0, 0, 0);
        // The host listens for keys on its window.
        XSelectInput(host, parent, StructureNotifyMask | KeyPressMask | KeyReleaseMask);
        XMapWindow(host, parent);
        XEvent event;
        do
            XNextEvent(host, &event);
        while (event.type != MapNotify);
    }

    void TearDown() override
    {
        delete effect;
        if (!host) return;
        XDestroyWindow(host, parent);
        XSync(host, False);
        EXPECT_EQ(hostErrors, 0) << "an error of ours reached the host's handler";
        EXPECT_EQ(hostIOErrors, 0) << "our lost connection reached the host's handler";
        XSetErrorHandler(previousHandler);
        XSetIOErrorHandler(previousIOHandler);
    }

    VstIntPtr dispatch(VstInt32 opcode, void* ptr = nullptr)
    {
        AEffect* record = effect->getAeffect();
        return record->dispatcher(record, opcode, 0, 0, ptr, 0);
    }

    void open(Window window)
    {
        ASSERT_EQ(dispatch(effEditOpen, reinterpret_cast<void*>(window)), 1);
    }

    // Serves the editor as a host's idle timer does until the condition holds.
    template <class Condition> bool idleUntil(Condition condition)
    {
        for (int i = 0; i < 200 && !condition(); i++)
        {
            dispatch(effEditIdle);
            usleep(5000);
        }
        return condition();
    }

    void openAndExpose()
    {
        open(parent);
        ASSERT_TRUE(idleUntil([this] { return editor->left && editor->left->draws > 0; }));
    }

    Window child() const
    {
        return Window(editor->getFrameForTest()->getPlatformWindow()->getWindowId());
    }

    // 0xRRGGBB of a window pixel, whatever the screen's depth.
    unsigned long pixel(int x, int y)
    {
        XImage* image = XGetImage(host, child(), x, y, 1, 1, AllPlanes, ZPixmap);
        XColor color{};
        color.pixel = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        XQueryColor(host, DefaultColormap(host, DefaultScreen(host)), &color);
        return (color.red >> 8) << 16 | (color.green >> 8) << 8 | color.blue >> 8;
    }

    void sendButton(unsigned int button, int x, int y, unsigned int state = 0)
    {
        XEvent event{};
        event.xbutton.type = ButtonPress;
        event.xbutton.display = host;
        event.xbutton.window = child();
        event.xbutton.root = DefaultRootWindow(host);
        event.xbutton.x = x;
        event.xbutton.y = y;
        event.xbutton.button = button;
        event.xbutton.state = state;
        event.xbutton.same_screen = True;
        XSendEvent(host, child(), False, ButtonPressMask, &event);
        XSync(host, False);
    }

    void sendKey(KeySym sym, unsigned int state = 0)
    {
        XEvent event{};
        event.xkey.type = KeyPress;
        event.xkey.display = host;
        event.xkey.window = child();
        event.xkey.root = DefaultRootWindow(host);
        event.xkey.keycode = XKeysymToKeycode(host, sym);
        event.xkey.state = state;
        event.xkey.same_screen = True;
        XSendEvent(host, child(), False, KeyPressMask, &event);
        XSync(host, False);
    }

    // Types a key on the keyboard, as the user does, with the keyboard focus on the host's
    // window (a window manager sets it there) and the pointer resting on the editor.
    void typeOverTheEditor(const char* key)
    {
        XSetInputFocus(host, parent, RevertToParent, CurrentTime);
        XWarpPointer(host, None, child(), 0, 0, 0, 0, 150, 80);
        XSync(host, False);
        ASSERT_EQ(std::system((std::string("xdotool key ") + key).c_str()), 0);
    }

    // The key events the host's window received, after idling the editor a while.
    std::vector<XKeyEvent> keysAtTheHost()
    {
        std::vector<XKeyEvent> keys;
        for (int i = 0; i < 20; i++)
        {
            dispatch(effEditIdle);
            usleep(5000);
        }
        XSync(host, False);
        XEvent event;
        while (XCheckWindowEvent(host, parent, KeyPressMask | KeyReleaseMask, &event))
            keys.push_back(event.xkey);
        return keys;
    }

    std::vector<Window> childrenOf(Window window)
    {
        Window root = 0, parentOfWindow = 0, *list = nullptr;
        unsigned int count = 0;
        XQueryTree(host, window, &root, &parentOfWindow, &list, &count);
        std::vector<Window> children(list, list + count);
        if (list) XFree(list);
        return children;
    }

    Display* host = nullptr;
    XErrorHandler previousHandler = nullptr;
    XIOErrorHandler previousIOHandler = nullptr;
    Window parent = 0;
    RecordingEffect* effect = new RecordingEffect;
    TestEditor* editor = new TestEditor(*effect);
};

} // namespace

TEST_F(EmbeddedEditor, OpenMakesOneChildWindowOfTheFrameSizeAtTheOrigin)
{
    open(parent);
    const std::vector<Window> children = childrenOf(parent);
    ASSERT_EQ(children.size(), 1u);
    XWindowAttributes attributes;
    XGetWindowAttributes(host, children[0], &attributes);
    EXPECT_EQ(attributes.x, 0);
    EXPECT_EQ(attributes.y, 0);
    EXPECT_EQ(attributes.width, 200);
    EXPECT_EQ(attributes.height, 100);
    CRect size;
    EXPECT_TRUE(editor->getFrameForTest()->getSize(&size));
    EXPECT_EQ(size, CRect(0, 0, 200, 100));
}

// The window and the size the host reads are the frame's times the scale; a scale that makes
// no sense is clamped to 1 to 4, before opening and while open.
TEST_F(EmbeddedEditor, TheWindowIsTheFrameTimesTheScaleClampedToOneToFour)
{
    const struct
    {
        double asked, scale;
    } cases[] = {{2, 2}, {0, 1}, {-3, 1}, {std::nan(""), 1}, {20, 4}, {1.5, 1.5}};
    auto shownSize = [this]
    {
        XWindowAttributes attributes{};
        XGetWindowAttributes(host, childrenOf(parent).at(0), &attributes);
        ERect* rect = nullptr;
        dispatch(effEditGetRect, &rect);
        EXPECT_EQ(rect->right - rect->left, attributes.width);
        EXPECT_EQ(rect->bottom - rect->top, attributes.height);
        return std::make_pair(attributes.width, attributes.height);
    };
    editor->setContentScale(3);
    open(parent);
    EXPECT_EQ(shownSize(), std::make_pair(600, 300));
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.asked);
        editor->setContentScale(c.asked);
        EXPECT_EQ(editor->getFrameForTest()->getScale(), c.scale);
        EXPECT_EQ(shownSize(), std::make_pair(int(200 * c.scale), int(100 * c.scale)));
    }
}

TEST_F(EmbeddedEditor, ExposureDrawsTheViewsIntoTheWindow)
{
    openAndExpose();
    EXPECT_EQ(pixel(30, 30), 0xff0000u);
    EXPECT_EQ(pixel(120, 30), 0x0000ffu);
    EXPECT_EQ(pixel(5, 5), 0x000000u);
}

TEST_F(EmbeddedEditor, IdleRepaintsADirtyViewOnTheWindow)
{
    openAndExpose();
    editor->left->color = kGreenCColor;
    editor->left->setDirty(true);
    dispatch(effEditIdle);
    EXPECT_EQ(pixel(30, 30), 0x00ff00u);
    EXPECT_EQ(editor->right->draws, 1);
}

TEST_F(EmbeddedEditor, ClickReachesTheViewUnderItWithItsButtons)
{
    openAndExpose();
    sendButton(Button1, 20, 25, ShiftMask);
    ASSERT_TRUE(idleUntil([this] { return editor->left->clicks > 0; }));
    EXPECT_EQ(editor->left->lastWhere, CPoint(20, 25));
    EXPECT_EQ(editor->left->lastButtons, kLeftButton | kShiftKey);
    EXPECT_EQ(editor->right->clicks, 0);
}

TEST_F(EmbeddedEditor, WheelButtonsBecomeNotchesOnBothAxes)
{
    openAndExpose();
    const struct
    {
        unsigned int button;
        CMouseWheelAxis axis;
        float distance;
    } cases[] = {{4, kVerticalWheel, 1},
                 {5, kVerticalWheel, -1},
                 {6, kHorizontalWheel, -1},
                 {7, kHorizontalWheel, 1}};
    int expected = 0;
    for (const auto& c : cases)
    {
        sendButton(c.button, 120, 30);
        expected++;
        ASSERT_TRUE(idleUntil([&] { return editor->right->wheels == expected; })) << c.button;
        EXPECT_EQ(editor->right->lastAxis, c.axis) << c.button;
        EXPECT_EQ(editor->right->lastDistance, c.distance) << c.button;
    }
    EXPECT_EQ(editor->right->clicks, 0);
}

TEST_F(EmbeddedEditor, KeysReachTheFocusView)
{
    openAndExpose();
    editor->getFrameForTest()->setFocusView(editor->left);
    sendKey(XK_a);
    ASSERT_TRUE(idleUntil([this] { return editor->left->keys > 0; }));
}

TEST_F(EmbeddedEditor, KeysTheEditorDoesNotTakeReachTheHostsWindow)
{
    openAndExpose();
    typeOverTheEditor("space");
    const std::vector<XKeyEvent> keys = keysAtTheHost();
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].type, KeyPress);
    EXPECT_EQ(keys[1].type, KeyRelease);
    for (const XKeyEvent& key : keys)
        EXPECT_EQ(key.keycode, XKeysymToKeycode(host, XK_space));
}

TEST_F(EmbeddedEditor, KeysAFocusedControlTakesStayWithTheEditor)
{
    openAndExpose();
    editor->left->keyAnswer = 1;
    editor->getFrameForTest()->setFocusView(editor->left);
    typeOverTheEditor("Right");
    EXPECT_TRUE(keysAtTheHost().empty()); // neither the press nor its release
    EXPECT_EQ(editor->left->keys, 1);
}

TEST_F(EmbeddedEditor, TabKeyMovesTheFocus)
{
    openAndExpose();
    editor->left->setWantsFocus(true);
    editor->right->setWantsFocus(true);
    editor->getFrameForTest()->setFocusView(editor->left);
    sendKey(XK_Tab);
    ASSERT_TRUE(
        idleUntil([this] { return editor->getFrameForTest()->getFocusView() == editor->right; }));
}

TEST_F(EmbeddedEditor, PointerIsReadInFrameCoordinates)
{
    openAndExpose();
    XWarpPointer(host, None, child(), 0, 0, 0, 0, 33, 44);
    XSync(host, False);
    CPoint where;
    editor->getFrameForTest()->getCurrentLocation(where);
    EXPECT_EQ(where, CPoint(33, 44));
    CDrawContext* context = editor->getFrameForTest()->createDrawContext();
    EXPECT_EQ(context->getMouseButtons(), 0);
    context->forget();
}

// What the server shows with the pointer in the window: the cursor's size, hot spot and pixels.
struct ShownCursor
{
    int width = 0, height = 0, xhot = 0, yhot = 0;
    std::vector<unsigned long> pixels;
    bool operator==(const ShownCursor& o) const
    {
        return width == o.width && height == o.height && xhot == o.xhot && yhot == o.yhot &&
               pixels == o.pixels;
    }
};

ShownCursor cursorIn(Display* display, Window window)
{
    XWarpPointer(display, 0, window, 0, 0, 0, 0, 10, 10);
    XSync(display, False);
    usleep(20000); // the server moves its sprite after the request
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    ShownCursor shown{image->width,
                      image->height,
                      image->xhot,
                      image->yhot,
                      {image->pixels, image->pixels + image->width * image->height}};
    XFree(image);
    return shown;
}

// The cursor a window shows with this shape of the cursor font; 0 for none of its own.
ShownCursor fontCursor(Display* display, unsigned int shape)
{
    Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 50, 50, 0, 0, 0);
    XMapWindow(display, window);
    const Cursor cursor = shape ? XCreateFontCursor(display, shape) : 0;
    if (cursor) XDefineCursor(display, window, cursor);
    const ShownCursor shown = cursorIn(display, window);
    if (cursor) XFreeCursor(display, cursor);
    XDestroyWindow(display, window);
    return shown;
}

TEST_F(EmbeddedEditor, CursorsComeFromTheCursorFont)
{
    int eventBase = 0, errorBase = 0;
    if (!XFixesQueryExtension(host, &eventBase, &errorBase))
        GTEST_SKIP() << "the server cannot show its cursor";
    openAndExpose();
    const struct
    {
        CCursorType type;
        unsigned int shape; // 0: the parent's cursor
    } cases[] = {
        {kCursorWait, XC_watch},
        {kCursorHSize, XC_sb_h_double_arrow},
        {kCursorVSize, XC_sb_v_double_arrow},
        {kCursorSizeAll, XC_fleur},
        {kCursorNESWSize, XC_bottom_left_corner},
        {kCursorNWSESize, XC_bottom_right_corner},
        {kCursorCopy, 0},
        {kCursorNotAllowed, XC_X_cursor},
        {kCursorHand, XC_hand2},
        {kCursorDefault, 0},
    };
    for (const auto& c : cases)
    {
        editor->getFrameForTest()->setCursor(c.type);
        EXPECT_TRUE(cursorIn(host, child()) == fontCursor(host, c.shape)) << c.type;
    }
    EXPECT_FALSE(fontCursor(host, XC_watch) == fontCursor(host, 0)) << "the check tells them apart";
}

TEST_F(EmbeddedEditor, CloseRemovesTheChildWindow)
{
    open(parent);
    ASSERT_EQ(childrenOf(parent).size(), 1u);
    dispatch(effEditClose);
    XSync(host, False);
    EXPECT_TRUE(childrenOf(parent).empty());
    dispatch(effEditClose);
}

TEST_F(EmbeddedEditor, ParentThatIsNotAWindowGivesAFrameWithoutOne)
{
    open(Window(0x7fffff0));
    CFrame* frame = editor->getFrameForTest();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->getPlatformWindow(), nullptr);
    dispatch(effEditIdle);
    EXPECT_EQ(XSetErrorHandler(countingHostHandler), countingHostHandler);
}

TEST_F(EmbeddedEditor, ParentDestroyedBeforeCloseLeavesTheFrameQuiet)
{
    openAndExpose();
    XDestroyWindow(host, parent);
    XSync(host, False);
    ASSERT_TRUE(idleUntil([this] { return !editor->getFrameForTest()->getOpenFlag(); }));
    editor->getFrameForTest()->setCursor(kCursorWait);
    dispatch(effEditIdle);
    dispatch(effEditClose);
    parent = XCreateSimpleWindow(host, DefaultRootWindow(host), 0, 0, 10, 10, 0, 0, 0);
}

TEST_F(EmbeddedEditor, ConnectionDroppedByTheServerLeavesTheHostRunning)
{
    openAndExpose();
    XKillClient(host, child());
    XSync(host, False);
    ASSERT_TRUE(idleUntil([this] { return !editor->getFrameForTest()->getOpenFlag(); }));
    editor->left->setDirty(true);
    dispatch(effEditIdle);
    CPoint where;
    editor->getFrameForTest()->getCurrentLocation(where);
    editor->getFrameForTest()->setCursor(kCursorHand);
    dispatch(effEditClose);
}

TEST(NoDisplay, EditorOpensAsAFrameWithoutAWindow)
{
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    {
        RecordingEffect* effect = new RecordingEffect;
        auto* editor = new TestEditor(*effect);
        AEffect* record = effect->getAeffect();
        EXPECT_EQ(
            record->dispatcher(record, effEditOpen, 0, 0, reinterpret_cast<void*>(0x400001), 0), 1);
        CFrame* frame = editor->getFrameForTest();
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->getPlatformWindow(), nullptr);
        record->dispatcher(record, effEditIdle, 0, 0, nullptr, 0);
        frame->drawRect(nullptr, CRect(0, 0, 200, 100));
        EXPECT_EQ(editor->left->draws, 1);
        VstKeyCode key{'a', 0, 0};
        EXPECT_FALSE(editor->onKeyDown(key));
        record->dispatcher(record, effEditClose, 0, 0, nullptr, 0);
        delete effect;
    }
    if (display) setenv("DISPLAY", saved.c_str(), 1);
}
