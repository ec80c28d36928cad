// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/linux/X11Keys.h"

#include "gui/CButtonState.h"
#include "gui/VirtualKeys.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace
{

struct KeyMapping
{
    KeySym sym;
    unsigned char virt;
};

const KeyMapping kKeyTable[] = {
    {XK_BackSpace, kVirtKeyBack},
    {XK_Tab, kVirtKeyTab},
    {XK_ISO_Left_Tab, kVirtKeyTab},
    {XK_Clear, kVirtKeyClear},
    {XK_Return, kVirtKeyReturn},
    {XK_Pause, kVirtKeyPause},
    {XK_Escape, kVirtKeyEscape},
    {XK_space, kVirtKeySpace},
    {XK_End, kVirtKeyEnd},
    {XK_Home, kVirtKeyHome},
    {XK_Left, kVirtKeyLeft},
    {XK_Up, kVirtKeyUp},
    {XK_Right, kVirtKeyRight},
    {XK_Down, kVirtKeyDown},
    {XK_Page_Up, kVirtKeyPageUp},
    {XK_Page_Down, kVirtKeyPageDown},
    {XK_Select, kVirtKeySelect},
    {XK_Print, kVirtKeyPrint},
    {XK_KP_Enter, kVirtKeyEnter},
    {XK_Insert, kVirtKeyInsert},
    {XK_Delete, kVirtKeyDelete},
    {XK_Help, kVirtKeyHelp},
    {XK_KP_Multiply, kVirtKeyMultiply},
    {XK_KP_Add, kVirtKeyAdd},
    {XK_KP_Separator, kVirtKeySeparator},
    {XK_KP_Subtract, kVirtKeySubtract},
    {XK_KP_Decimal, kVirtKeyDecimal},
    {XK_KP_Divide, kVirtKeyDivide},
    {XK_Num_Lock, kVirtKeyNumLock},
    {XK_Scroll_Lock, kVirtKeyScroll},
    {XK_Shift_L, kVirtKeyShift},
    {XK_Shift_R, kVirtKeyShift},
    {XK_Control_L, kVirtKeyControl},
    {XK_Control_R, kVirtKeyControl},
    {XK_Alt_L, kVirtKeyAlt},
    {XK_Alt_R, kVirtKeyAlt},
    {XK_KP_Equal, kVirtKeyEquals},
};

unsigned char virtualKey(KeySym sym)
{
    if (sym >= XK_KP_0 && sym <= XK_KP_9)
        return static_cast<unsigned char>(kVirtKeyNumpad0 + (sym - XK_KP_0));
    if (sym >= XK_F1 && sym <= XK_F12)
        return static_cast<unsigned char>(kVirtKeyF1 + (sym - XK_F1));
    for (const KeyMapping& mapping : kKeyTable)
        if (mapping.sym == sym) return mapping.virt;
    return 0;
}

unsigned char modifiers(unsigned int state)
{
    unsigned char bits = 0;
    if (state & ShiftMask) bits |= kModifierShift;
    if (state & Mod1Mask) bits |= kModifierAlternate;
    if (state & ControlMask) bits |= kModifierControl;
    if (state & Mod4Mask) bits |= kModifierCommand;
    return bits;
}

} // namespace

VstKeyCode keyCodeFromEvent(XKeyEvent& event)
{
    char text[8] = {};
    KeySym sym = NoSymbol;
    const int length = XLookupString(&event, text, sizeof text, &sym, nullptr);
    VstKeyCode key{};
    key.modifier = modifiers(event.state);
    key.virt = virtualKey(sym);
    if (key.virt == 0 && length == 1) key.character = static_cast<unsigned char>(text[0]);
    return key;
}

long buttonsFromState(unsigned int state)
{
    long buttons = 0;
    if (state & Button1Mask) buttons |= kLeftButton;
    if (state & Button2Mask) buttons |= kMiddleButton;
    if (state & Button3Mask) buttons |= kRightButton;
    if (state & ShiftMask) buttons |= kShiftKey;
    if (state & ControlMask) buttons |= kControlKey;
    if (state & Mod1Mask) buttons |= kAltKey;
    return buttons;
}
