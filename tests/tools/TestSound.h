// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include <sndfile.h>

// A sound file read back whole: its header and its frames, interleaved.
struct SoundData
{
    SF_INFO info{};
    std::vector<double> samples;
    double at(long frame, int channel) const { return samples[frame * info.channels + channel]; }
};

// Writes interleaved float samples as a WAV file of `channels` channels.
void writeWav(const std::string& path, const std::vector<float>& samples, int channels, int rate);

// A mono test input: a ramp from -0.5 towards 0.5 over `frames` frames.
std::vector<float> ramp(int frames);

SoundData readSound(const std::string& path);
