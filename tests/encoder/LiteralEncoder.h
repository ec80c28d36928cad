// SPDX-License-Identifier: GPL-3.0-or-later
// The encoding algorithm transcribed step by step, per sample, with nothing
// hoisted, cached or reordered. Slow; the tests hold the effect's audio path
// to it.
#pragma once

#include <array>

namespace sferant_test
{

class LiteralEncoder
{
  public:
    // Parameters in index order, normalised.
    float fAzimuth = 0.5f, fElevation = 0.5f, fNFC = 0, fDistance = 1, fWidth = 0, fOrder = 0,
          fWeight = 0, fInput = 0, fOutput = 0;
    double sampleRate = 44100;

    double orderSignalL[5] = {}, nfcStateL[26] = {}, orderSignalR[5] = {}, nfcStateR[26] = {};

    // Writes outputs 0 to 35 in 3D and 0 to 10 in 2D.
    void process(float** inputs, float** outputs, int sampleFrames);
    void process(double** inputs, double** outputs, int sampleFrames);

    std::array<double, 36> ambiChannels(double azimuth);
    double weightCalculation(int n, int m);
    double legendre(int n, int m);
    void firstOrderFilterCoeffs(double distance, int n, double* out);
    void secondOrderFilterCoeffs(double distance, int n, int k, double* out);

  private:
    template <class Sample> void run(Sample** inputs, Sample** outputs, int sampleFrames);
    // A filter that did not run in the previous block starts from silence.
    void startFilters(int nfc, int order);

    int runningOrder = 0; // the orders whose filters ran in the previous block; 0 for none
};

} // namespace sferant_test
