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

namespace sferant
{

template <class Function> Function widestOf(Function plain, Function avx2, Function avx512)
{
#if SFERANT_WIDER_VECTORS
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
