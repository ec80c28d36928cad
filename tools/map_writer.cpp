// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/map_writer.h"

#include <chrono>
#include <cmath>
#include <cstdio>

#include "tools/map_image.h"
#include "tools/png_file.h"

namespace
{

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// To one decimal, without a "-0.0".
double tenths(double degrees)
{
    const double rounded = std::round(degrees * 10.0) / 10.0;
    return rounded == 0.0 ? 0.0 : rounded;
}

// The peak to 0.1°, the azimuth within -180° (excluded) to 180°.
std::string directionText(const std::optional<Direction>& peak)
{
    if (!peak) return "none, the file is silent";
    double azimuth = tenths(std::remainder(peak->azimuth, 360.0));
    if (azimuth <= -180.0) azimuth += 360.0;
    char text[64];
    std::snprintf(text, sizeof text, "azimuth %.1f\u00b0  elevation %.1f\u00b0", azimuth,
                  tenths(peak->elevation));
    return text;
}

} // namespace

MapWriter::MapWriter(const std::string& path, const SoundField& field, int fileChannels)
    : fFile(path), fSteering(field), fCovariance(fileChannels, fSteering.channels())
{
}

void MapWriter::add(const float* interleaved, int64_t frames)
{
    const Clock::time_point start = Clock::now();
    fCovariance.add(interleaved, frames);
    fSeconds += secondsSince(start);
}

void MapWriter::add(const double* interleaved, int64_t frames)
{
    const Clock::time_point start = Clock::now();
    fCovariance.add(interleaved, frames);
    fSeconds += secondsSince(start);
}

void MapWriter::finish()
{
    const Clock::time_point start = Clock::now();
    fMap = mapEnergy(fSteering, fCovariance);
    writePng(drawMapImage(fMap), fFile);
    fSeconds += secondsSince(start);
}

void MapWriter::printSummary() const
{
    std::printf("map %s, %d x %d, in %.3f s\n", fFile.target().c_str(), MapImage::kWidth,
                MapImage::kHeight, fSeconds);
    std::printf("direction  %s\n", directionText(fMap.peak).c_str());
}
