// SPDX-License-Identifier: GPL-3.0-or-later
// What the text tests walk and what they keep: a sample of the floats in 0..1, and a digest
// of the texts shown for them, so that a test can tell that not one text moved.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace sferant_test
{

// FNV-1a over each text and a line break after it.
class TextDigest
{
  public:
    void add(const std::string& text)
    {
        for (unsigned char c : text + '\n')
            digest = (digest ^ c) * 1099511628211u;
    }
    std::uint64_t value() const { return digest; }

  private:
    std::uint64_t digest = 14695981039346656037u;
};

// Calls visit(x) for every 10007th float from 0 up, then for 1.0.
template <class Visit> void forSampledFloatsInZeroToOne(Visit visit)
{
    constexpr std::uint32_t kOne = 0x3f800000; // the bits of 1.0f
    constexpr std::uint32_t kStride = 10007;
    for (std::uint32_t bits = 0; bits < kOne + kStride; bits += kStride)
    {
        const std::uint32_t sample = std::min(bits, kOne);
        float x;
        std::memcpy(&x, &sample, sizeof x);
        visit(x);
    }
}

} // namespace sferant_test
