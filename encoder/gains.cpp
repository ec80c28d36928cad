#include "encoder/gains.h"

#include "encoder/weights.h"

#include <cmath>

namespace sferant
{

namespace
{

using LegendreTable = std::array<std::array<double, kMaxOrder + 1>, kMaxOrder + 1>;

// The whole table up to order 5; every entry comes out the same as when the
// recurrence stops at the requested (n, m), because entries with m > n are 0.
LegendreTable legendreTable(double elevation)
{
    const double x = std::sin(elevation);
    const double y = std::cos(elevation);
    LegendreTable t{};
    t[0][0] = 1;
    t[1][0] = x;
    t[1][1] = y;
    for (int n = 2; n <= kMaxOrder; ++n)
        t[n][0] = (static_cast<double>(2 * n - 1) / n) * x * t[n - 1][0] -
                  (static_cast<double>(n - 1) / n) * t[n - 2][0];
    for (int n = 2; n <= kMaxOrder; ++n)
        for (int m = 1; m <= kMaxOrder; ++m)
            t[n][m] = t[n - 2][m] + (2 * n - 1) * y * t[n - 1][m - 1];
    return t;
}

void fillSphereGains(GainVector& g, const GainSettings& s, double azimuth)
{
    const LegendreTable p = legendreTable(s.elevation);
    g[0] = normalisationWeight(s.normalisation, 0, 0);
    int k = 1;
    for (int n = 1; n <= s.order; ++n)
    {
        g[k++] = normalisationWeight(s.normalisation, n, 0) * p[n][0];
        for (int m = 1; m <= n; ++m)
        {
            const double wp = normalisationWeight(s.normalisation, n, m) * p[n][m];
            g[k++] = wp * std::cos(m * azimuth);
            g[k++] = wp * std::sin(m * azimuth);
        }
    }
}

void fillCircleGains(GainVector& g, const GainSettings& s, double azimuth)
{
    g[0] = normalisationWeight(s.normalisation, 0, 0);
    for (int n = 1; n <= s.order; ++n)
    {
        const double w = normalisationWeight(s.normalisation, n, n);
        g[2 * n - 1] = w * std::cos(n * azimuth);
        g[2 * n] = w * std::sin(n * azimuth);
    }
}

} // namespace

double legendreValue(double elevation, int n, int m)
{
    if (n < 0 || n > kMaxOrder || m < 0 || m > kMaxOrder) return 0.0;
    return legendreTable(elevation)[n][m];
}

GainVector encodingGains(const GainSettings& settings, double azimuth)
{
    GainVector g{};
    if (settings.order < 1 || settings.order > kMaxOrder) return g;
    if (settings.outputMode == k3D)
        fillSphereGains(g, settings, azimuth);
    else if (settings.outputMode == k2D)
        fillCircleGains(g, settings, azimuth);
    return g;
}

int gainEntryOfOutput(int outputMode, int c)
{
    constexpr int kFirstOrderEntries[4] = {0, 2, 3, 1};
    return outputMode == k3D && c < 4 ? kFirstOrderEntries[c] : c;
}

int orderOfGainEntry(int outputMode, int k)
{
    if (outputMode == k2D) return (k + 1) / 2;
    int n = 0;
    while ((n + 1) * (n + 1) <= k)
        ++n;
    return n;
}

} // namespace sferant
