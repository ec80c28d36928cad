// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/demo_signal.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr double kBurstSeconds = 0.4;
constexpr double kPeriodSeconds = 0.5;
constexpr double kFadeSeconds = 0.01;
constexpr float kLevel = 0.035f; // keeps the filtered noise's peaks near -12 dBFS

} // namespace

DemoSignal::DemoSignal(int channels, double sampleRate, double seconds)
    : fChannels(channels), fSampleRate(sampleRate), fFrames(std::llround(seconds * sampleRate))
{
    for (int c = 0; c < channels; ++c)
        fNoise.push_back(Pinkish{0x12345u + 7919u * static_cast<uint32_t>(c)});
}

int64_t DemoSignal::read(float* interleaved, int64_t count)
{
    const int64_t n = std::min(count, fFrames - fPosition);
    for (int64_t i = 0; i < n; ++i)
    {
        const float gain = kLevel * envelope(fPosition + i);
        for (int c = 0; c < fChannels; ++c)
            interleaved[i * fChannels + c] = gain * fNoise[c].next();
    }
    fPosition += n;
    return n;
}

// Bursts with short linear fades, so the output shows both onsets and silence.
float DemoSignal::envelope(int64_t frame) const
{
    const double t = std::fmod(frame / fSampleRate, kPeriodSeconds);
    if (t >= kBurstSeconds) return 0.0f;
    const double edge = std::min(t, kBurstSeconds - t) / kFadeSeconds;
    return static_cast<float>(std::min(edge, 1.0));
}

// White noise from a linear congruential generator through a three-pole pinking filter.
float DemoSignal::Pinkish::next()
{
    seed = seed * 1664525u + 1013904223u;
    const double white = static_cast<double>(seed) / 2147483648.0 - 1.0;
    b0 = 0.99765 * b0 + white * 0.0990460;
    b1 = 0.96300 * b1 + white * 0.2965164;
    b2 = 0.57000 * b2 + white * 1.0526913;
    return static_cast<float>(b0 + b1 + b2 + white * 0.1848);
}
