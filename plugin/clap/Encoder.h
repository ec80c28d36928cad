// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/BlockProcessor.h"
#include "core/Modulation.h"
#include "core/ParameterPoints.h"
#include "core/edition.h"
#include "plugin/clap/ambisonic.h"
#include "plugin/clap/gui.h"

#include <clap/events.h>
#include <clap/ext/params.h>
#include <clap/ext/thread-check.h>
#include <clap/plugin.h>
#include <clap/process.h>
#include <clap/stream.h>

#include <atomic>
#include <memory>

// One instance of the encoder as a CLAP plug-in: the block processor behind the host's
// process calls, its parameters in the units a user reads, its state and its Ambisonic
// declaration. The C tables that reach it are in extensions.cpp and entry.cpp.

namespace sferant::clap
{

// An Ambisonic port's configuration as this instance would declare it; `valid` is false
// when its weight matches no CLAP normalisation (or no port is Ambisonic).
struct AmbisonicAnswer
{
    bool valid;
    clap_ambisonic_config_t config;

    bool operator!=(const AmbisonicAnswer& other) const;
};

class Encoder
{
  public:
    // The record the host reaches the instance by: `operations` with the descriptor and
    // this instance.
    Encoder(const Edition& edition, const clap_plugin_t& operations,
            const clap_plugin_descriptor_t* descriptor, const clap_host_t* host);
    ~Encoder();
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    static Encoder& of(const clap_plugin_t* plugin);
    const clap_plugin_t* plugin() const { return &record; }
    const Edition& edition;
    const clap_host_t* const host;

    // The plug-in's operations, on the threads the CLAP headers name.
    bool init();
    bool activate(double sampleRate, uint32_t maxFrames);
    void deactivate();
    void reset();
    clap_process_status process(const clap_process_t& process);
    void flush(const clap_input_events_t* events, const clap_output_events_t* out);

    // The automated value in user units, and normalised (main thread).
    double value(int index) const;
    float normalised(int index) const { return automated[index].load(std::memory_order_relaxed); }

    // An edit in the editor (main thread): applied, and sent on to the host, in the next
    // process or flush, which the host is asked for.
    void edit(const Edit& edit);
    EditorWindow* editorWindow() const { return window; }
    void setEditorWindow(EditorWindow* editorWindow) { window = editorWindow; }
    // The host's extension with this id, or null.
    const void* hostExtension(const char* id) const;

    // The nine values and a version tag; a stream that ends early or is not one of these is
    // refused and changes nothing (main thread).
    bool save(const clap_ostream_t& stream) const;
    bool load(const clap_istream_t& stream);

    // What the output port declares: the answer at activation while active.
    AmbisonicAnswer ambisonicAnswer() const;

    bool onMainThread() const;
    bool onAudioThread() const;

  private:
    template <class Sample> bool runIn(const clap_process_t& process);
    template <class Sample>
    void run(const clap_process_t& process, const Sample* const* inputs, Sample* const* outputs);
    // Where a block's events have been read to: the next one, and the latest time so far.
    struct EventCursor
    {
        const clap_input_events_t* events;
        uint32_t next, count;
        int latest;
    };
    // Points from the cursor's events for the frames start .. end - 1 of a block of `frames`;
    // a full list ends the piece earlier (end moves).
    void gatherPoints(EventCursor& cursor, int start, int& end, int frames);
    // One event at a piece's frame: its value is taken; false when no point is left for it.
    bool apply(const clap_event_header_t& event, int frame);
    void requestRestartOnNewAnswer();
    void takeReloadedValues();
    // The editor's edits: their values taken, their events sent to the host.
    void takeEdits(const clap_output_events_t* out);
    AmbisonicAnswer answerFor(float weight, float output) const;
    AmbisonicAnswer currentAnswer() const;
    void tellHostOfNewAnswer(const AmbisonicAnswer& before);
    void setValues(const float (&values)[kNumParams]);

    clap_plugin_t record;
    const clap_host_thread_check_t* threadCheck = nullptr;
    const clap_host_ambisonic_t* hostAmbisonic = nullptr;
    const clap_host_params_t* hostParams = nullptr;

    // The automated values (normalised) as the host and the state see them; written by the
    // thread that changes them.
    std::atomic<float> automated[kNumParams];
    // Set by a state loaded while active: the audio thread takes the values over.
    std::atomic<bool> reloaded{false};

    std::atomic<bool> active{false};
    int maxFrames = 0;
    AmbisonicAnswer activeAnswer{};
    std::atomic<bool> restartRequested{false};

    // The audio side: values with their modulation, the points of a block, the processor.
    ModulatedValues values;
    std::unique_ptr<ParameterPoints> points;
    std::unique_ptr<BlockProcessor> processor;

    EditQueue edits;
    EditorWindow* window = nullptr; // while the host has the editor created
};

} // namespace sferant::clap
