// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

// Normalisation weights of the Ambisonic components.

namespace sferant
{

enum Normalisation
{
    kSN2D = 0,
    kN2D,
    kSN3D,
    kN3D,
    kFuMa
};

// n! for the small arguments the weights need (0 <= n <= 10).
int factorial(int n);

// Every weight of one normalisation choice, indexed [n][m] for
// 0 <= m <= n <= 5, from tables built once; any choice outside 0..4 gives 1s.
using WeightTable = std::array<std::array<double, 6>, 6>;
const WeightTable& normalisationWeights(int choice);

// Scale factor of component (n, m), 0 <= m <= n <= 5, under a normalisation
// choice; any choice outside 0..4 gives 1, and n or m outside 0..5 gives 0.
double normalisationWeight(int choice, int n, int m);

} // namespace sferant
