// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a fuzz input as a stream of small decisions. Past the end every read
// answers zero, so any input, however short, is a complete program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace fuzz
{

class FuzzInput
{
  public:
    FuzzInput(const uint8_t* data, size_t size) : data(data), size(size) {}

    bool empty() const { return position >= size; }

    uint8_t byte() { return empty() ? 0 : data[position++]; }

    template <class T> T raw()
    {
        T value{};
        uint8_t bytes[sizeof(T)] = {};
        for (uint8_t& b : bytes)
            b = byte();
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }

    // The rest of the input, at most `limit` bytes of it.
    size_t rest(const uint8_t** start, size_t limit)
    {
        *start = data + position;
        const size_t count = empty() ? 0 : size - position < limit ? size - position : limit;
        position += count;
        return count;
    }

  private:
    const uint8_t* data;
    size_t size;
    size_t position = 0;
};

// An invariant of the system under test; a broken one ends the run as a crash.
inline void check(bool holds, const char* what)
{
    if (holds) return;
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::abort();
}

} // namespace fuzz
