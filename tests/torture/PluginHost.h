// A minimal host for the torture, leak and thread tests: it loads the built
// module with dlopen, creates instances through VSTPluginMain and drives them
// only through the effect record, as a real host does.
#pragma once

#include "host/aeffect.h"

#include <vector>

namespace torture
{

constexpr int kInputs = 2;
constexpr int kOutputs = 36;

// A parent window handle for effEditOpen when there is no display: the
// editor then opens as a frame without a window of its own.
inline void* const kNoWindow = reinterpret_cast<void*>(0x1);

// A new instance from the module's entry point; null when it refuses. The
// module is loaded on first use and stays loaded, as most hosts keep it:
// unloading it would also unload the system libraries it links, and some
// of those lose their start-up allocations on every unload.
AEffect* createInstance();

// One instance: opened on construction, closed (and so destroyed) on destruction.
class Instance
{
  public:
    Instance();
    ~Instance();
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f);
    void set(VstInt32 index, float value) { record->setParameter(record, index, value); }
    float get(VstInt32 index) { return record->getParameter(record, index); }
    void setAll(const float (&values)[9]);
    // The parameter's display text.
    std::vector<char> display(VstInt32 index);

    // The host's usual start: sample rate, maximum block size, then effMainsChanged 1.
    void start(float sampleRate, int maxBlock);
    // Closes the instance now; the destructor then does nothing.
    void close();

    AEffect* const record;

  private:
    bool open = true;
};

// Two input and 36 output channels of one length with the pointer arrays a
// host passes; outputs start as a value no effect writes.
template <class Sample> struct Channels
{
    explicit Channels(int frames);
    Channels(const Channels&) = delete;
    Channels& operator=(const Channels&) = delete;

    // Runs processReplacing or processDoubleReplacing, whichever fits Sample.
    void process(AEffect* record, int frames);
    // Every output sample in the first frames is finite.
    bool outputsFinite(int frames) const;

    std::vector<std::vector<Sample>> in, out;
    Sample* inputs[kInputs];
    Sample* outputs[kOutputs];
};

// A test signal: a seeded mix of a low and a high sine with a little noise.
void fillSignal(std::vector<float>& samples, unsigned seed, long startFrame);
void fillSignal(std::vector<double>& samples, unsigned seed, long startFrame);

} // namespace torture
