// SPDX-License-Identifier: GPL-3.0-or-later
#include "LiteralEncoder.h"

#include <cmath>
#include <vector>

namespace sferant_test
{

namespace
{

const double pi = 3.14159265;

double float2azimuth(double x)
{
    return (0.5 - x) * 2 * pi;
}
double float2elevation(double x)
{
    return (x - 0.5) * pi;
}
double float2width(double x)
{
    return x * pi * 0.5;
}
double float2distance(double x)
{
    return x * 10 + 0.1;
}

int factorial(int n)
{
    return n <= 1 ? 1 : n * factorial(n - 1);
}

const double fuMa[6][6] = {
    {0.7071067811865476},
    {1.0, 1.0},
    {1.0, 1.1547005383792517, 1.1547005383792517},
    {1.0, 1.1858541225631423, 1.3416407864998738, 1.2649110640673518},
};

const double rootsReal[5][5] = {
    {-2.0},
    {-3.0, -3.0},
    {-3.6778, -4.6444, -3.6778},
    {-4.2076, -5.7924, -5.7924, -4.2076},
    {-4.6493, -6.7039, -7.2935, -6.7039, -4.6493},
};
const double rootsAbs[5][5] = {
    {0},
    {3.464126211615275, 3.464126211615275},
    {5.083098492061707, 4.6444, 5.083098492061707},
    {6.77871645667526, 6.046518668622466, 6.046518668622466, 6.77871645667526},
    {8.521980667074997, 7.555765434421585, 7.2935, 7.555765434421585, 8.521980667074997},
};

struct Coefficients
{
    double a[3], b[3]; // denominator at 2 m, numerator at the source distance
};

double firstOrderSection(const Coefficients& c, double x, double* state, int at)
{
    const double y = (c.b[0] * x + c.b[1] * state[at] - c.a[1] * state[at + 1]) / c.a[0];
    state[at] = x;
    state[at + 1] = y;
    return y;
}

double secondOrderSection(const Coefficients& c, double x, double* state, int at)
{
    const double* a = c.a;
    const double* b = c.b;
    double& w = state[at];
    double& s1 = state[at + 1];
    double& s2 = state[at + 2];
    w = (a[0] / a[0]) * x - (a[1] / a[0]) * s1 - (a[2] / a[0]) * s2;
    const double y = (b[0] / a[0]) * w + (b[1] / a[0]) * s1 + (b[2] / a[0]) * s2;
    s2 = s1;
    s1 = w;
    return y;
}

struct Filters
{
    Coefficients first1, first3, first5, second21, second31, second41, second42, second51, second52;

    double run(int n, double x, double* s) const
    {
        switch (n)
        {
        case 1:
            return firstOrderSection(first1, x, s, 20);
        case 2:
            return secondOrderSection(second21, x, s, 0);
        case 3:
            s[18] = secondOrderSection(second31, x, s, 3);
            return firstOrderSection(first3, s[18], s, 22);
        case 4:
            return secondOrderSection(second42, secondOrderSection(second41, x, s, 9), s, 6);
        default:
            s[19] = secondOrderSection(second52, secondOrderSection(second51, x, s, 15), s, 12);
            return firstOrderSection(first5, s[19], s, 24);
        }
    }
};

} // namespace

double LiteralEncoder::weightCalculation(int n, int m)
{
    const int k = static_cast<int>(std::floor(fWeight * 4.0f));
    if (k == 0) return 1.0;
    if (k == 1) return n <= 0 ? 1.0 : 1.4142135623730951;
    if (k < 2 || k > 4) return 1.0;
    double numerator = factorial(n - m);
    if (k == 3) numerator = (2 * n + 1) * numerator;
    if (m >= 1) numerator = numerator * 2;
    const double w = std::sqrt(numerator / static_cast<double>(factorial(n + m)));
    return k == 4 ? w * fuMa[n][m] : w;
}

double LiteralEncoder::legendre(int n, int m)
{
    const double theta = float2elevation(fElevation);
    const double x = std::sin(theta);
    const double y = std::cos(theta);
    double t[6][6] = {};
    t[0][0] = 1;
    t[1][0] = x;
    t[1][1] = y;
    for (int i = 2; i <= n; ++i)
        t[i][0] = ((2.0 * i - 1) / i) * x * t[i - 1][0] - ((i - 1.0) / i) * t[i - 2][0];
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j <= m; ++j)
            t[i][j] = t[i - 2][j] + (2 * i - 1) * y * t[i - 1][j - 1];
    return t[n][m];
}

std::array<double, 36> LiteralEncoder::ambiChannels(double azimuth)
{
    std::array<double, 36> g{};
    const int order = static_cast<int>(std::floor(fOrder * 4.0f)) + 1;
    const int mode = static_cast<int>(std::floor(fOutput));
    g[0] = weightCalculation(0, 0);
    if (mode == 0)
    {
        int k = 1;
        for (int n = 1; n <= order; ++n)
        {
            g[k] = weightCalculation(n, 0) * legendre(n, 0);
            k += 1;
            for (int m = 1; m <= n; ++m)
            {
                g[k] = weightCalculation(n, m) * legendre(n, m) * std::cos(m * azimuth);
                g[k + 1] = weightCalculation(n, m) * legendre(n, m) * std::sin(m * azimuth);
                k += 2;
            }
        }
    }
    else if (mode == 1)
    {
        for (int n = 1; n <= order; ++n)
        {
            g[2 * n - 1] = weightCalculation(n, n) * std::cos(n * azimuth);
            g[2 * n] = weightCalculation(n, n) * std::sin(n * azimuth);
        }
    }
    else
    {
        g.fill(0.0);
    }
    return g;
}

