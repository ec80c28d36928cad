#pragma once

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

// Scale factor of component (n, m), 0 <= m <= n <= 5, under a normalisation
// choice; any choice outside 0..4 gives 1.
double normalisationWeight(int choice, int n, int m);

} // namespace sferant
