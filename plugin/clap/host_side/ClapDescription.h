// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <vector>

#include <clap/ext/audio-ports.h>
#include <clap/ext/params.h>
#include <clap/plugin-factory.h>

// A plug-in's audio ports as the host feeds them: each port's buffer takes its share of the
// host's flat channel pointers, inputs and outputs in port order.
class ClapPorts
{
  public:
    std::vector<clap_audio_port_info_t> in, out;

    int channels(bool isInput) const;
    bool all64Bits() const;
    template <class Sample> void point(Sample** inputs, Sample** outputs)
    {
        point(fIn, in, inputs);
        point(fOut, out, outputs);
    }
    const clap_audio_buffer_t* inputs() const { return fIn.data(); }
    clap_audio_buffer_t* outputs() { return fOut.data(); }
    uint32_t inputCount() const { return static_cast<uint32_t>(fIn.size()); }
    uint32_t outputCount() const { return static_cast<uint32_t>(fOut.size()); }

  private:
    template <class Sample>
    static void point(std::vector<clap_audio_buffer_t>& buffers,
                      const std::vector<clap_audio_port_info_t>& ports, Sample** channels)
    {
        buffers.resize(ports.size());
        for (size_t p = 0, first = 0; p < ports.size(); first += ports[p++].channel_count)
        {
            buffers[p] = {};
            buffers[p].channel_count = ports[p].channel_count;
            if constexpr (sizeof(Sample) == sizeof(double))
                buffers[p].data64 = channels + first;
            else
                buffers[p].data32 = channels + first;
        }
    }

    std::vector<clap_audio_buffer_t> fIn, fOut;
};

ClapPorts readPorts(const clap_plugin_t* plugin);
std::vector<clap_param_info_t> readParameters(const clap_plugin_t* plugin,
                                              const clap_plugin_params_t* params);

// The factory's descriptors (the first is the one loaded), the ports and the parameters'
// ids, ranges and flags, one line each, for `sferant-host info`.
void describeClap(const clap_plugin_factory_t& factory, const ClapPorts& ports,
                  const std::vector<clap_param_info_t>& parameters, FILE* out);
