#include "encoder/weights.h"

#include <cmath>

namespace sferant
{

namespace
{

// Converts the SN3D value to the max-normalised set; orders 4 and 5 have no
// conversion and so are silent.
constexpr double kFuMaFactors[6][6] = {
    {0.7071067811865476, 0, 0, 0, 0, 0},
    {1.0, 1.0, 0, 0, 0, 0},
    {1.0, 1.1547005383792517, 1.1547005383792517, 0, 0, 0},
    {1.0, 1.1858541225631423, 1.3416407864998738, 1.2649110640673518, 0, 0},
    {0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0},
};

constexpr double kSqrt2 = 1.4142135623730951;

int factorialOrOne(int n)
{
    return n <= 1 ? 1 : factorial(n);
}

double semiNormalised(int n, int m, double degreeFactor)
{
    double numerator = degreeFactor * factorialOrOne(n - m);
    if (m >= 1) numerator *= 2;
    return std::sqrt(numerator / static_cast<double>(factorialOrOne(n + m)));
}

} // namespace

int factorial(int n)
{
    if (n <= 1) return 1;
    if (n == 2) return 2;
    return n * (n - 1) * factorial(n - 2);
}

double normalisationWeight(int choice, int n, int m)
{
    switch (choice)
    {
    case kSN2D:
        return 1.0;
    case kN2D:
        return n <= 0 ? 1.0 : kSqrt2;
    case kSN3D:
        return semiNormalised(n, m, 1.0);
    case kN3D:
        return semiNormalised(n, m, 2.0 * n + 1);
    case kFuMa:
        return semiNormalised(n, m, 1.0) * kFuMaFactors[n][m];
    default:
        return 1.0;
    }
}

} // namespace sferant
