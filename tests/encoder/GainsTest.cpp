// SPDX-License-Identifier: GPL-3.0-or-later
// Encoding gains against spherical harmonics from closed forms.
#include "CoreEncoder.h"
#include "SphericalHarmonics.h"

#include "core/gains.h"
#include "core/weights.h"

#include <gtest/gtest.h>

using namespace sferant_test;

namespace
{

constexpr float kElevations[] = {0.0f, 0.2f, 0.5f, 0.77f, 1.0f};
constexpr double kAzimuths[] = {-2.5, 0.0, 0.7, kPi8 / 2, 3.0};
constexpr float kWeights[] = {0.0f, 0.25f, 0.5f, 0.75f}; // SN2D, N2D, SN3D, N3D
constexpr double kClose = 1e-12;

float orderValue(int order)
{
    return (order - 1) / 4.0f;
}

// Gain entry of the cosine (or, sine = true, sine) term of (n, m) in 3D.
int sphereEntry(int n, int m, bool sine)
{
    return m == 0 ? n * n : n * n + 2 * m - (sine ? 0 : 1);
}

struct Letter
{
    const char* name;
    int n, m;
    bool sine;
};

// The Furse-Malham sequence of the first 16 outputs.
constexpr Letter kLetters[] = {
    {"W", 0, 0, false}, {"X", 1, 1, false}, {"Y", 1, 1, true},  {"Z", 1, 0, false},
    {"R", 2, 0, false}, {"S", 2, 1, false}, {"T", 2, 1, true},  {"U", 2, 2, false},
    {"V", 2, 2, true},  {"K", 3, 0, false}, {"L", 3, 1, false}, {"M", 3, 1, true},
    {"N", 3, 2, false}, {"O", 3, 2, true},  {"P", 3, 3, false}, {"Q", 3, 3, true},
};

// The gains, Legendre values and weights the core computes from the parameters' values.
class Gains : public ::testing::Test
{
  protected:
    Gains()
    {
        for (int i = 0; i < sferant::kNumParams; ++i)
            values[i] = sferant::kParameters[i].defaultValue;
    }

    void setup(float elevation, float weight, int order, bool horizontal = false)
    {
        values[sferant::kElevation] = elevation;
        values[sferant::kWeight] = weight;
        values[sferant::kOrder] = orderValue(order);
        values[sferant::kOutput] = horizontal ? 1.0f : 0.0f;
    }

    double elevation() const
    {
        return sferant::processingValue(sferant::kElevation, values[sferant::kElevation]);
    }
    int weightChoice() const
    {
        return sferant::choiceOf(sferant::kWeight, values[sferant::kWeight]);
    }
    double legendre(int n, int m) const { return sferant::legendreValue(elevation(), n, m); }
    double weight(int n, int m) const { return sferant::normalisationWeight(weightChoice(), n, m); }
    sferant::GainVector gains(double azimuth) const
    {
        const sferant::GainSettings settings{
            sferant::ambisonicOrder(values[sferant::kOrder]), weightChoice(),
            sferant::choiceOf(sferant::kOutput, values[sferant::kOutput]), elevation()};
        return sferant::encodingGains(settings, azimuth);
    }

    float values[sferant::kNumParams];
};

} // namespace

TEST_F(Gains, LegendreValuesMatchTheClosedForms)
{
    for (float e : kElevations)
    {
        values[sferant::kElevation] = e;
        const double x = std::sin(elevationOf(e)), c = std::cos(elevationOf(e));
        for (int n = 0; n <= 5; ++n)
            for (int m = 0; m <= n; ++m)
                EXPECT_NEAR(legendre(n, m), legendreClosedForm(n, m, x, c), kClose * 1000)
                    << "P(" << n << "," << m << ") at " << e;
    }
}

