// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/mac/CocoaKeys.h"

#include "gui/VirtualKeys.h"

namespace
{
struct KeyMapping
{
    unsigned short code; // the keyboard's key code, as NSEvent reports it
    unsigned char virt;
};

constexpr unsigned char fKey(int n)
{
    return static_cast<unsigned char>(kVirtKeyF1 + n - 1);
}

constexpr unsigned char numpad(int n)
{
    return static_cast<unsigned char>(kVirtKeyNumpad0 + n);
}

const KeyMapping kKeyTable[] = {
    {0x33, kVirtKeyBack},    {0x30, kVirtKeyTab},      {0x47, kVirtKeyClear},
    {0x24, kVirtKeyReturn},  {0x35, kVirtKeyEscape},   {0x31, kVirtKeySpace},
    {0x77, kVirtKeyEnd},     {0x73, kVirtKeyHome},     {0x7b, kVirtKeyLeft},
    {0x7e, kVirtKeyUp},      {0x7c, kVirtKeyRight},    {0x7d, kVirtKeyDown},
    {0x74, kVirtKeyPageUp},  {0x79, kVirtKeyPageDown}, {0x4c, kVirtKeyEnter},
    {0x72, kVirtKeyHelp},    {0x75, kVirtKeyDelete},   {0x43, kVirtKeyMultiply},
    {0x45, kVirtKeyAdd},     {0x4e, kVirtKeySubtract}, {0x41, kVirtKeyDecimal},
    {0x4b, kVirtKeyDivide},  {0x51, kVirtKeyEquals},   {0x38, kVirtKeyShift},
    {0x3b, kVirtKeyControl}, {0x3a, kVirtKeyAlt},      {0x7a, fKey(1)},
    {0x78, fKey(2)},         {0x63, fKey(3)},          {0x76, fKey(4)},
    {0x60, fKey(5)},         {0x61, fKey(6)},          {0x62, fKey(7)},
    {0x64, fKey(8)},         {0x65, fKey(9)},          {0x6d, fKey(10)},
    {0x67, fKey(11)},        {0x6f, fKey(12)},         {0x52, numpad(0)},
    {0x53, numpad(1)},       {0x54, numpad(2)},        {0x55, numpad(3)},
    {0x56, numpad(4)},       {0x57, numpad(5)},        {0x58, numpad(6)},
    {0x59, numpad(7)},       {0x5b, numpad(8)},        {0x5c, numpad(9)},
};

unsigned char virtualKey(unsigned short code)
{
    for (const KeyMapping& mapping : kKeyTable)
        if (mapping.code == code) return mapping.virt;
    return 0;
}

unsigned char modifiers(unsigned long flags)
{
    return (flags & (1ul << 17) ? kModifierShift : 0) |
           (flags & (1ul << 19) ? kModifierAlternate : 0) |
           (flags & (1ul << 18) ? kModifierControl : 0) |
           (flags & (1ul << 20) ? kModifierCommand : 0);
}
} // namespace

VstKeyCode keyCodeFromEvent(id event)
{
    VstKeyCode key{};
    key.modifier = modifiers(send<unsigned long>(event, "modifierFlags"));
    key.virt = virtualKey(send<unsigned short>(event, "keyCode"));
    if (key.virt == 0)
    {
        id characters = send<id>(event, "charactersIgnoringModifiers");
        const char* text = characters ? send<const char*>(characters, "UTF8String") : nullptr;
        if (text && static_cast<unsigned char>(text[0]) < 0x80) key.character = text[0];
    }
    return key;
}
