// SPDX-License-Identifier: GPL-3.0-or-later
// A minimal CLAP host for the tests: it loads Sferant.clap as hosts do, offers thread-check,
// params and the Ambisonic extension, and counts what the plug-in asks of it.
#pragma once

#include "plugin/clap/ambisonic.h"
#include "plugin/clap/host_side/ClapEvents.h"

#include <clap/entry.h>
#include <clap/events.h>
#include <clap/ext/audio-ports.h>
#include <clap/ext/params.h>
#include <clap/ext/state.h>
#include <clap/plugin-factory.h>
#include <clap/process.h>

#include <string>
#include <vector>

namespace sferant_test
{

// The module's factory; the module stays loaded.
const clap_plugin_factory_t& clapFactory();

// An event the plug-in sent the host: a value's id and value, a gesture's id.
struct SentEvent
{
    uint16_t type;
    clap_id id;
    double value;
};

struct TestHost
{
    TestHost();
    clap_host_t host;
    // The thread the test plays: the audio thread while it processes.
    bool onAudioThread = false;
    int restartRequests = 0, ambisonicChanges = 0, rescans = 0, flushRequests = 0;
    std::vector<clap_id> timers;
    std::vector<SentEvent> sent;
};

// Parameter events for one block.
class Events
{
  public:
    Events& value(uint32_t time, clap_id id, double value);
    Events& modulation(uint32_t time, clap_id id, double amount);
    // The list as the host hands it over (it points to this object, wherever it was copied).
    const clap_input_events_t* list() const { return all.input(); }

  private:
    ClapEventList all;
};

// One instance, created and initialised; destroyed with this object unless destroyed before.
class ClapInstance
{
  public:
    explicit ClapInstance(const char* id);
    ~ClapInstance();
    ClapInstance(const ClapInstance&) = delete;
    ClapInstance& operator=(const ClapInstance&) = delete;

    template <class Extension> const Extension* extension(const char* id) const
    {
        return static_cast<const Extension*>(plugin->get_extension(plugin, id));
    }
    bool activate(double rate, uint32_t maxFrames);
    void deactivate();
    // One block of `frames` through the 2-in, 36-out ports, in the sample type of the
    // pointers; the events at their times.
    template <class Sample>
    clap_process_status process(Sample* const* inputs, Sample* const* outputs, uint32_t frames,
                                const Events& events = Events());
    // Values without frames, as a host sets them through params.flush.
    void flush(const Events& events);
    double value(clap_id id) const;
    std::string save() const;
    // Loads from a stream that gives at most `chunk` bytes a read.
    bool load(const std::string& state, size_t chunk = 1 << 20);
    void destroy();

    TestHost host;
    const clap_plugin_t* plugin;
    const clap_plugin_params_t* params;
};

} // namespace sferant_test
