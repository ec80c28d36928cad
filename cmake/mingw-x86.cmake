# SPDX-License-Identifier: GPL-3.0-or-later
# Cross build for 32-bit Windows hosts: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86.cmake
set(SFERANT_MINGW_TRIPLE i686-w64-mingw32)
set(SFERANT_MINGW_ARCH x86)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# SSE2 arithmetic, so that rounding and denormal handling match the 64-bit build
# (the x87 unit would keep 80-bit intermediates).
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
