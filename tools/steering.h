// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "tools/sound_field.h"

// Listening into one direction of a sound field: the mix of the file's channels that a decoder
// would feed a loudspeaker there. Each channel is first brought to an orthonormal basis (N3D on
// the sphere, the circular N2D in 2D) with the encoder's own weights, then weighted per order
// for maximum energy concentration (max-rE), so that a point source reads as one spot without
// rings of side lobes.
class Steering
{
  public:
    explicit Steering(const SoundField& field);

    // The file channels that carry a component; silent ones, and those whose weight is 0
    // (Fu-Ma above third order), are left out of everything below.
    const std::vector<int>& channels() const { return fChannels; }
    // The highest order among them.
    int order() const { return fOrder; }
    bool horizontal() const { return fHorizontal; }

    // Each used channel's gain towards (azimuth, elevation), in radians (azimuth positive to
    // the left, elevation positive up), is rowFactor(elevation) times columnFactor(azimuth);
    // in 2D the row factors do not depend on the elevation.
    std::vector<double> rowFactors(double elevation) const;
    std::vector<double> columnFactors(double azimuth) const;

  private:
    std::vector<int> fChannels;
    std::vector<Component> fComponents;
    std::vector<double> fScales; // the per-order weight times the conversion to the basis
    int fOrder = 0;
    bool fHorizontal;
};

// Associated Legendre value P_n^m(x), 0 <= m <= n, without the Condon-Shortley phase.
double associatedLegendre(int n, int m, double x);
