// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/gains.h"

#include "core/weights.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace sferant
{

namespace
{

using LegendreTable = std::array<std::array<double, kMaxOrder + 1>, kMaxOrder + 1>;

// The whole table up to order 5; every entry comes out the same as when the
// recurrence stops at the requested (n, m), because entries with m > n are 0.
// x = sin(elevation), y = cos(elevation).
LegendreTable legendreTable(double x, double y)
{
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

using TermIndex = std::array<int, kNumOutputs>;

constexpr TermIndex termIndex(int outputMode)
{
    TermIndex index{};
    for (int k = 0; k < kNumOutputs; ++k)
        index[k] = azimuthTermOfEntry(outputMode, k);
    return index;
}

// Any mode other than 2D reads the 3D index: its scales are 0 in any case.
constexpr TermIndex kTermIndex[2] = {termIndex(k3D), termIndex(k2D)};

void setSphereScales(GainTerms& t, const GainSettings& s, const WeightTable& w, double sine,
                     double cosine)
{
    const LegendreTable p = legendreTable(sine, cosine);
    t.scale[0] = w[0][0];
    for (int n = 1; n <= s.order; ++n)
    {
        t.scale[n * n] = w[n][0] * p[n][0];
        for (int m = 1; m <= n; ++m)
            t.scale[n * n + 2 * m - 1] = t.scale[n * n + 2 * m] = w[n][m] * p[n][m];
    }
}

void setCircleScales(GainTerms& t, const GainSettings& s, const WeightTable& w)
{
    t.scale[0] = w[0][0];
    for (int n = 1; n <= s.order; ++n)
        t.scale[2 * n - 1] = t.scale[2 * n] = w[n][n];
}

GainVector gainsAt(const GainTerms& terms, const AzimuthTerms& azimuth)
{
    const TermIndex& index = kTermIndex[terms.outputMode == k2D ? 1 : 0];
    GainVector g;
    for (int k = 0; k < kNumOutputs; ++k)
        g[k] = terms.scale[k] * azimuth[index[k]];
    return g;
}

} // namespace

void GainTerms::set(const GainSettings& s)
{
    set(s, std::sin(s.elevation), std::cos(s.elevation));
}

void GainTerms::set(const GainSettings& s, double sine, double cosine)
{
    outputMode = s.outputMode;
    std::fill(std::begin(scale), std::end(scale), 0.0);
    if (s.order < 1 || s.order > kMaxOrder) return;
    const WeightTable& w = normalisationWeights(s.normalisation);
    if (s.outputMode == k3D)
        setSphereScales(*this, s, w, sine, cosine);
    else if (s.outputMode == k2D)
        setCircleScales(*this, s, w);
}

AzimuthTerms azimuthTerms(double cosine, double sine)
{
    AzimuthTerms a{};
    a[0] = 1;
    a[1] = cosine;
    a[kMaxOrder + 1] = sine;
    for (int m = 2; m <= kMaxOrder; ++m)
    {
        const double c = a[m - 1], s = a[kMaxOrder + m - 1];
        a[m] = c * cosine - s * sine;
        a[kMaxOrder + m] = s * cosine + c * sine;
    }
    return a;
}

GainVector encodingGains(const GainSettings& settings, double azimuth)
{
    GainTerms terms;
    terms.set(settings);
    return gainsAt(terms, azimuthTerms(std::cos(azimuth), std::sin(azimuth)));
}

double legendreValue(double elevation, int n, int m)
{
    if (n < 0 || n > kMaxOrder || m < 0 || m > kMaxOrder) return 0.0;
    return legendreTable(std::sin(elevation), std::cos(elevation))[n][m];
}

} // namespace sferant
