# SPDX-License-Identifier: GPL-3.0-or-later
# Included by the top level before any folder: what everything built for Windows needs.
# Without these the Windows headers define min, max, near and far as macros; M_PI needs
# asking for in strict C++ there.
add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601 _USE_MATH_DEFINES)
# GCC keeps the stack only 16-byte aligned on Windows, so spilled AVX registers may sit
# misaligned: every vector move is assembled as an unaligned one.
add_compile_options(-Wa,-muse-unaligned-vector-move)
# Every binary carries its runtime (libgcc, libstdc++, winpthread): the module needs
# nothing but the system's own DLLs.
add_link_options(-static)
