# SPDX-License-Identifier: GPL-3.0-or-later
# The core and the VST 2.4 effect for 64-bit Arm Linux, built by clang-16 with Debian's cross
# libstdc++ and run under qemu-user: the arm64 code paths (no wider vectors, the FPCR's
# denormal flush) of the macOS build, tested here. scripts/test-clang.sh builds the encoder's
# tests alone; configuring still finds the window system's packages of the build machine.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER clang-16)
set(CMAKE_CXX_COMPILER clang++-16)
set(CMAKE_C_COMPILER_TARGET aarch64-linux-gnu)
set(CMAKE_CXX_COMPILER_TARGET aarch64-linux-gnu)
set(CMAKE_EXE_LINKER_FLAGS_INIT --ld-path=/usr/bin/ld.lld-16)
set(CMAKE_SHARED_LINKER_FLAGS_INIT --ld-path=/usr/bin/ld.lld-16)
set(CMAKE_MODULE_LINKER_FLAGS_INIT --ld-path=/usr/bin/ld.lld-16)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /usr/aarch64-linux-gnu)
