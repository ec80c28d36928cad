// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoreEncoder.h"

#include <algorithm>

namespace sferant_test
{

CoreEncoder::CoreEncoder(const sferant::Edition& edition) : processor(edition.channelOrder)
{
    for (int i = 0; i < sferant::kNumParams; ++i)
        values[i] = sferant::defaultValue(edition, i);
    // An effect prepares its processor for the base's rate until the host gives one.
    processor.prepare(44100, 1024);
}

void CoreEncoder::setAll(const float (&all)[sferant::kNumParams])
{
    std::copy(std::begin(all), std::end(all), values);
}

void CoreEncoder::process(const float* const* inputs, float* const* outputs, int frames)
{
    processor.setParameters(values);
    processor.process(inputs, outputs, frames);
}

void CoreEncoder::process(const double* const* inputs, double* const* outputs, int frames)
{
    processor.setParameters(values);
    processor.process(inputs, outputs, frames);
}

} // namespace sferant_test
