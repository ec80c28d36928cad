// SPDX-License-Identifier: GPL-3.0-or-later
#include "plugin/clap/host_side/ClapDescription.h"

#include <string>

namespace
{

std::vector<clap_audio_port_info_t> portsOf(const clap_plugin_t* plugin,
                                            const clap_plugin_audio_ports_t* ports, bool isInput)
{
    std::vector<clap_audio_port_info_t> infos;
    const uint32_t count = ports ? ports->count(plugin, isInput) : 0;
    for (uint32_t i = 0; i < count; ++i)
    {
        clap_audio_port_info_t info{};
        if (ports->get(plugin, i, isInput, &info)) infos.push_back(info);
    }
    return infos;
}

std::string features(const clap_plugin_descriptor_t& d)
{
    std::string list;
    for (const char* const* f = d.features; f && *f; ++f)
        list += (list.empty() ? "" : " ") + std::string(*f);
    return list;
}

void describePorts(const char* what, const std::vector<clap_audio_port_info_t>& ports, FILE* out)
{
    for (const clap_audio_port_info_t& p : ports)
        std::fprintf(out, "%-13s %u \"%s\" %u channels, type %s%s%s\n", what, p.id, p.name,
                     p.channel_count, p.port_type ? p.port_type : "(none)",
                     (p.flags & CLAP_AUDIO_PORT_IS_MAIN) ? ", main" : "",
                     (p.flags & CLAP_AUDIO_PORT_SUPPORTS_64BITS) ? ", 64-bit" : "");
}

std::string flagNames(clap_param_info_flags flags)
{
    std::string names;
    const auto add = [&](clap_param_info_flags bit, const char* name)
    {
        if (flags & bit) names += (names.empty() ? "" : " ") + std::string(name);
    };
    add(CLAP_PARAM_IS_STEPPED, "stepped");
    add(CLAP_PARAM_IS_PERIODIC, "periodic");
    add(CLAP_PARAM_IS_AUTOMATABLE, "automatable");
    add(CLAP_PARAM_IS_MODULATABLE, "modulatable");
    return names;
}

} // namespace

int ClapPorts::channels(bool isInput) const
{
    int total = 0;
    for (const clap_audio_port_info_t& p : isInput ? in : out)
        total += static_cast<int>(p.channel_count);
    return total;
}

bool ClapPorts::all64Bits() const
{
    for (const auto* list : {&in, &out})
        for (const clap_audio_port_info_t& p : *list)
            if (!(p.flags & CLAP_AUDIO_PORT_SUPPORTS_64BITS)) return false;
    return true;
}

ClapPorts readPorts(const clap_plugin_t* plugin)
{
    const auto* ports = static_cast<const clap_plugin_audio_ports_t*>(
        plugin->get_extension(plugin, CLAP_EXT_AUDIO_PORTS));
    ClapPorts result;
    result.in = portsOf(plugin, ports, true);
    result.out = portsOf(plugin, ports, false);
    return result;
}

std::vector<clap_param_info_t> readParameters(const clap_plugin_t* plugin,
                                              const clap_plugin_params_t* params)
{
    std::vector<clap_param_info_t> infos;
    const uint32_t count = params ? params->count(plugin) : 0;
    for (uint32_t i = 0; i < count; ++i)
    {
        clap_param_info_t info{};
        if (params->get_info(plugin, i, &info)) infos.push_back(info);
    }
    return infos;
}

void describeClap(const clap_plugin_factory_t& factory, const ClapPorts& ports,
                  const std::vector<clap_param_info_t>& parameters, FILE* out)
{
    const uint32_t count = factory.get_plugin_count(&factory);
    for (uint32_t i = 0; i < count; ++i)
    {
        const clap_plugin_descriptor_t* d = factory.get_plugin_descriptor(&factory, i);
        if (!d) continue;
        std::fprintf(out, "plugin %u %-9s \"%s\" id %s, version %s, vendor \"%s\"\n", i,
                     i == 0 ? "(loaded)" : "", d->name, d->id, d->version ? d->version : "",
                     d->vendor ? d->vendor : "");
        std::fprintf(out, "features      %s\n", features(*d).c_str());
    }
    describePorts("input port", ports.in, out);
    describePorts("output port", ports.out, out);
    for (const clap_param_info_t& p : parameters)
        std::fprintf(out, "param %-7u \"%s\" %g..%g default %g, %s\n", p.id, p.name, p.min_value,
                     p.max_value, p.default_value, flagNames(p.flags).c_str());
}
