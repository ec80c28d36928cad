// SPDX-License-Identifier: GPL-3.0-or-later
// Near-field compensation filters: the design against the analog prototype
// built from reverse Bessel roots computed here, and the filters as they run.
#include "CoreEncoder.h"

#include "core/nearfield.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <complex>
#include <vector>

using namespace sferant_test;
using Complex = std::complex<double>;

namespace
{

constexpr double kSpeedOfSound = 343.0;
constexpr double kPi = 3.141592653589793;

// Roots of the reverse Bessel polynomial of degree n, by Durand-Kerner.
std::vector<Complex> reverseBesselRoots(int n)
{
    n = std::clamp(n, 1, 5);      // the orders this plug-in filters
    std::vector<double> a(n + 1); // a[k] multiplies x^k
    for (int k = 0; k <= n; ++k)
        a[k] = std::tgamma(2 * n - k + 1) /
               (std::pow(2.0, n - k) * std::tgamma(k + 1) * std::tgamma(n - k + 1));
    const auto p = [&](Complex x)
    {
        Complex v = 0;
        for (int k = n; k >= 0; --k)
            v = v * x + a[k];
        return v;
    };
    std::vector<Complex> roots(n);
    for (int i = 0; i < n; ++i)
        roots[i] = std::pow(Complex(0.4, 0.9), i);
    for (int iteration = 0; iteration < 500; ++iteration)
        for (int i = 0; i < n; ++i)
        {
            Complex d = a[n];
            for (int j = 0; j < n; ++j)
                if (j != i) d *= roots[i] - roots[j];
            roots[i] -= p(roots[i]) / d;
        }
    return roots;
}

// |F_n(s; r) / F_n(s; 2 m)| at the analog frequency that the bilinear
// transform maps to f.
double prototypeMagnitude(int n, double r, double f, double fs)
{
    const Complex s(0, 2 * fs * std::tan(kPi * f / fs));
    Complex h = 1;
    for (const Complex& q : reverseBesselRoots(n))
        h *= (1.0 - q * kSpeedOfSound / (r * s)) / (1.0 - q * kSpeedOfSound / (2.0 * s));
    return std::abs(h);
}

// Each order's impulse response through the running effect: horizontal
// mode with unit weights puts order n's filtered signal alone on output 2n - 1.
class FilterResponses
{
  public:
    FilterResponses(float fs, float distanceValue, int frames) : channels(frames)
    {
        effect.start(fs, frames);
        const float settings[sferant::kNumParams] = {0.5f, 0.5f, 1, distanceValue, 0, 1, 0, 0, 1};
        for (int i = 0; i < sferant::kNumParams; ++i)
            effect.set(i, settings[i]);
        channels.in[0][0] = 1.0;
        effect.process(channels.inputs, channels.outputs, frames);
        distanceGain = 2.0 / (distanceValue * 10.0 + 0.1);
    }

    // H_n(e^{j 2 pi f / fs}) without the distance gain.
    Complex response(int n, double f, double fs) const
    {
        const std::vector<double>& h = channels.out[2 * n - 1];
        Complex sum = 0;
        for (size_t k = 0; k < h.size(); ++k)
            sum += h[k] * std::polar(1.0, -2 * kPi * f / fs * k);
        return sum / distanceGain;
    }

    CoreEncoder effect;
    Channels<double> channels;
    double distanceGain;
};

} // namespace

TEST(NearField, TabledRootsAreTwiceTheReverseBesselRoots)
{
    for (int n = 1; n <= 5; ++n)
    {
        std::vector<Complex> roots = reverseBesselRoots(n);
        std::sort(roots.begin(), roots.end(),
                  [](Complex a, Complex b) { return a.imag() > b.imag(); });
        for (int k = 1; k <= n; ++k)
        {
            EXPECT_NEAR(sferant::rootReal(n, k), 2 * roots[k - 1].real(), 1e-4) << n << "," << k;
            if (n > 1)
            {
                EXPECT_NEAR(sferant::rootMagnitude(n, k), 2 * std::abs(roots[k - 1]), 2e-4)
                    << n << "," << k;
            }
        }
    }
}

