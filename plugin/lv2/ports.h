// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/edition.h"
#include "core/parameters.h"

#include <cstdint>

// The LV2 plug-ins' identities and their ports by index, as their description lists them and
// the two binaries connect them. Sessions keep the URIs and the port symbols: they never
// change.

namespace sferant::lv2
{

// One plug-in of the bundle: an edition of the encoder, its UI, and the file describing it.
struct Lv2Plugin
{
    const Edition& edition;
    const char* uri;
    const char* uiUri;
    const char* description;
};

constexpr int kNumPlugins = 2;
inline const Lv2Plugin kPlugins[kNumPlugins] = {
    {kSferant, "urn:sferant:encoder", "urn:sferant:encoder:ui", "sferant.ttl"},
    {kSferantAmbiX, "urn:sferant:ambix", "urn:sferant:ambix:ui", "sferant_ambix.ttl"},
};

// Audio inputs 1 and 2, the 36 audio outputs in the plug-in's channel order, then the nine
// controls in the parameter table's order, in the units a user reads.
constexpr uint32_t kFirstInputPort = 0;
constexpr uint32_t kFirstOutputPort = kFirstInputPort + kNumInputs;
constexpr uint32_t kFirstControlPort = kFirstOutputPort + kNumOutputs;
constexpr uint32_t kNumPorts = kFirstControlPort + kNumParams;

constexpr uint32_t controlPort(int parameter)
{
    return kFirstControlPort + uint32_t(parameter);
}

// The parameter a port controls; -1 for an audio port or an index past the last port.
constexpr int parameterOfPort(uint32_t port)
{
    return port >= kFirstControlPort && port < kNumPorts ? int(port - kFirstControlPort) : -1;
}

} // namespace sferant::lv2
