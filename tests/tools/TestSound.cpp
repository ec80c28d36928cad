// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSound.h"

SoundData readSound(const std::string& path)
{
    SoundData data;
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &data.info);
    if (!file) return data;
    data.samples.resize(static_cast<size_t>(data.info.frames * data.info.channels));
    sf_readf_double(file, data.samples.data(), data.info.frames);
    sf_close(file);
    return data;
}

void writeWav(const std::string& path, const std::vector<float>& samples, int channels, int rate)
{
    SF_INFO info{};
    info.channels = channels;
    info.samplerate = rate;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size() / channels));
    sf_close(file);
}

std::vector<float> ramp(int frames)
{
    std::vector<float> samples(frames);
    for (int i = 0; i < frames; ++i)
        samples[i] = -0.5f + static_cast<float>(i) / frames;
    return samples;
}
