# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the MinGW-w64 toolchain files: the caller sets SFERANT_MINGW_TRIPLE and
# SFERANT_MINGW_ARCH (x64 or x86) first.
# The -posix compilers are named explicitly: the -win32 thread model lacks std::mutex and
# std::thread, and installing the metapackages points the unsuffixed names at it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${SFERANT_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SFERANT_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${SFERANT_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${SFERANT_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${SFERANT_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries come from the MinGW sysroot (zlib) and from the prefix the build script
# installs libpng and libsndfile into; programs from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${SFERANT_MINGW_TRIPLE}
  ${CMAKE_CURRENT_LIST_DIR}/../build-windows/deps/${SFERANT_MINGW_ARCH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The static zlib, not its import library: the module must need nothing but the system's
# own DLLs. (libpng and libsndfile are built static only.)
set(ZLIB_USE_STATIC_LIBS ON)

# Test programs run under wine, in a prefix of the build's own for their architecture.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh
  ${SFERANT_MINGW_ARCH})
