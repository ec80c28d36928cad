// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/nearfield.h"

#include "core/parameters.h"

#include <iterator>

namespace sferant
{

namespace
{

// Rows are orders 1 to 5, columns roots 1 to 5; conjugate roots k and
// n + 1 - k share their values. Real parts to four decimals; magnitudes from
// those and imaginary parts to four decimals.
constexpr double kRootsReal[kMaxOrder][kMaxOrder] = {
    {-2.0, 0, 0, 0, 0},
    {-3.0, -3.0, 0, 0, 0},
    {-3.6778, -4.6444, -3.6778, 0, 0},
    {-4.2076, -5.7924, -5.7924, -4.2076, 0},
    {-4.6493, -6.7039, -7.2935, -6.7039, -4.6493},
};

constexpr double kRootsAbs[kMaxOrder][kMaxOrder] = {
    {2.0, 0, 0, 0, 0},
    {3.464126211615275, 3.464126211615275, 0, 0, 0},
    {5.083098492061707, 4.6444, 5.083098492061707, 0, 0},
    {6.77871645667526, 6.046518668622466, 6.046518668622466, 6.77871645667526, 0},
    {8.521980667074997, 7.555765434421585, 7.2935, 7.555765434421585, 8.521980667074997},
};

bool inTable(int n, int k)
{
    return n >= 1 && n <= kMaxOrder && k >= 1 && k <= kMaxOrder;
}

// The tabled roots are twice the Bessel roots; the 4 (rather than 2) balances that.
double bilinearScale(double fs, double d)
{
    return fs * 4.0 * (d / kSpeedOfSound);
}

} // namespace

double rootReal(int n, int k)
{
    return inTable(n, k) ? kRootsReal[n - 1][k - 1] : 0.0;
}

double rootMagnitude(int n, int k)
{
    return inTable(n, k) ? kRootsAbs[n - 1][k - 1] : 0.0;
}

namespace
{

void firstOrderAt(double alpha, int n, double out[2])
{
    const double q = rootReal(n, (n + 1) / 2);
    out[0] = 1 - q / alpha;
    out[1] = -(q / alpha + 1);
}

// The section on a root pair with real part q and magnitude a.
void secondOrderOnRoot(double alpha, double q, double a, double out[3])
{
    const double ratio = a * a / (alpha * alpha);
    out[0] = ratio + (1 - 2 * q / alpha);
    out[1] = -2 * (1 - ratio);
    out[2] = ratio + (1 + 2 * q / alpha);
}

void secondOrderAt(double alpha, int n, int k, double out[3])
{
    secondOrderOnRoot(alpha, rootReal(n, k), rootMagnitude(n, k), out);
}

} // namespace

void firstOrderCoefficients(double fs, double d, int n, double out[2])
{
    firstOrderAt(bilinearScale(fs, d), n, out);
}

void secondOrderCoefficients(double fs, double d, int n, int k, double out[3])
{
    secondOrderAt(bilinearScale(fs, d), n, k, out);
}

void convolvePolynomials(const double* a, std::size_t na, const double* b, std::size_t nb,
                         double* out)
{
    if (na == 0 || nb == 0) return;
    for (std::size_t j = 0; j < na + nb - 1; ++j)
    {
        out[j] = 0.0;
        for (std::size_t i = 0; i < na; ++i)
            if (j >= i && j - i < nb) out[j] += a[i] * b[j - i];
    }
}

namespace
{

// The section plan: which root of which order each section is built on.
struct FirstOrderPlace
{
    FirstOrderSection NearFieldDesign::*section;
    int n;
};

struct SecondOrderPlace
{
    SecondOrderSection NearFieldDesign::*section;
    int n, k;
};

constexpr FirstOrderPlace kFirstOrderSections[] = {
    {&NearFieldDesign::order1, 1}, {&NearFieldDesign::order3, 3}, {&NearFieldDesign::order5, 5}};

constexpr SecondOrderPlace kSecondOrderSections[] = {
    {&NearFieldDesign::order2, 2, 1},      {&NearFieldDesign::order3Pair1, 3, 1},
    {&NearFieldDesign::order4Pair1, 4, 1}, {&NearFieldDesign::order4Pair2, 4, 2},
    {&NearFieldDesign::order5Pair1, 5, 1}, {&NearFieldDesign::order5Pair2, 5, 2}};

void setDenominator(FirstOrderSection& section, double alpha, int n)
{
    double a[2];
    firstOrderAt(alpha, n, a);
    section.a0 = a[0];
    section.a1 = a[1];
}

void setNumerator(FirstOrderSection& section, double alpha, int n)
{
    double b[2];
    firstOrderAt(alpha, n, b);
    section.b0 = b[0];
    section.b1 = b[1];
}

// The difference equation divides by the denominator's c0: the quotients are
// formed here once.
void setDenominator(SecondOrderSection& section, double alpha, int n, int k)
{
    double a[3];
    secondOrderAt(alpha, n, k, a);
    section.a0 = a[0];
    section.a1 = a[1] / a[0];
    section.a2 = a[2] / a[0];
}

constexpr int kPairSections = static_cast<int>(std::size(kSecondOrderSections));

// All pair sections side by side, each numerator divided by its denominator's
// c0: a new distance costs some thirty divisions, and side by side they share
// vector instructions.
void setPairNumerators(NearFieldDesign& design, double alpha)
{
    double q[kPairSections], a[kPairSections], a0[kPairSections];
    for (int i = 0; i < kPairSections; ++i)
    {
        const SecondOrderPlace& place = kSecondOrderSections[i];
        q[i] = rootReal(place.n, place.k);
        a[i] = rootMagnitude(place.n, place.k);
        a0[i] = (design.*place.section).a0;
    }
    double b0[kPairSections], b1[kPairSections], b2[kPairSections];
    for (int i = 0; i < kPairSections; ++i)
    {
        double b[3];
        secondOrderOnRoot(alpha, q[i], a[i], b);
        b0[i] = b[0] / a0[i];
        b1[i] = b[1] / a0[i];
        b2[i] = b[2] / a0[i];
    }
    for (int i = 0; i < kPairSections; ++i)
    {
        SecondOrderSection& section = design.*kSecondOrderSections[i].section;
        section.b0 = b0[i];
        section.b1 = b1[i];
        section.b2 = b2[i];
    }
}

} // namespace

void designDenominators(NearFieldDesign& design, double fs)
{
    const double alpha = bilinearScale(fs, kReferenceDistance);
    for (const FirstOrderPlace& place : kFirstOrderSections)
        setDenominator(design.*place.section, alpha, place.n);
    for (const SecondOrderPlace& place : kSecondOrderSections)
        setDenominator(design.*place.section, alpha, place.n, place.k);
}

void designNumerators(NearFieldDesign& design, double fs, double r)
{
    const double alpha = bilinearScale(fs, r);
    for (const FirstOrderPlace& place : kFirstOrderSections)
        setNumerator(design.*place.section, alpha, place.n);
    setPairNumerators(design, alpha);
}

} // namespace sferant
