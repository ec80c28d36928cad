// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/parameters.h"

#include <cstdint>

// The LV2 plug-in's identity and its ports by index, as its description lists them and its
// two binaries connect them. Sessions keep the URIs and the port symbols: they never change.

namespace sferant::lv2
{

constexpr const char* kPluginUri = "urn:sferant:encoder";
constexpr const char* kUiUri = "urn:sferant:encoder:ui";

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
