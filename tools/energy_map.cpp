// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/energy_map.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// The column factors of a set of azimuths (degrees), channel by channel.
struct ColumnTable
{
    int count;
    std::vector<double> factors; // channel i at azimuth c: factors[i * count + c]
};

ColumnTable columnTable(const Steering& steering, const std::vector<double>& azimuths)
{
    const int count = static_cast<int>(azimuths.size());
    const size_t size = steering.channels().size();
    ColumnTable table{count, std::vector<double>(size * count)};
    for (int c = 0; c < count; ++c)
    {
        const std::vector<double> f = steering.columnFactors(azimuths[c] * kRadiansPerDegree);
        for (size_t i = 0; i < size; ++i)
            table.factors[i * count + c] = f[i];
    }
    return table;
}

// The energy at each azimuth of the table at one elevation: a quadratic form in the channel
// gains, summed over pairs i <= j (the sums are symmetric) and all azimuths at once.
void energiesAt(const Steering& steering, const ChannelCovariance& covariance, double elevation,
                const ColumnTable& columns, double* energy)
{
    const std::vector<double> row = steering.rowFactors(elevation * kRadiansPerDegree);
    const int size = covariance.size(), count = columns.count;
    std::fill(energy, energy + count, 0.0);
    for (int i = 0; i < size; ++i)
        for (int j = i; j < size; ++j)
        {
            const double m = (j == i ? 1.0 : 2.0) * covariance.at(i, j) * row[i] * row[j];
            const double* ti = &columns.factors[static_cast<size_t>(i) * count];
            const double* tj = &columns.factors[static_cast<size_t>(j) * count];
            for (int c = 0; c < count; ++c)
                energy[c] += m * ti[c] * tj[c];
        }
    for (int c = 0; c < count; ++c)
        energy[c] = std::max(0.0, energy[c]); // rounding may leave a null a hair below zero
}

std::vector<double> steps(double centre, double step, int each)
{
    std::vector<double> values;
    for (int k = -each; k <= each; ++k)
        values.push_back(centre + k * step);
    return values;
}

// The grid's best point, then the best of a finer grid around it: 0.05° steps over one grid
// step each way (on the horizon alone in 2D).
void refinePeak(EnergyMap& map, const Steering& steering, const ChannelCovariance& covariance)
{
    constexpr int kFine = 10; // fine steps to a grid step
    const long best = std::max_element(map.energy.begin(), map.energy.end()) - map.energy.begin();
    const Direction coarse{
        EnergyMap::azimuthOfColumn(best % EnergyMap::kColumns),
        steering.horizontal() ? 0.0 : EnergyMap::elevationOfRow(best / EnergyMap::kColumns)};
    const double step = EnergyMap::kStep / kFine;
    const std::vector<double> azimuths = steps(coarse.azimuth, step, kFine);
    const std::vector<double> elevations =
        steering.horizontal() ? std::vector<double>{0.0} : steps(coarse.elevation, step, kFine);
    const ColumnTable columns = columnTable(steering, azimuths);
    std::vector<double> energy(azimuths.size());
    map.peak = coarse;
    map.peakEnergy = map.energy[best];
    for (const double elevation : elevations)
    {
        if (std::fabs(elevation) > 90.0) continue;
        energiesAt(steering, covariance, elevation, columns, energy.data());
        for (size_t c = 0; c < energy.size(); ++c)
            if (energy[c] > map.peakEnergy)
            {
                map.peak = Direction{azimuths[c], elevation};
                map.peakEnergy = energy[c];
            }
    }
}

} // namespace

ChannelCovariance::ChannelCovariance(int fileChannels, std::vector<int> used)
    : fFileChannels(fileChannels), fUsed(std::move(used)), fSums(fUsed.size() * fUsed.size()),
      fFrame(fUsed.size())
{
}

void ChannelCovariance::add(const float* interleaved, int64_t frames)
{
    addFrames(interleaved, frames);
}

void ChannelCovariance::add(const double* interleaved, int64_t frames)
{
    addFrames(interleaved, frames);
}

// One frame at a time into the upper triangle, whose row sums the compiler vectorises.
template <typename Sample>
void ChannelCovariance::addFrames(const Sample* interleaved, int64_t frames)
{
    const size_t size = fUsed.size();
    for (int64_t f = 0; f < frames; ++f)
    {
        for (size_t i = 0; i < size; ++i)
            fFrame[i] = interleaved[f * fFileChannels + fUsed[i]];
        for (size_t i = 0; i < size; ++i)
        {
            double* sums = &fSums[i * size];
            const double x = fFrame[i];
            for (size_t j = i; j < size; ++j)
                sums[j] += x * fFrame[j];
        }
    }
}

EnergyMap mapEnergy(const Steering& steering, const ChannelCovariance& covariance)
{
    EnergyMap map;
    map.energy.resize(static_cast<size_t>(EnergyMap::kRows) * EnergyMap::kColumns);
    std::vector<double> azimuths;
    for (int c = 0; c < EnergyMap::kColumns; ++c)
        azimuths.push_back(EnergyMap::azimuthOfColumn(c));
    const ColumnTable columns = columnTable(steering, azimuths);
    for (int r = 0; r < EnergyMap::kRows; ++r)
        energiesAt(steering, covariance, EnergyMap::elevationOfRow(r), columns,
                   &map.energy[static_cast<size_t>(r) * EnergyMap::kColumns]);
    if (*std::max_element(map.energy.begin(), map.energy.end()) > 0.0)
        refinePeak(map, steering, covariance);
    return map;
}
