// SPDX-License-Identifier: GPL-3.0-or-later
// The CLAP plug-in through its C interface: a state of any bytes, read in chunks of any size,
// then blocks of any length (beyond the activated one too) with parameter events of any id,
// time, order and value, in both precisions.
//
// Invariants: a refused state changes no value; after any events every value lies in its
// range; with sane input every output is finite; a saved state loads into a new instance
// with the same values.
#include "FuzzInput.h"
#include "FuzzTargets.h"

#include "core/parameters.h"

#include <clap/entry.h>
#include <clap/ext/params.h>
#include <clap/ext/state.h>
#include <clap/plugin-factory.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

extern "C" const clap_plugin_entry_t clap_entry;

namespace fuzz
{

namespace
{

constexpr int kMaxBlock = 3000;

const clap_host_t kHost = {CLAP_VERSION,
                           nullptr,
                           "fuzz",
                           "",
                           "",
                           "1",
                           [](const clap_host_t*, const char*) -> const void* { return nullptr; },
                           [](const clap_host_t*) {},
                           [](const clap_host_t*) {},
                           [](const clap_host_t*) {}};

const clap_plugin_factory_t& factory()
{
    return *static_cast<const clap_plugin_factory_t*>(
        clap_entry.get_factory(CLAP_PLUGIN_FACTORY_ID));
}

struct Instance
{
    explicit Instance(uint8_t edition)
        : plugin(factory().create_plugin(
              &factory(), &kHost, factory().get_plugin_descriptor(&factory(), edition % 2)->id))
    {
        check(plugin && plugin->init(plugin), "an instance starts");
        params = static_cast<const clap_plugin_params_t*>(
            plugin->get_extension(plugin, CLAP_EXT_PARAMS));
        state =
            static_cast<const clap_plugin_state_t*>(plugin->get_extension(plugin, CLAP_EXT_STATE));
    }

    std::vector<double> values() const
    {
        std::vector<double> all(sferant::kNumParams);
        for (int i = 0; i < sferant::kNumParams; ++i)
            params->get_value(plugin, i, &all[i]);
        return all;
    }

    const clap_plugin_t* plugin;
    const clap_plugin_params_t* params;
    const clap_plugin_state_t* state;
};

// A stream over bytes that gives at most `chunk` a read.
struct Reader
{
    const uint8_t* data;
    size_t size, chunk;
};

bool load(const Instance& instance, const uint8_t* data, size_t size, size_t chunk)
{
    Reader reader{data, size, chunk};
    const clap_istream_t stream{&reader, [](const clap_istream_t* s, void* buffer, uint64_t size)
                                {
                                    Reader& r = *static_cast<Reader*>(s->ctx);
                                    const size_t n = std::min<size_t>({size, r.chunk, r.size});
                                    std::memcpy(buffer, r.data, n);
                                    r.data += n;
                                    r.size -= n;
                                    return static_cast<int64_t>(n);
                                }};
    return instance.state->load(instance.plugin, &stream);
}

std::string save(const Instance& instance)
{
    std::string data;
    const clap_ostream_t stream{
        &data, [](const clap_ostream_t* s, const void* buffer, uint64_t size)
        {
            static_cast<std::string*>(s->ctx)->append(static_cast<const char*>(buffer), size);
            return static_cast<int64_t>(size);
        }};
    check(instance.state->save(instance.plugin, &stream), "the state saves");
    return data;
}

double anyNumber(FuzzInput& in)
{
    constexpr double kNotable[] = {0,    1,   -1,  90,   180,  -180, 190, 1e300, 0.1, 10.1, 5,
                                   1e-9, 360, 4.5, -0.0, 1000, 2.5,  3,   20,    -20, 0.5};
    constexpr int kCount = sizeof kNotable / sizeof kNotable[0];
    const uint8_t choice = in.byte();
    if (choice < kCount) return kNotable[choice];
    if (choice == 0xF0) return std::numeric_limits<double>::quiet_NaN();
    if (choice == 0xF1) return std::numeric_limits<double>::infinity();
    if (choice >= 0xF2) return in.raw<double>();
    return (choice - 100) * 2.5;
}

// The events of one block, in the host's list.
class EventList
{
  public:
    explicit EventList(FuzzInput& in)
    {
        const int count = in.byte() % 12;
        for (int i = 0; i < count; ++i)
        {
            clap_event_param_value_t event{};
            const uint8_t kind = in.byte();
            event.header.size = kind & 0x80 ? 8 : sizeof event; // sometimes too short
            event.header.time = in.raw<uint16_t>() % (kMaxBlock + 100);
            event.header.space_id = kind & 0x40 ? 3 : CLAP_CORE_EVENT_SPACE_ID;
            event.header.type = kind % 9; // value, modulation, gestures, notes
            event.param_id = in.byte() % 12;
            event.value = anyNumber(in);
            events.push_back(event);
        }
    }
    const clap_input_events_t* list() const { return &input; }

