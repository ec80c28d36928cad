// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <vector>

#include "plugin/hosting/LoadedPlugin.h"

// Processes a block in pieces that start at the parameter changes' frames, for formats whose
// process call takes no events: each change is set just before the piece it starts. The changes
// come in the order of their frames; the pieces' pointers are kept here, so nothing allocates.
template <typename Sample> class BlockSplitter
{
  public:
    void resize(int inputs, int outputs)
    {
        fIn.resize(inputs);
        fOut.resize(outputs);
    }

    template <typename Process, typename Set>
    void run(Sample** in, Sample** out, int frames, const std::vector<ParameterPoint>& changes,
             Process process, Set set)
    {
        size_t next = 0;
        for (int start = 0; start < frames;)
        {
            for (; next < changes.size() && changes[next].frame <= start; ++next)
                set(changes[next].index, changes[next].value);
            const int end = next < changes.size() ? std::min(changes[next].frame, frames) : frames;
            process(offset(fIn, in, start), offset(fOut, out, start), end - start);
            start = end;
        }
        for (; next < changes.size(); ++next) // at or after the block's end
            set(changes[next].index, changes[next].value);
    }

  private:
    static Sample** offset(std::vector<Sample*>& pieces, Sample** whole, int start)
    {
        if (start == 0) return whole;
        for (size_t c = 0; c < pieces.size(); ++c)
            pieces[c] = whole[c] + start;
        return pieces.data();
    }

    std::vector<Sample*> fIn, fOut;
};
