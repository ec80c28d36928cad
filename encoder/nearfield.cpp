#include "encoder/nearfield.h"

#include "encoder/parameters.h"

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

void firstOrderCoefficients(double fs, double d, int n, double out[2])
{
    const double q = rootReal(n, (n + 1) / 2);
    const double alpha = bilinearScale(fs, d);
    out[0] = 1 - q / alpha;
    out[1] = -(q / alpha + 1);
}

void secondOrderCoefficients(double fs, double d, int n, int k, double out[3])
{
    const double q = rootReal(n, k);
    const double a = rootMagnitude(n, k);
    const double alpha = bilinearScale(fs, d);
    const double ratio = a * a / (alpha * alpha);
    out[0] = ratio + (1 - 2 * q / alpha);
    out[1] = -2 * (1 - ratio);
    out[2] = ratio + (1 + 2 * q / alpha);
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

FirstOrderSection firstOrderSection(double fs, double r, int n)
{
    double a[2], b[2];
    firstOrderCoefficients(fs, kReferenceDistance, n, a);
    firstOrderCoefficients(fs, r, n, b);
    return {b[0], b[1], a[0], a[1]};
}

SecondOrderSection secondOrderSection(double fs, double r, int n, int k)
{
    double a[3], b[3];
    secondOrderCoefficients(fs, kReferenceDistance, n, k, a);
    secondOrderCoefficients(fs, r, n, k, b);
    return {a[1] / a[0], a[2] / a[0], b[0] / a[0], b[1] / a[0], b[2] / a[0]};
}

} // namespace

NearFieldDesign designNearField(double fs, double r)
{
    NearFieldDesign d;
    d.order1 = firstOrderSection(fs, r, 1);
    d.order3 = firstOrderSection(fs, r, 3);
    d.order5 = firstOrderSection(fs, r, 5);
    d.order2 = secondOrderSection(fs, r, 2, 1);
    d.order3Pair1 = secondOrderSection(fs, r, 3, 1);
    d.order4Pair1 = secondOrderSection(fs, r, 4, 1);
    d.order4Pair2 = secondOrderSection(fs, r, 4, 2);
    d.order5Pair1 = secondOrderSection(fs, r, 5, 1);
    d.order5Pair2 = secondOrderSection(fs, r, 5, 2);
    return d;
}

} // namespace sferant
