// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Hot loops are compiled once per instruction set, and the widest variant the
// processor runs is chosen when the module loads. (Plain function pointers
// rather than ifuncs: sanitizer builds cannot run ifunc resolvers.)

#if defined(__x86_64__) && defined(__GNUC__)
#define SFERANT_INLINE __attribute__((always_inline)) inline
#define SFERANT_WIDER_VECTORS 1
#define SFERANT_AVX2 __attribute__((target("avx2")))
// AVX-512 with its 32 registers for vectors of every width.
#define SFERANT_AVX512 __attribute__((target("avx512f,avx512vl")))
#else
#define SFERANT_INLINE inline
#define SFERANT_WIDER_VECTORS 0
#define SFERANT_AVX2
#define SFERANT_AVX512
#endif

#if SFERANT_WIDER_VECTORS && defined(__APPLE__)
#include <sys/sysctl.h>
#endif

namespace sferant
{

#if SFERANT_WIDER_VECTORS && defined(__APPLE__)
// macOS has no runtime behind __builtin_cpu_supports: the kernel says what the processor has.
inline bool processorHas(const char* feature)
{
    int value = 0;
    size_t size = sizeof value;
    return sysctlbyname(feature, &value, &size, nullptr, 0) == 0 && value != 0;
}
#endif

template <class Function> Function widestOf(Function plain, Function avx2, Function avx512)
{
#if SFERANT_WIDER_VECTORS && defined(__APPLE__)
    if (processorHas("hw.optional.avx512f") && processorHas("hw.optional.avx512vl")) return avx512;
    if (processorHas("hw.optional.avx2_0")) return avx2;
#elif SFERANT_WIDER_VECTORS
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl")) return avx512;
    if (__builtin_cpu_supports("avx2")) return avx2;
#else
    (void)avx2;
    (void)avx512;
#endif
    return plain;
}

} // namespace sferant
