// SPDX-License-Identifier: GPL-3.0-or-later
#include "plugin/vst3/interfaces.h"

namespace sferant::vst3
{

void toUtf16(const char* text, int16_t* out, std::size_t size)
{
    if (!size) return;
    std::size_t i = 0;
    for (; text && text[i] && i + 1 < size; ++i)
        out[i] = static_cast<int16_t>(static_cast<unsigned char>(text[i]));
    out[i] = 0;
}

void fromUtf16(const int16_t* text, char* out, std::size_t size)
{
    if (!size) return;
    std::size_t i = 0;
    for (; text && text[i] && i + 1 < size; ++i)
    {
        const auto c = static_cast<uint16_t>(text[i]);
        out[i] = c < 0x100 ? static_cast<char>(c) : '?';
    }
    out[i] = 0;
}

} // namespace sferant::vst3
