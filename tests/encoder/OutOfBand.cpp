// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutOfBand.h"

#include <cmath>
#include <complex>

namespace sferant_test
{

namespace
{

constexpr double kKaiserBeta = 16;

using Complex = std::complex<double>;

double besselI0(double x)
{
    double sum = 1, term = 1;
    for (int k = 1; term > 1e-17 * sum; ++k)
    {
        term *= (x / (2 * k)) * (x / (2 * k));
        sum += term;
    }
    return sum;
}

std::vector<double> kaiserWindow(int length)
{
    std::vector<double> w(length);
    const double norm = besselI0(kKaiserBeta);
    for (int i = 0; i < length; ++i)
    {
        const double x = 2.0 * i / (length - 1) - 1;
        w[i] = besselI0(kKaiserBeta * std::sqrt(std::max(0.0, 1 - x * x))) / norm;
    }
    return w;
}

// In place, radix 2; the size is a power of two.
void fft(std::vector<Complex>& a, const std::vector<Complex>& twiddles)
{
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i)
    {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1)
        for (size_t i = 0; i < n; i += len)
            for (size_t k = 0; k < len / 2; ++k)
            {
                const Complex u = a[i + k], v = a[i + k + len / 2] * twiddles[k * (n / len)];
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
}

std::vector<Complex> twiddlesOf(size_t size)
{
    std::vector<Complex> twiddles(size / 2);
    for (size_t k = 0; k < size / 2; ++k)
        twiddles[k] =
            std::polar(1.0, -2 * M_PI * static_cast<double>(k) / static_cast<double>(size));
    return twiddles;
}

} // namespace

double outOfBandDecibels(const std::vector<std::vector<double>>& channels, int from, int length,
                         double sampleRate, double tone, double halfBand)
{
    const std::vector<double> window = kaiserWindow(length);
    size_t size = 1;
    while (size < static_cast<size_t>(length))
        size <<= 1;
    const std::vector<Complex> twiddles = twiddlesOf(size);
    double inside = 0, outside = 0;
    const auto add = [&](size_t k, double energy)
    {
        const double f = sampleRate * static_cast<double>(k) / static_cast<double>(size);
        (std::fabs(f - tone) <= halfBand ? inside : outside) += energy;
    };
    // Two channels at a time: one as the real, the other as the imaginary input of one transform.
    std::vector<Complex> z(size);
    for (size_t c = 0; c < channels.size(); c += 2)
    {
        const std::vector<double>* second = c + 1 < channels.size() ? &channels[c + 1] : nullptr;
        std::fill(z.begin(), z.end(), Complex());
        for (int i = 0; i < length; ++i)
            z[i] = Complex(channels[c][from + i], second ? (*second)[from + i] : 0.0) * window[i];
        fft(z, twiddles);
        for (size_t k = 0; k <= size / 2; ++k)
        {
            const Complex mirrored = std::conj(z[(size - k) % size]);
            add(k, std::norm((z[k] + mirrored) / 2.0));
            add(k, std::norm((z[k] - mirrored) / 2.0));
        }
    }
    return decibels(outside, inside);
}

double decibels(double a, double b)
{
    return 10 * std::log10(a / b);
}

} // namespace sferant_test
