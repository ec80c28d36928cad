// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

// Planar audio as the process calls take it: one pointer per channel into one block of storage.
template <typename Sample> class ChannelBuffers
{
  public:
    ChannelBuffers(int channels, int frames)
        : fStorage(static_cast<size_t>(channels) * frames), fPointers(channels)
    {
        for (int c = 0; c < channels; ++c)
            fPointers[c] = fStorage.data() + static_cast<size_t>(c) * frames;
    }

    Sample** pointers() { return fPointers.data(); }
    int channels() const { return static_cast<int>(fPointers.size()); }
    void clear() { std::fill(fStorage.begin(), fStorage.end(), Sample(0)); }

    // Spreads `count` interleaved frames of `sourceChannels` channels over the first channels.
    void deinterleave(const Sample* interleaved, int sourceChannels, int64_t count)
    {
        for (int c = 0; c < sourceChannels; ++c)
            for (int64_t i = 0; i < count; ++i)
                fPointers[c][i] = interleaved[i * sourceChannels + c];
    }

    // Interleaves `count` frames of the channels listed in `sources`, in that order; -1 stands
    // for a silent channel.
    void interleave(Sample* interleaved, int64_t count, const std::vector<int>& sources) const
    {
        const size_t n = sources.size();
        for (size_t c = 0; c < n; ++c)
            for (int64_t i = 0; i < count; ++i)
                interleaved[i * n + c] = sources[c] < 0 ? Sample(0) : fPointers[sources[c]][i];
    }

  private:
    std::vector<Sample> fStorage;
    std::vector<Sample*> fPointers;
};
