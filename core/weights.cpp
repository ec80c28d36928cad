// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/weights.h"

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

double semiNormalised(int n, int m, double degreeFactor)
{
    double numerator = degreeFactor * factorial(n - m);
    if (m >= 1) numerator *= 2;
    return std::sqrt(numerator / static_cast<double>(factorial(n + m)));
}

double weightFromFormula(int choice, int n, int m)
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

// One table per choice and, last, the ones of every other choice.
constexpr int kChoices = kFuMa + 1;
using WeightTables = std::array<WeightTable, kChoices + 1>;

// Worked out once when the module loads: a new elevation or order then costs
// no square roots.
const WeightTables kWeights = []
{
    WeightTables tables{};
    for (int choice = 0; choice <= kChoices; ++choice)
        for (int n = 0; n < 6; ++n)
            for (int m = 0; m < 6; ++m)
                tables[choice][n][m] = weightFromFormula(choice, n, m);
    return tables;
}();

} // namespace

int factorial(int n)
{
    if (n <= 1) return 1;
    if (n == 2) return 2;
    return n * (n - 1) * factorial(n - 2);
}

const WeightTable& normalisationWeights(int choice)
{
    return kWeights[choice >= 0 && choice < kChoices ? choice : kChoices];
}

double normalisationWeight(int choice, int n, int m)
{
    if (n < 0 || n > 5 || m < 0 || m > 5) return 0.0;
    return normalisationWeights(choice)[n][m];
}

} // namespace sferant
