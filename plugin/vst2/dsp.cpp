// SPDX-License-Identifier: GPL-3.0-or-later
// The effect's view of the encoding maths: each operation reads the current
// parameter values and sample rate. Block processing works from one reading
// per block instead (BlockProcessor).

#include "plugin/vst2/Sferant.h"

#include "core/nearfield.h"
#include "core/weights.h"

using namespace sferant;

double Sferant::weightCalculation(int n, int m)
{
    return normalisationWeight(choiceOf(kWeight, value(kWeight)), n, m);
}

double Sferant::float2azimuth(double x)
{
    return processingValue(kAzimuth, x);
}
double Sferant::float2elevation(double x)
{
    return processingValue(kElevation, x);
}
double Sferant::float2width(double x)
{
    return processingValue(kWidth, x);
}
double Sferant::float2distance(double x)
{
    return processingValue(kDistance, x);
}

GainVector Sferant::ambiChannels(double azimuth)
{
    const GainSettings settings{ambisonicOrder(value(kOrder)), choiceOf(kWeight, value(kWeight)),
                                choiceOf(kOutput, value(kOutput)),
                                float2elevation(value(kElevation))};
    return encodingGains(settings, azimuth);
}

double Sferant::legendre(int n, int m)
{
    return legendreValue(float2elevation(value(kElevation)), n, m);
}

void Sferant::convolve(const double* a, unsigned long na, const double* b, unsigned long nb,
                       double* out)
{
    convolvePolynomials(a, na, b, nb, out);
}

double Sferant::fRootsAbs(int n, int k)
{
    return rootMagnitude(n, k);
}
double Sferant::fRootsReal(int n, int k)
{
    return rootReal(n, k);
}

void Sferant::firstOrderFilterCoeffs(double distance, int n, double* out)
{
    firstOrderCoefficients(getSampleRate(), distance, n, out);
}

void Sferant::secondOrderFilterCoeffs(double distance, int n, int k, double* out)
{
    secondOrderCoefficients(getSampleRate(), distance, n, k, out);
}
