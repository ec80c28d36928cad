// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/BlockProcessor.h"
#include "core/ParameterPoints.h"
#include "core/edition.h"
#include "plugin/vst3/interfaces.h"

#include <atomic>
#include <memory>
#include <vector>

// One instance of the encoder as a VST3 plug-in: a single object that is the component, its
// audio processor and its edit controller. The interfaces' tables are in tables.cpp.

namespace sferant::vst3
{

class View;

class Encoder
{
  public:
    explicit Encoder(const Edition& edition);
    ~Encoder();
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    const Edition& edition;

    // COM: the interface with this id (referenced) or V3_NO_INTERFACE.
    v3_result queryInterface(const v3_tuid iid, void** object);
    uint32_t ref() { return ++references; }
    uint32_t unref();
    void* component() { return &componentFace; }

    // Plug-in base; both may be called more than once (the component and the controller
    // are this one object).
    v3_result initialize(v3_funknown** context);
    v3_result terminate();

    // Component.
    int32_t busCount(int32_t type, int32_t direction) const;
    v3_result busInfo(int32_t type, int32_t direction, int32_t index, v3_bus_info& info) const;
    v3_result setActive(bool active);
    v3_result setState(v3_bstream** stream);
    v3_result getState(v3_bstream** stream) const;

    // Audio processor.
    v3_result setArrangements(const v3_speaker_arrangement* inputs, int32_t numInputs,
                              const v3_speaker_arrangement* outputs, int32_t numOutputs);
    v3_result arrangement(int32_t direction, int32_t index, v3_speaker_arrangement& out) const;
    v3_result setupProcessing(const v3_process_setup& setup);
    v3_result setProcessing(bool processing);
    v3_result process(v3_process_data& data);

    // Edit controller: the values the host and the editor see (normalised).
    v3_result parameterInfo(int32_t index, v3_param_info& info) const;
    double normalised(v3_param_id id) const;
    v3_result setNormalised(v3_param_id id, double value);
    v3_result setComponentHandler(v3_component_handler** handler);
    v3_plugin_view** createView(const char* name);
    // A gesture in the editor, sent to the host's component handler.
    void beginEdit(int index);
    void performEdit(int index, float value);
    void endEdit(int index);
    void viewClosed(View* view);

  private:
    // Points each interface record at its table (tables.cpp).
    void bindTables();
    template <class Sample> void run(v3_process_data& data, int frames);
    // The queues' points from frame 0 of the block on; each queue's last value is taken.
    void gatherPoints(v3_param_changes** changes, int frames);
    // The block's points within [start, end) moved to the piece's frames.
    void piecePointsFor(int start, int end);
    void setSilenceFlags(v3_process_data& data, int frames) const;
    void takeReloadedValues();

    std::atomic<uint32_t> references{1};
    Face<Encoder> componentFace, processorFace, controllerFace, requirementsFace;
    int initialized = 0;

    // The controller's values, which the host, the editor and the state see.
    std::atomic<float> automated[kNumParams];
    // Set by a state loaded while active: the audio side takes the values over.
    std::atomic<bool> reloaded{false};
    v3_component_handler** handler = nullptr;
    View* view = nullptr;

    // Buses: the channels of the input (1 or 2) and of the output (4, 9, 16 or 36).
    v3_speaker_arrangement inputArrangement, outputArrangement;
    int inputChannels = 2, outputChannels = kNumOutputs;

    // The audio side.
    double sampleRate = 48000;
    int maxFrames = 4096;
    bool active = false;
    float current[kNumParams];
    ParameterPoints blockPoints, piecePoints;
    std::unique_ptr<BlockProcessor> processor;
    // Outputs the host's buses do not have: written, never read.
    std::vector<float> spare32;
    std::vector<double> spare64;
};

} // namespace sferant::vst3