TEST_F(Gains, EveryComponentToOrderFiveIsItsSphericalHarmonic)
{
    for (int normalisation = 0; normalisation < 4; ++normalisation)
        for (float e : kElevations)
            for (double azimuth : kAzimuths)
            {
                setup(e, kWeights[normalisation], 5);
                const sferant::GainVector g = gains(azimuth);
                for (int n = 0; n <= 5; ++n)
                    for (int m = 0; m <= n; ++m)
                        for (bool sine : {false, true})
                        {
                            if (m == 0 && sine) continue;
                            const double expected =
                                harmonic(normalisation, n, m, sine, elevationOf(e), azimuth);
                            EXPECT_NEAR(g[sphereEntry(n, m, sine)], expected, kClose * 100)
                                << "normalisation " << normalisation << " (" << n << "," << m << ","
                                << (sine ? "sin" : "cos") << ") elevation " << e << " azimuth "
                                << azimuth;
                        }
            }
}

TEST_F(Gains, EntriesAboveTheOrderAreExactlyZero)
{
    for (int order = 1; order <= 5; ++order)
        for (bool horizontal : {false, true})
        {
            setup(0.3f, 0.75f, order, horizontal);
            const sferant::GainVector g = gains(0.4);
            const int used = horizontal ? 2 * order + 1 : (order + 1) * (order + 1);
            for (int k = used; k < 36; ++k)
                EXPECT_EQ(g[k], 0.0) << "order " << order << " entry " << k;
            EXPECT_NE(g[used - 1], 0.0) << "order " << order << " highest entry";
        }
}

TEST_F(Gains, MaxNormalisedComponentsPeakAtOneAndOrdersFourAndFiveAreSilent)
{
    double peak[36] = {};
    for (int step = 0; step <= 1800; ++step)
    {
        setup(step / 1800.0f, 1.0f, 5);
        const sferant::GainVector g = gains(0.0); // cosine terms at their peak
        for (int k = 0; k < 36; ++k)
            peak[k] = std::max(peak[k], std::fabs(g[k]));
    }
    EXPECT_NEAR(peak[0], std::sqrt(0.5), 1e-12);
    for (int n = 1; n <= 3; ++n)
        for (int m = 0; m <= n; ++m)
            EXPECT_NEAR(peak[sphereEntry(n, m, false)], 1.0, 1e-5) << "(" << n << "," << m << ")";
    for (int k = 16; k < 36; ++k)
        EXPECT_EQ(peak[k], 0.0) << "entry " << k;
}

TEST_F(Gains, WorkedWeights)
{
    const struct
    {
        float weight;
        int n, m;
        double value;
    } cases[] = {
        {0.0f, 3, 2, 1.0},
        {0.25f, 1, 0, std::sqrt(2.0)},
        {0.25f, 0, 0, 1.0},
        {0.5f, 2, 2, std::sqrt(2.0 / 24)},
        {0.5f, 4, 0, 1.0},
        {0.75f, 1, 0, std::sqrt(3.0)},
        {0.75f, 1, 1, std::sqrt(3.0)},
        {0.75f, 4, 0, 3.0},
        {1.0f, 0, 0, std::sqrt(0.5)},
        {1.0f, 1, 0, 1.0},
        {1.0f, 1, 1, 1.0},
        {1.0f, 2, 1, 2.0 / 3},
        {1.0f, 3, 3, 1.0 / 15},
        {1.0f, 4, 2, 0.0},
        {1.0f, 5, 5, 0.0},
        {0.2499f, 2, 1, 1.0},
    };
    for (const auto& c : cases)
    {
        values[sferant::kWeight] = c.weight;
        EXPECT_NEAR(weight(c.n, c.m), c.value, 1e-15)
            << "weight " << c.weight << " (" << c.n << "," << c.m << ")";
    }
}

TEST_F(Gains, HorizontalGainsAreCircularHarmonicsIndependentOfElevation)
{
    // Per-order weights of the horizontal mode: SN2D, N2D, SN3D, N3D, Fu-Ma.
    const auto weight = [](int normalisation, int n)
    {
        const double f = std::tgamma(2 * n + 1);
        const double fuMa[] = {1, 1, 1.0 / 3, 1.0 / 15, 0, 0};
        switch (normalisation)
        {
        case 0:
            return 1.0;
        case 1:
            return std::sqrt(2.0);
        case 2:
            return std::sqrt(2 / f);
        case 3:
            return std::sqrt(2 * (2 * n + 1) / f);
        default:
            return fuMa[n];
        }
    };
    for (int normalisation = 0; normalisation < 5; ++normalisation)
        for (float e : {0.0f, 0.5f, 0.9f})
            for (double azimuth : kAzimuths)
            {
                setup(e, normalisation / 4.0f, 5, true);
                const sferant::GainVector g = gains(azimuth);
                EXPECT_NEAR(g[0], normalisation == 4 ? std::sqrt(0.5) : 1.0, kClose);
                for (int n = 1; n <= 5; ++n)
                {
                    EXPECT_NEAR(g[2 * n - 1], weight(normalisation, n) * std::cos(n * azimuth),
                                kClose);
                    EXPECT_NEAR(g[2 * n], weight(normalisation, n) * std::sin(n * azimuth), kClose);
                }
            }
}