TEST(NearField, DenominatorOfTheFirstOrderAtTwoMetres)
{
    const double alpha = 1028.5714285714287;
    double a[2];
    sferant::firstOrderCoefficients(44100, 2.0, 1, a);
    EXPECT_DOUBLE_EQ(a[0], 1 + 2 / alpha);
    EXPECT_DOUBLE_EQ(a[1], 2 / alpha - 1);
    EXPECT_NEAR(-a[1] / a[0], 0.99612, 1e-5);
}

TEST(NearField, DenominatorPolesLieInsideTheUnitCircle)
{
    for (float fs : {44100.0f, 48000.0f, 96000.0f, 192000.0f})
    {
        for (int n : {1, 3, 5})
        {
            double a[2];
            sferant::firstOrderCoefficients(fs, 2.0, n, a);
            EXPECT_LT(std::fabs(a[1] / a[0]), 1.0) << "order " << n << " at " << fs;
        }
        const int pairs[][2] = {{2, 1}, {3, 1}, {4, 1}, {4, 2}, {5, 1}, {5, 2}};
        for (const auto& p : pairs)
        {
            double a[3];
            sferant::secondOrderCoefficients(fs, 2.0, p[0], p[1], a);
            const Complex root = std::sqrt(Complex(a[1] * a[1] - 4 * a[0] * a[2]));
            EXPECT_LT(std::abs((-a[1] + root) / (2 * a[0])), 1.0)
                << p[0] << "," << p[1] << " at " << fs;
            EXPECT_LT(std::abs((-a[1] - root) / (2 * a[0])), 1.0)
                << p[0] << "," << p[1] << " at " << fs;
        }
    }
}

TEST(NearField, ConvolveMultipliesPolynomials)
{
    const double a[] = {1, 2};
    const double b[] = {3, 4, 5};
    double out[4] = {9, 9, 9, 9};
    sferant::convolvePolynomials(a, 2, b, 3, out);
    EXPECT_EQ(std::vector<double>(out, out + 4), (std::vector<double>{3, 10, 13, 10}));
}

TEST(NearField, DcGainIsTwoOverDistanceToTheOrderAndNyquistGainIsOne)
{
    const float fs = 48000;
    for (float distanceValue : {0.0f, 0.04f, 0.5f, 1.0f})
    {
        const FilterResponses responses(fs, distanceValue, 16384);
        const double r = distanceValue * 10.0 + 0.1;
        for (int n = 1; n <= 5; ++n)
        {
            const double dc = std::pow(2 / r, n);
            EXPECT_NEAR(std::abs(responses.response(n, 0, fs)), dc, dc * 1e-9)
                << "order " << n << " at " << r << " m";
            EXPECT_NEAR(std::abs(responses.response(n, fs / 2, fs)), 1.0, 1e-9)
                << "order " << n << " at " << r << " m";
        }
    }
}

TEST(NearField, MagnitudeFollowsTheAnalogPrototypeAtTheWarpedFrequency)
{
    for (float fs : {44100.0f, 96000.0f})
    {
        for (float distanceValue : {0.0f, 0.09f, 0.39f, 1.0f})
        {
            const FilterResponses responses(fs, distanceValue, fs > 50000 ? 32768 : 16384);
            const double r = distanceValue * 10.0 + 0.1;
            for (int n = 1; n <= 5; ++n)
                for (double f : {20.0, 150.0, 1000.0, 6000.0, 18000.0})
                {
                    const double expected = prototypeMagnitude(n, r, f, fs);
                    EXPECT_NEAR(std::abs(responses.response(n, f, fs)), expected, expected * 1e-3)
                        << "order " << n << " at " << r << " m, " << f << " Hz, fs " << fs;
                }
        }
    }
}

TEST(NearField, AtTheReferenceDistanceTheFiltersPassTheSignalUnchanged)
{
    const float fs = 44100;
    const FilterResponses responses(fs, 0.19f, 4096); // r = 2.0 m within float rounding
    for (int n = 1; n <= 5; ++n)
    {
        EXPECT_NEAR(responses.channels.out[2 * n - 1][0], 1.0, 1e-7);
        for (int k = 1; k < 4096; ++k)
            ASSERT_NEAR(responses.channels.out[2 * n - 1][k], 0.0, 1e-7)
                << "order " << n << " at " << k;
    }
}