void LiteralEncoder::firstOrderFilterCoeffs(double distance, int n, double* out)
{
    const double q = rootsReal[n - 1][(n + 1) / 2 - 1];
    const double alpha = sampleRate * 4.0 * (distance / 343.0);
    out[0] = 1 - q / alpha;
    out[1] = -(q / alpha + 1);
}

void LiteralEncoder::secondOrderFilterCoeffs(double distance, int n, int k, double* out)
{
    const double q = rootsReal[n - 1][k - 1];
    const double a = rootsAbs[n - 1][k - 1];
    const double alpha = sampleRate * 4.0 * (distance / 343.0);
    out[0] = a * a / (alpha * alpha) + (1 - 2 * q / alpha);
    out[1] = -2 * (1 - a * a / (alpha * alpha));
    out[2] = a * a / (alpha * alpha) + (1 + 2 * q / alpha);
}

void LiteralEncoder::process(float** inputs, float** outputs, int sampleFrames)
{
    run(inputs, outputs, sampleFrames);
}

void LiteralEncoder::process(double** inputs, double** outputs, int sampleFrames)
{
    run(inputs, outputs, sampleFrames);
}

void LiteralEncoder::startFilters(int nfc, int order)
{
    static const std::vector<int> statesOfOrder[5] = {{20, 21},
                                                      {0, 1, 2},
                                                      {3, 4, 5, 18, 22, 23},
                                                      {6, 7, 8, 9, 10, 11},
                                                      {12, 13, 14, 15, 16, 17, 19, 24, 25}};
    if (nfc != 1)
    {
        runningOrder = 0;
        return;
    }
    for (int n = runningOrder + 1; n <= order; ++n)
        for (int i : statesOfOrder[n - 1])
            nfcStateL[i] = nfcStateR[i] = 0.0;
    runningOrder = order;
}

// A block of no frames is no block: it changes nothing.
template <class Sample>
void LiteralEncoder::run(Sample** inputs, Sample** outputs, int sampleFrames)
{
    if (sampleFrames <= 0) return;
    const std::array<double, 36> gainsL =
        ambiChannels(float2azimuth(fAzimuth) + float2width(fWidth));
    const std::array<double, 36> gainsR =
        ambiChannels(float2azimuth(fAzimuth) - float2width(fWidth));
    const int outputMode = static_cast<int>(std::floor(fOutput));
    const int inputMode = static_cast<int>(std::floor(fInput));
    const int order = static_cast<int>(std::floor(fOrder * 4.0f)) + 1;
    const int nfc = static_cast<int>(std::floor(fNFC));

    Filters f;
    const double r = float2distance(fDistance);
    const auto first = [&](Coefficients& c, int n)
    {
        firstOrderFilterCoeffs(2.0, n, c.a);
        firstOrderFilterCoeffs(r, n, c.b);
    };
    const auto second = [&](Coefficients& c, int n, int k)
    {
        secondOrderFilterCoeffs(2.0, n, k, c.a);
        secondOrderFilterCoeffs(r, n, k, c.b);
    };
    first(f.first1, 1);
    first(f.first3, 3);
    first(f.first5, 5);
    second(f.second21, 2, 1);
    second(f.second31, 3, 1);
    second(f.second41, 4, 1);
    second(f.second42, 4, 2);
    second(f.second51, 5, 1);
    second(f.second52, 5, 2);
    startFilters(nfc, order);
    if (outputMode != 0 && outputMode != 1) return;

    for (int i = 0; i < sampleFrames; ++i)
    {
        Sample xL = inputs[0][i]; // a float block holds its left sample as a float
        double xR = inputMode == 1 ? static_cast<double>(inputs[1][i]) : static_cast<double>(xL);
        if (outputMode == 0)
            for (int n = 0; n < 5; ++n)
                orderSignalL[n] = orderSignalR[n] = 0.0;
        if (nfc == 0)
        {
            for (int n = 0; n < 5; ++n)
            {
                orderSignalL[n] = xL;
                orderSignalR[n] = xR;
            }
        }
        else
        {
            xL = static_cast<Sample>(2 * static_cast<double>(xL) / float2distance(fDistance));
            xR = 2 * xR / float2distance(fDistance);
            for (int n = order; n >= 1; --n)
            {
                orderSignalL[n - 1] = f.run(n, xL, nfcStateL);
                orderSignalR[n - 1] = f.run(n, xR, nfcStateR);
            }
        }
        const int channels = outputMode == 0 ? 36 : 11;
        for (int c = 0; c < channels; ++c)
        {
            int k = c;
            if (outputMode == 0 && c >= 1 && c <= 3) k = c == 3 ? 1 : c + 1;
            const int n = outputMode == 0 ? static_cast<int>(std::sqrt(k + 0.5)) : (k + 1) / 2;
            const double sL = n == 0 ? static_cast<double>(xL) : orderSignalL[n - 1];
            const double sR = n == 0 ? xR : orderSignalR[n - 1];
            outputs[c][i] = static_cast<Sample>((sL * gainsL[k] + sR * gainsR[k]) * 0.5);
        }
    }
}

} // namespace sferant_test
