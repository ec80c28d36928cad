// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// Near-field compensation filters: per order n, F_n(z; r) / F_n(z; 2 m),
// built from first- and second-order sections on the roots of the reverse
// Bessel polynomials, designed by the bilinear transform.

namespace sferant
{

constexpr double kSpeedOfSound = 343.0;
constexpr double kReferenceDistance = 2.0;

// Real part and magnitude of twice the k-th reverse-Bessel root of order n
// (both counted from 1); 0 outside the table.
double rootReal(int n, int k);
double rootMagnitude(int n, int k);

// Coefficients [c0, c1] of the section on the real root of order n (1, 3 or 5)
// at distance d metres and sample rate fs; c0 weighs the current sample.
void firstOrderCoefficients(double fs, double d, int n, double out[2]);

// Coefficients [c0, c1, c2] of the section on root pair k of order n.
void secondOrderCoefficients(double fs, double d, int n, int k, double out[3]);

// Polynomial product: writes na + nb - 1 values.
void convolvePolynomials(const double* a, std::size_t na, const double* b, std::size_t nb,
                         double* out);

// A first-order section's coefficients as its difference equation uses them.
struct FirstOrderSection
{
    double b0, b1, a0, a1;
};

// A second-order section's coefficients, each already divided by the
// denominator's c0 (the quotients the difference equation forms), and that c0.
struct SecondOrderSection
{
    double a1, a2, b0, b1, b2;
    double a0;
};

// All nine sections for source distance r against the reference distance.
struct NearFieldDesign
{
    FirstOrderSection order1, order3, order5;
    SecondOrderSection order2, order3Pair1, order4Pair1, order4Pair2, order5Pair1, order5Pair2;
};

// The denominators belong to the reference distance and depend on the sample
// rate alone; a new source distance needs only new numerators. Numerators
// need the denominators of the same fs in place.
void designDenominators(NearFieldDesign& design, double fs);
void designNumerators(NearFieldDesign& design, double fs, double r);

} // namespace sferant
