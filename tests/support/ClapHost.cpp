// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClapHost.h"

#include "LoadedModule.h"

#include <clap/ext/thread-check.h>
#include <clap/ext/timer-support.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace sferant_test
{

namespace
{

TestHost& testHost(const clap_host_t* host)
{
    return *static_cast<TestHost*>(host->host_data);
}

const clap_host_thread_check_t kThreadCheck = {
    [](const clap_host_t* h) { return !testHost(h).onAudioThread; },
    [](const clap_host_t* h) { return testHost(h).onAudioThread; },
};

const clap_host_params_t kParams = {
    [](const clap_host_t* h, clap_param_rescan_flags) { ++testHost(h).rescans; },
    [](const clap_host_t*, clap_id, clap_param_clear_flags) {},
    [](const clap_host_t* h) { ++testHost(h).flushRequests; },
};

const clap_host_timer_support_t kTimers = {
    [](const clap_host_t* h, uint32_t, clap_id* id)
    {
        auto& timers = testHost(h).timers;
        *id = clap_id(timers.size() + 7);
        timers.push_back(*id);
        return true;
    },
    [](const clap_host_t* h, clap_id id)
    {
        auto& timers = testHost(h).timers;
        const auto at = std::find(timers.begin(), timers.end(), id);
        if (at == timers.end()) return false;
        timers.erase(at);
        return true;
    },
};

// Records what the plug-in sends.
bool record(const clap_output_events_t* list, const clap_event_header_t* event)
{
    auto& sent = static_cast<TestHost*>(list->ctx)->sent;
    if (event->type == CLAP_EVENT_PARAM_VALUE)
    {
        const auto* value = reinterpret_cast<const clap_event_param_value_t*>(event);
        sent.push_back({event->type, value->param_id, value->value});
    }
    else if (event->type == CLAP_EVENT_PARAM_GESTURE_BEGIN ||
             event->type == CLAP_EVENT_PARAM_GESTURE_END)
        sent.push_back(
            {event->type, reinterpret_cast<const clap_event_param_gesture_t*>(event)->param_id, 0});
    return true;
}

const clap_host_ambisonic_t kAmbisonic = {
    [](const clap_host_t* h) { ++testHost(h).ambisonicChanges; },
};

const void* hostExtension(const clap_host_t*, const char* id)
{
    if (!std::strcmp(id, CLAP_EXT_THREAD_CHECK)) return &kThreadCheck;
    if (!std::strcmp(id, CLAP_EXT_PARAMS)) return &kParams;
    if (!std::strcmp(id, CLAP_EXT_AMBISONIC)) return &kAmbisonic;
    if (!std::strcmp(id, CLAP_EXT_TIMER_SUPPORT)) return &kTimers;
    return nullptr;
}

// A stream over a string that gives at most `chunk` bytes a read.
struct Reader
{
    const std::string& data;
    size_t at, chunk;
};

} // namespace

const clap_plugin_factory_t& clapFactory()
{
    static LoadedModule module(SFERANT_CLAP_PATH);
    static const clap_plugin_factory_t* factory = []
    {
        const auto* entry = module.symbol<const clap_plugin_entry_t*>("clap_entry");
        if (!entry || !entry->init(SFERANT_CLAP_PATH))
        {
            std::fprintf(stderr, "cannot load %s: %s\n", SFERANT_CLAP_PATH, module.error().c_str());
            std::abort();
        }
        return static_cast<const clap_plugin_factory_t*>(
            entry->get_factory(CLAP_PLUGIN_FACTORY_ID));
    }();
    return *factory;
}

TestHost::TestHost()
    : host{CLAP_VERSION,
           this,
           "sferant tests",
           "",
           "",
           "1",
           hostExtension,
           [](const clap_host_t* h) { ++testHost(h).restartRequests; },
           [](const clap_host_t*) {},
           [](const clap_host_t*) {}}
{
}

Events& Events::value(uint32_t time, clap_id id, double value)
{
    all.add(time, id, value);
    return *this;
}

Events& Events::modulation(uint32_t time, clap_id id, double amount)
{
    all.add(time, id, amount, CLAP_EVENT_PARAM_MOD);
    return *this;
}

ClapInstance::ClapInstance(const char* id)
    : plugin(clapFactory().create_plugin(&clapFactory(), &host.host, id))
{
    if (!plugin || !plugin->init(plugin)) std::abort();
    params = extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
}

ClapInstance::~ClapInstance()
{
    destroy();
}

void ClapInstance::destroy()
{
    if (plugin) plugin->destroy(plugin);
    plugin = nullptr;
}

bool ClapInstance::activate(double rate, uint32_t maxFrames)
{
    return plugin->activate(plugin, rate, 1, maxFrames) && plugin->start_processing(plugin);
}

void ClapInstance::deactivate()
{
    plugin->deactivate(plugin);
}

// The buffer's channel pointers of this sample type.
template <class Sample> Sample**& channelsOf(clap_audio_buffer_t& buffer);
template <> float**& channelsOf(clap_audio_buffer_t& buffer)
{
    return buffer.data32;
}
template <> double**& channelsOf(clap_audio_buffer_t& buffer)
{
    return buffer.data64;
}

template <class Sample>
clap_process_status ClapInstance::process(Sample* const* inputs, Sample* const* outputs,
                                          uint32_t frames, const Events& events)
{
    clap_audio_buffer_t in{}, out{};
    channelsOf<Sample>(in) = const_cast<Sample**>(inputs);
    channelsOf<Sample>(out) = const_cast<Sample**>(outputs);
    in.channel_count = 2;
    out.channel_count = 36;
    const clap_output_events_t sent{&host, record};
    const clap_process_t process{-1, frames, nullptr, &in, &out, 1, 1, events.list(), &sent};
    host.onAudioThread = true;
    const clap_process_status status = plugin->process(plugin, &process);
    host.onAudioThread = false;
    return status;
}

template clap_process_status ClapInstance::process(float* const*, float* const*, uint32_t,
                                                   const Events&);
template clap_process_status ClapInstance::process(double* const*, double* const*, uint32_t,
                                                   const Events&);

void ClapInstance::flush(const Events& events)
{
    const clap_output_events_t sent{&host, record};
    params->flush(plugin, events.list(), &sent);
}

double ClapInstance::value(clap_id id) const
{
    double value = -1;
    params->get_value(plugin, id, &value);
    return value;
}

std::string ClapInstance::save() const
{
    std::string data;
    const clap_ostream_t stream{
        &data, [](const clap_ostream_t* s, const void* buffer, uint64_t size)
        {
            static_cast<std::string*>(s->ctx)->append(static_cast<const char*>(buffer), size);
            return static_cast<int64_t>(size);
        }};
    return extension<clap_plugin_state_t>(CLAP_EXT_STATE)->save(plugin, &stream) ? data : "";
}

bool ClapInstance::load(const std::string& state, size_t chunk)
{
    Reader reader{state, 0, chunk};
    const clap_istream_t stream{
        &reader, [](const clap_istream_t* s, void* buffer, uint64_t size)
        {
            Reader& r = *static_cast<Reader*>(s->ctx);
            const size_t n = std::min<size_t>({size, r.chunk, r.data.size() - r.at});
            std::memcpy(buffer, r.data.data() + r.at, n);
            r.at += n;
            return static_cast<int64_t>(n);
        }};
    return extension<clap_plugin_state_t>(CLAP_EXT_STATE)->load(plugin, &stream);
}

} // namespace sferant_test
