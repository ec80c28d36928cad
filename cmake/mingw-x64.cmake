# SPDX-License-Identifier: GPL-3.0-or-later
# Cross build for 64-bit Windows hosts: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x64.cmake
set(SFERANT_MINGW_TRIPLE x86_64-w64-mingw32)
set(SFERANT_MINGW_ARCH x64)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
