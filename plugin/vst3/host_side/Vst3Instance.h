// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plugin/vst3/interfaces.h"

#include <cstddef>
#include <string>
#include <vector>

// The host side of a VST3 plug-in: one instance of a factory's class, driven as a host drives
// it (buses, processing with parameter points at frames, state, texts, the editor). The
// tests and sferant-host reach VST3 modules through it.

namespace sferant::vst3
{

// A parameter's new normalised value at a frame of the next block.
struct HostPoint
{
    int frame;
    int index;
    double value;
};

class Vst3Instance
{
  public:
    // The factory's class of this index, initialised; throws std::runtime_error when the
    // class cannot be made or lacks the processor or the controller.
    Vst3Instance(v3_plugin_factory** factory, int classIndex);
    ~Vst3Instance();
    Vst3Instance(const Vst3Instance&) = delete;
    Vst3Instance& operator=(const Vst3Instance&) = delete;

    std::string className() const { return name; }
    v3_result setArrangement(int inputs, int outputs);
    int channels(int direction) const;
    // Setup, activation and processing on.
    v3_result start(double sampleRate, int maxBlock, bool wide);
    void stop();
    // One block; null `inputs`/`outputs` entries are passed as they are.
    v3_result process(float** inputs, int numInputs, float** outputs, int numOutputs, int frames,
                      const std::vector<HostPoint>& points);
    v3_result process(double** inputs, int numInputs, double** outputs, int numOutputs, int frames,
                      const std::vector<HostPoint>& points);
    uint64_t silenceFlags() const { return silence; }

    int parameterCount() const;
    v3_param_info parameter(int index) const;
    std::string text(int index, double normalised) const;
    double normalised(int index) const;
    void setNormalised(int index, double value);
    // The component's state; a load reads at most `chunk` bytes per call of the stream.
    std::vector<unsigned char> saveState() const;
    v3_result loadState(const std::vector<unsigned char>& bytes, int chunk = 1 << 20);
    v3_result terminate();

    // The editor with its parent (an X11 window, an HWND); the timers and the descriptors'
    // handlers the view registered with the host's run loop run at each idle.
    // A `scale` above 0 is given to the view before it is attached, as the content scale.
    bool openEditor(void* parent, float scale = 0);
    void idleEditor();
    void closeEditor();
    v3_view_rect editorSize() const;
    // The view's content scale: V3_NO_INTERFACE when it has none, its answer otherwise.
    v3_result setEditorScale(float factor);
    // The window sizes the view asked for (the host grants each and tells the view with on_size).
    std::vector<v3_view_rect> resizes;
    // How many descriptors the view asked the host's run loop to watch.
    int watchedDescriptors() const;
    // The editor's gestures as the component handler heard them: "begin 0", "perform 0 0.5".
    std::vector<std::string> edits;

    // The objects the host lends the plug-in (Vst3Instance.cpp).
    struct Host;

  private:
    template <class Sample>
    v3_result run(Sample** inputs, int numInputs, Sample** outputs, int numOutputs, int frames,
                  const std::vector<HostPoint>& points, int32_t sampleSize);

    std::string name;
    v3_component** component = nullptr;
    v3_audio_processor** processor = nullptr;
    v3_edit_controller** controller = nullptr;
    v3_plugin_view** view = nullptr;
    Host* host;
    bool processing = false;
    uint64_t silence = 0;
};

} // namespace sferant::vst3
