// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/steering.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/weights.h"

namespace
{

constexpr double kPi = 3.14159265358979323846;

// The largest root of the Legendre polynomial P_L: it lies between cos(π / (L + ½)) and
// cos(π / (2L + 1)), where P_L changes sign once.
double largestLegendreRoot(int L)
{
    double below = std::cos(kPi / (L + 0.5)), above = std::cos(kPi / (2 * L + 1));
    for (int i = 0; i < 60; ++i)
    {
        const double middle = 0.5 * (below + above);
        (associatedLegendre(L, 0, middle) > 0 ? above : below) = middle;
    }
    return 0.5 * (below + above);
}

// max-rE weight of order n in a field of order N: on the sphere P_n of the largest root of
// P_(N+1), on the circle cos(nπ / (2N + 2)).
double maxReWeight(int n, int order, bool horizontal)
{
    if (horizontal) return std::cos(n * kPi / (2 * order + 2));
    return associatedLegendre(n, 0, largestLegendreRoot(order + 1));
}

} // namespace

double associatedLegendre(int n, int m, double x)
{
    // P_m^m = (2m - 1)!! (1 - x²)^(m/2), then upwards in n at fixed m.
    const double y = std::sqrt(std::max(0.0, 1.0 - x * x));
    double previous = 0.0, current = 1.0;
    for (int k = 1; k <= m; ++k)
        current *= (2 * k - 1) * y;
    for (int l = m + 1; l <= n; ++l)
    {
        const double next = ((2 * l - 1) * x * current - (l + m - 1) * previous) / (l - m);
        previous = current;
        current = next;
    }
    return current;
}

Steering::Steering(const SoundField& field) : fHorizontal(field.horizontal)
{
    for (size_t c = 0; c < field.channels.size(); ++c)
    {
        const Component& component = field.channels[c];
        if (component.silent()) continue;
        const int n = component.n, k = std::abs(component.m);
        if (sferant::normalisationWeight(field.weight, n, k) == 0.0) continue;
        fChannels.push_back(static_cast<int>(c));
        fComponents.push_back(component);
        fOrder = std::max(fOrder, n);
    }
    // The channel carries W(n, k) times the basis function over the basis weight B(n, k):
    // B / W brings it to the basis, and the basis function itself carries another B.
    const int basis = fHorizontal ? sferant::kN2D : sferant::kN3D;
    for (const Component& c : fComponents)
    {
        const int k = std::abs(c.m);
        const double b = sferant::normalisationWeight(basis, c.n, k);
        fScales.push_back(maxReWeight(c.n, fOrder, fHorizontal) * b * b /
                          sferant::normalisationWeight(field.weight, c.n, k));
    }
}

std::vector<double> Steering::rowFactors(double elevation) const
{
    std::vector<double> factors = fScales;
    if (fHorizontal) return factors;
    const double x = std::sin(elevation);
    for (size_t i = 0; i < factors.size(); ++i)
        factors[i] *= associatedLegendre(fComponents[i].n, std::abs(fComponents[i].m), x);
    return factors;
}

std::vector<double> Steering::columnFactors(double azimuth) const
{
    std::vector<double> factors;
    for (const Component& c : fComponents)
        factors.push_back(c.m >= 0 ? std::cos(c.m * azimuth) : std::sin(-c.m * azimuth));
    return factors;
}
