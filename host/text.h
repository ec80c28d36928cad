// SPDX-License-Identifier: GPL-3.0-or-later
// Bounded text for the host: every text handed over fits the buffer the host
// is known to supply, whatever the operation behind it writes.
#pragma once

#include <cstddef>
#include <type_traits>

// Longest texts, without the terminator, that hosts make room for.
constexpr size_t kParamTextLength = 8;    // parameter label, display and name
constexpr size_t kProgramNameLength = 23; // 24-byte program name fields
constexpr size_t kEffectNameLength = 31;  // 32-byte effect name fields
constexpr size_t kNameStringLength = 63;  // vendor and product strings

// Copies at most maxLen characters of source and a terminator; a null source
// gives an empty text.
void copyText(char* dest, const char* source, size_t maxLen);

// The size of the scratch buffer writeHostText lends its writer.
constexpr size_t kHostTextScratch = 256;

// Lets write() fill a roomy zeroed scratch buffer of kHostTextScratch bytes, then hands
// dest at most maxLen characters of it and a terminator. Returns what write() returns.
template <typename Write> auto writeHostText(void* dest, size_t maxLen, Write write)
{
    char scratch[kHostTextScratch] = {};
    auto handOver = [&]
    {
        scratch[sizeof scratch - 1] = '\0';
        copyText(static_cast<char*>(dest), scratch, maxLen);
    };
    if constexpr (std::is_void_v<decltype(write(scratch))>)
    {
        write(scratch);
        handOver();
    }
    else
    {
        auto result = write(scratch);
        handOver();
        return result;
    }
}