TEST_F(Gains, SpecialDirections)
{
    setup(0.5f, 0.5f, 5); // horizon, SN3D
    sferant::GainVector g = gains(kPi8 / 2);
    EXPECT_NEAR(g[sphereEntry(1, 1, false)], 0.0, 1e-8) << "X of a source on the left";
    EXPECT_NEAR(g[sphereEntry(1, 1, true)], 1.0, 1e-12) << "Y of a source on the left";
    EXPECT_EQ(g[sphereEntry(1, 0, false)], 0.0) << "Z on the horizon";
    EXPECT_EQ(g[9], 0.0) << "(3,0) on the horizon";
    EXPECT_EQ(g[25], 0.0) << "(5,0) on the horizon";
    EXPECT_DOUBLE_EQ(g[4], -0.5) << "(2,0) on the horizon";

    setup(1.0f, 0.75f, 5); // straight up, N3D: cos(elevation) is tiny but not zero
    g = gains(0.3);
    EXPECT_NEAR(g[sphereEntry(1, 0, false)], std::sqrt(3.0), 1e-12) << "Z straight up";
    EXPECT_NE(g[sphereEntry(1, 1, false)], 0.0) << "X straight up";
    EXPECT_LT(std::fabs(g[sphereEntry(1, 1, false)]), 1e-8) << "X straight up";
}

TEST(ChannelOrder, OutputsFollowTheFurseMalhamSequence)
{
    const float elevation = 0.62f;
    const float azimuthValue = 0.37f;
    const double azimuth = (0.5 - azimuthValue) * 2 * kPi8;
    CoreEncoder effect;
    effect.set(sferant::kAzimuth, azimuthValue);
    effect.set(sferant::kElevation, elevation);
    effect.set(sferant::kOrder, 0.5f);  // third order
    effect.set(sferant::kWeight, 0.5f); // SN3D
    Channels<double> channels(1);
    channels.in[0][0] = 1.0;
    effect.process(channels.inputs, channels.outputs, 1);
    for (int c = 0; c < 16; ++c)
    {
        const Letter& l = kLetters[c];
        EXPECT_NEAR(channels.out[c][0],
                    harmonic(2, l.n, l.m, l.sine, elevationOf(elevation), azimuth), 1e-12)
            << "output " << c << " (" << l.name << ")";
    }
    for (int c = 16; c < 36; ++c)
        EXPECT_EQ(channels.out[c][0], 0.0) << "output " << c;
}

TEST(ChannelOrder, HorizontalOutputsPairCosineAndSinePerOrder)
{
    const float azimuthValue = 0.29f;
    const double azimuth = (0.5 - azimuthValue) * 2 * kPi8;
    CoreEncoder effect;
    effect.set(sferant::kAzimuth, azimuthValue);
    effect.set(sferant::kOrder, 1.0f);  // fifth order
    effect.set(sferant::kOutput, 1.0f); // 2D
    Channels<double> channels(1, 7.0);
    channels.in[0][0] = 1.0;
    effect.process(channels.inputs, channels.outputs, 1);
    EXPECT_NEAR(channels.out[0][0], 1.0, 1e-12);
    for (int n = 1; n <= 5; ++n)
    {
        EXPECT_NEAR(channels.out[2 * n - 1][0], std::cos(n * azimuth), 1e-12) << "order " << n;
        EXPECT_NEAR(channels.out[2 * n][0], std::sin(n * azimuth), 1e-12) << "order " << n;
    }
}
