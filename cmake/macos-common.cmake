# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the macOS toolchain files: the caller sets SFERANT_MAC_SLICE (x86_64 or arm64) first.
# scripts/build-macos.sh prepares build-macos/: the compiler links in bin/, the stubs in sdk/,
# the C++ runtime archives in libcxx/ (see cmake/macos-cc.sh).
set(CMAKE_SYSTEM_NAME Darwin)
set(CMAKE_SYSTEM_PROCESSOR ${SFERANT_MAC_SLICE})
get_filename_component(sferant_mac_out ${CMAKE_CURRENT_LIST_DIR}/../build-macos ABSOLUTE)
set(CMAKE_C_COMPILER ${sferant_mac_out}/bin/${SFERANT_MAC_SLICE}-cc)
set(CMAKE_CXX_COMPILER ${sferant_mac_out}/bin/${SFERANT_MAC_SLICE}-c++)
set(CMAKE_AR /usr/bin/llvm-ar-16 CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/llvm-ranlib-16 CACHE FILEPATH "")
set(CMAKE_INSTALL_NAME_TOOL /usr/bin/llvm-install-name-tool-16 CACHE FILEPATH "")
set(CMAKE_OSX_SYSROOT "" CACHE PATH "")
set(CMAKE_OSX_ARCHITECTURES "" CACHE STRING "")
set(CMAKE_OSX_DEPLOYMENT_TARGET "" CACHE STRING "")
# The headers are those of a newer system than the oldest each slice runs on: nothing newer may
# be called without a check.
set(CMAKE_C_FLAGS_INIT "-Werror=unguarded-availability")
set(CMAKE_CXX_FLAGS_INIT "-Werror=unguarded-availability")

set(CMAKE_FIND_ROOT_PATH ${sferant_mac_out}/sdk)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(SFERANT_PLATFORM mac CACHE STRING "")
