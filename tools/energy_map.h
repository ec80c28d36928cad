// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "tools/steering.h"

// The energy of a rendered file by direction, from the sums of products of its channels: the
// energy of any mix of the channels is a quadratic form in them, so the file is read once and
// every direction then costs a few hundred products.

// The sums of products of the channels a Steering uses, over everything added.
class ChannelCovariance
{
  public:
    // fileChannels: the channels of each interleaved frame; used: those to sum (ascending).
    ChannelCovariance(int fileChannels, std::vector<int> used);

    void add(const float* interleaved, int64_t frames);
    void add(const double* interleaved, int64_t frames);

    int size() const { return static_cast<int>(fUsed.size()); }
    // The sum over all frames of used channel i times used channel j, i <= j.
    double at(int i, int j) const { return fSums[static_cast<size_t>(i) * fUsed.size() + j]; }

  private:
    template <typename Sample> void addFrames(const Sample* interleaved, int64_t frames);

    int fFileChannels;
    std::vector<int> fUsed;
    std::vector<double> fSums;  // size × size, the upper triangle
    std::vector<double> fFrame; // the used channels of one frame
};

// A direction in degrees: azimuth positive to the left, elevation positive up.
struct Direction
{
    double azimuth;
    double elevation;
};

// Energy on an equirectangular grid of 0.5° steps that includes the edges: column 0 at azimuth
// +180° through 0° in the middle to -180° at the last, row 0 at elevation +90° to -90° at the
// last. In 2D every row is the same and the peak lies on the horizon.
struct EnergyMap
{
    static constexpr double kStep = 0.5;
    static constexpr int kColumns = 721;
    static constexpr int kRows = 361;

    std::vector<double> energy; // kRows × kColumns, row by row
    double peakEnergy = 0.0;
    std::optional<Direction> peak; // to 0.05°; none when the file is silent

    double at(int row, int column) const
    {
        return energy[static_cast<size_t>(row) * kColumns + column];
    }
    static double azimuthOfColumn(double column) { return 180.0 - column * kStep; }
    static double elevationOfRow(double row) { return 90.0 - row * kStep; }
};

EnergyMap mapEnergy(const Steering& steering, const ChannelCovariance& covariance);
