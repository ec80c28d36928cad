// SPDX-License-Identifier: GPL-3.0-or-later
// Key and button translation: X key symbols to the virtual keys of VstKeyCode,
// X modifier and button masks to the toolkit's button-state bits.

#include <gtest/gtest.h>

// After gtest: Xlib's macros (None, Bool, Status) clash with its names.
#include "gui/CButtonState.h"
#include "gui/platform/linux/X11Keys.h"
#include "HostDisplay.h"

#include <X11/keysym.h>

TEST(X11Keys, SpecialKeysBecomeVirtualKeysWithoutACharacter)
{
    Display* display = hostDisplay();
    if (!display) GTEST_SKIP() << "no X display";
    const struct
    {
        KeySym sym;
        unsigned int state;
        int virt;
        int character;
        int modifier;
    } cases[] = {
        {XK_BackSpace, 0, 1, 0, 0},   {XK_Tab, 0, 2, 0, 0},        {XK_Tab, ShiftMask, 2, 0, 1},
        {XK_Return, 0, 4, 0, 0},      {XK_Escape, 0, 6, 0, 0},     {XK_space, 0, 7, 0, 0},
        {XK_End, 0, 9, 0, 0},         {XK_Home, 0, 10, 0, 0},      {XK_Left, 0, 11, 0, 0},
        {XK_Up, 0, 12, 0, 0},         {XK_Right, 0, 13, 0, 0},     {XK_Down, ControlMask, 14, 0, 4},
        {XK_Page_Up, 0, 15, 0, 0},    {XK_Page_Down, 0, 16, 0, 0}, {XK_Delete, 0, 22, 0, 0},
        {XK_F1, 0, 40, 0, 0},         {XK_F12, 0, 51, 0, 0},       {XK_a, 0, 0, 'a', 0},
        {XK_a, ShiftMask, 0, 'A', 1}, {XK_a, Mod1Mask, 0, 'a', 2},
    };
    for (const auto& c : cases)
    {
        XKeyEvent event{};
        event.type = KeyPress;
        event.display = display;
        event.keycode = XKeysymToKeycode(display, c.sym);
        event.state = c.state;
        const VstKeyCode key = keyCodeFromEvent(event);
        EXPECT_EQ(key.virt, c.virt) << XKeysymToString(c.sym);
        EXPECT_EQ(key.character, c.character) << XKeysymToString(c.sym);
        EXPECT_EQ(key.modifier, c.modifier) << XKeysymToString(c.sym);
    }
}

TEST(X11Keys, PointerMasksBecomeButtonStateBits)
{
    const struct
    {
        unsigned int state;
        long buttons;
    } cases[] = {
        {0, 0},
        {Button1Mask, kLeftButton},
        {Button2Mask, kMiddleButton},
        {Button3Mask, kRightButton},
        {Button1Mask | ControlMask, kLeftButton | kControlKey},
        {Button1Mask | ShiftMask | Mod1Mask, kLeftButton | kShiftKey | kAltKey},
        {Mod4Mask | LockMask, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(buttonsFromState(c.state), c.buttons) << c.state;
}
