// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "tools/energy_map.h"
#include "tools/sound_field.h"
#include "tools/steering.h"
#include "tools/temporary_file.h"

// The energy map that --map asks render for. It is given the file's frames as they are
// written, draws the map into a PNG file under a temporary name once the render is done, and
// puts it under its name on commit(), after the sound file.
class MapWriter
{
  public:
    MapWriter(const std::string& path, const SoundField& field, int fileChannels);

    void add(const float* interleaved, int64_t frames);
    void add(const double* interleaved, int64_t frames);
    void finish();
    void commit() { fFile.commit(); }

    // "map PATH, W x H, in S s", then "direction  azimuth A°  elevation E°".
    void printSummary() const;

  private:
    TemporaryFile fFile;
    Steering fSteering;
    ChannelCovariance fCovariance;
    EnergyMap fMap;
    double fSeconds = 0.0;
};