  private:
    std::vector<clap_event_param_value_t> events;
    const clap_input_events_t input{
        this,
        [](const clap_input_events_t* l)
        { return uint32_t(static_cast<const EventList*>(l->ctx)->events.size()); },
        [](const clap_input_events_t* l, uint32_t i) -> const clap_event_header_t*
        { return &static_cast<const EventList*>(l->ctx)->events.at(i).header; }};
};

void setChannels(clap_audio_buffer_t& buffer, float** channels)
{
    buffer.data32 = channels;
}

void setChannels(clap_audio_buffer_t& buffer, double** channels)
{
    buffer.data64 = channels;
}

template <class Sample> void processBlock(const Instance& instance, FuzzInput& in)
{
    const uint32_t frames = in.raw<uint16_t>() % kMaxBlock;
    std::vector<std::vector<Sample>> channels(2 + sferant::kNumOutputs,
                                              std::vector<Sample>(frames + 1));
    std::vector<Sample*> pointers;
    for (auto& channel : channels)
        pointers.push_back(channel.data());
    for (uint32_t i = 0; i < frames; ++i)
        channels[0][i] = channels[1][i] = static_cast<Sample>(std::sin(i * 0.05));
    clap_audio_buffer_t buffers[2] = {};
    setChannels(buffers[0], pointers.data());
    setChannels(buffers[1], pointers.data() + 2);
    buffers[0].channel_count = 1 + in.byte() % 2;
    buffers[1].channel_count = sferant::kNumOutputs;
    const EventList events(in);
    const clap_process_t process{-1, frames, nullptr,       &buffers[0], &buffers[1],
                                 1,  1,      events.list(), nullptr};
    check(instance.plugin->process(instance.plugin, &process) == CLAP_PROCESS_CONTINUE,
          "a block is processed");
    for (size_t c = 2; c < channels.size(); ++c)
        for (uint32_t i = 0; i < frames; ++i)
            check(std::isfinite(channels[c][i]), "outputs are finite");
    const std::vector<double> values = instance.values();
    for (int i = 0; i < sferant::kNumParams; ++i)
        check(values[i] >= sferant::kParameters[i].minimum &&
                  values[i] <= sferant::kParameters[i].maximum,
              "values stay in their ranges");
}

} // namespace

void clapTarget(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    Instance instance(in.byte());
    const std::vector<double> before = instance.values();
    const uint8_t* state = nullptr;
    const size_t stateSize = in.rest(&state, in.byte());
    if (!load(instance, state, stateSize, 1 + in.byte() % 8))
        check(instance.values() == before, "a refused state changes nothing");
    check(instance.plugin->activate(instance.plugin, 48000, 1, 1 + in.raw<uint16_t>() % 2048),
          "the instance activates");
    while (!in.empty())
    {
        if (in.byte() % 2)
            processBlock<float>(instance, in);
        else
            processBlock<double>(instance, in);
    }
    const std::string saved = save(instance);
    Instance copy(0);
    check(load(copy, reinterpret_cast<const uint8_t*>(saved.data()), saved.size(), 3) &&
              copy.values() == instance.values(),
          "a saved state loads with its values");
    copy.plugin->destroy(copy.plugin);
    if (size % 2) instance.plugin->deactivate(instance.plugin); // else destroyed while active
    instance.plugin->destroy(instance.plugin);
}

} // namespace fuzz
