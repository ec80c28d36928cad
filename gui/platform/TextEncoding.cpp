// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/TextEncoding.h"

namespace
{
long sequenceLength(const unsigned char* s)
{
    const long length = s[0] < 0x80           ? 1
                        : (s[0] >> 5) == 0x6  ? 2
                        : (s[0] >> 4) == 0xe  ? 3
                        : (s[0] >> 3) == 0x1e ? 4
                                              : 0;
    for (long i = 1; i < length; ++i)
        if ((s[i] & 0xc0) != 0x80) return 0;
    return length;
}
} // namespace

bool isUtf8(const char* text)
{
    for (auto* s = reinterpret_cast<const unsigned char*>(text); *s;)
    {
        const long length = sequenceLength(s);
        if (length == 0) return false;
        s += length;
    }
    return true;
}
