// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

// The built-in test input: bursts of pink-ish noise, a fixed seed so every run renders the same
// file.
class DemoSignal
{
  public:
    static constexpr double kSeconds = 4.0;

    DemoSignal(int channels, double sampleRate, double seconds = kSeconds);

    int channels() const { return fChannels; }
    int64_t frames() const { return fFrames; }

    // Writes up to `count` interleaved frames from the current position; returns how many it wrote.
    int64_t read(float* interleaved, int64_t count);
    // Moves the position on without producing the frames in between.
    void skip(int64_t count) { fPosition = std::min(fFrames, fPosition + count); }

  private:
    struct Pinkish
    {
        uint32_t seed;
        double b0 = 0, b1 = 0, b2 = 0;
        float next();
    };

    float envelope(int64_t frame) const;

    int fChannels;
    double fSampleRate;
    int64_t fFrames;
    int64_t fPosition = 0;
    std::vector<Pinkish> fNoise;
};
