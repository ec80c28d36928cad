// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#if defined(__SSE__)
#include <xmmintrin.h>
#endif

namespace sferant
{

// Flush-to-zero and denormals-are-zero while in scope; the host's mode is
// restored on leaving. Decaying filter tails would otherwise crawl through
// denormal numbers at a fraction of the normal speed.
class FlushDenormals
{
  public:
    FlushDenormals()
    {
        if (!alreadySet) setMode(saved | kFlushToZero | kDenormalsAreZero);
    }
    ~FlushDenormals()
    {
        if (!alreadySet) setMode(saved);
    }
    FlushDenormals(const FlushDenormals&) = delete;
    FlushDenormals& operator=(const FlushDenormals&) = delete;

#if defined(__aarch64__)
    // The FZ bit of the floating-point control register flushes inputs and results alike.
    static constexpr unsigned kFlushToZero = 1u << 24;
    static constexpr unsigned kDenormalsAreZero = 1u << 24;
#else
    // The two bits of the SSE control and status register.
    static constexpr unsigned kFlushToZero = 0x8000;
    static constexpr unsigned kDenormalsAreZero = 0x0040;
#endif

    // The processor's floating-point mode, as the bits above read it.
#if defined(__SSE__)
    static unsigned mode()
    {
        return _mm_getcsr();
    }
    static void setMode(unsigned m)
    {
        _mm_setcsr(m);
    }
#elif defined(__aarch64__)
    static unsigned mode()
    {
        uint64_t fpcr = 0;
        __asm__ volatile("mrs %0, fpcr" : "=r"(fpcr));
        return unsigned(fpcr);
    }
    static void setMode(unsigned m)
    {
        __asm__ volatile("msr fpcr, %0" : : "r"(uint64_t(m)));
    }
#else
    static unsigned mode()
    {
        return 0;
    }
    static void setMode(unsigned) {}
#endif

  private:
    const unsigned saved = mode();
    // Writing the register costs more than reading it: skip it when the host
    // already flushes.
    const bool alreadySet =
        (saved & (kFlushToZero | kDenormalsAreZero)) == (kFlushToZero | kDenormalsAreZero);
};

} // namespace sferant
