// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/text.h"

void copyText(char* dest, const char* source, size_t maxLen)
{
    size_t n = 0;
    if (source)
    {
        while (n < maxLen && source[n] != '\0')
        {
            dest[n] = source[n];
            ++n;
        }
    }
    dest[n] = '\0';
}
