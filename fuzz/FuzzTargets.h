// SPDX-License-Identifier: GPL-3.0-or-later
// The fuzz targets: each takes one input of arbitrary bytes, drives a part of
// the plug-in with it and aborts when an invariant breaks. libFuzzer calls
// them (fuzz_main.cpp); the test suite replays the committed inputs.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz
{

// Host opcodes with arbitrary arguments on a fresh instance, or on one that
// has processed audio; effClose last.
void dispatcherTarget(const uint8_t* data, size_t size);
// Parameter values and blocks of samples of any kind, any size up to the
// announced maximum, in both precisions.
void processTarget(const uint8_t* data, size_t size);
// The CLAP plug-in: a state of any bytes, then blocks with parameter events of any kind.
void clapTarget(const uint8_t* data, size_t size);
// The VST3 plug-in: a state of any bytes read in any chunks, then blocks with parameter points.
void vst3Target(const uint8_t* data, size_t size);
// Arbitrary bytes decoded as a PNG bitmap.
void pngTarget(const uint8_t* data, size_t size);

} // namespace fuzz
