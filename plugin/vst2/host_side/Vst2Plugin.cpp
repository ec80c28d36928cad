// SPDX-License-Identifier: GPL-3.0-or-later
// The VST 2.4 host side: a module loaded the way a DAW loads it (the entry point VSTPluginMain,
// or main, called with our host callback, then effOpen), driven through its record.
#include <vector>

#include "plugin/hosting/BlockSplitter.h"
#include "plugin/hosting/LoadedPlugin.h"
#include "plugin/hosting/SharedLibrary.h"
#include "plugin/vst2/host_side/Vst2Host.h"

namespace
{

typedef AEffect* (*EntryPoint)(audioMasterCallback);

AEffect* callEntryPoint(const SharedLibrary& library, const std::string& path)
{
    void* entry = library.symbol("VSTPluginMain");
    if (!entry) entry = library.symbol("main");
    if (!entry) throw PluginError("no entry point (VSTPluginMain or main) in " + path);
    AEffect* effect = reinterpret_cast<EntryPoint>(entry)(vst2HostCallback);
    if (!effect) throw PluginError("the entry point of " + path + " returned no effect");
    if (effect->magic != kEffectMagic)
        throw PluginError("the entry point of " + path +
                          " returned a record without the effect magic");
    return effect;
}

class Vst2Plugin : public LoadedPlugin
{
  public:
    explicit Vst2Plugin(const std::string& path)
        : fLibrary(path), fEffect(callEntryPoint(fLibrary, path))
    {
        dispatch(effOpen);
    }
    ~Vst2Plugin() override
    {
        stopProcessing();
        dispatch(effClose);
    }

    std::string name() override { return text(effGetEffectName); }
    std::string vendor() override { return text(effGetVendorString); }
    std::string product() override { return text(effGetProductString); }
    void describe(FILE* out) override;

    int parameterCount() override { return fEffect->numParams; }
    std::string parameterName(int index) override { return text(effGetParamName, index); }
    std::string parameterLabel(int index) override { return text(effGetParamLabel, index); }
    std::string parameterDisplay(int index) override { return text(effGetParamDisplay, index); }
    float getParameter(int index) override { return fEffect->getParameter(fEffect, index); }
    void setParameter(int index, float value) override
    {
        fEffect->setParameter(fEffect, index, value);
    }

    int numInputs() override { return fEffect->numInputs; }
    int numOutputs() override { return fEffect->numOutputs; }
    void startProcessing(double sampleRate, int maxBlock, bool useDouble) override;
    void process(float** in, float** out, int frames,
                 const std::vector<ParameterPoint>& changes) override;
    void process(double** in, double** out, int frames,
                 const std::vector<ParameterPoint>& changes) override;
    void stopProcessing() override;

    void requireEditor() override;
    EditorSize editorSize() override;
    bool openEditor(void* parent) override { return dispatch(effEditOpen, 0, 0, parent) != 0; }
    void idleEditor() override { dispatch(effEditIdle); }
    void closeEditor() override { dispatch(effEditClose); }

  private:
    VstIntPtr dispatch(int opcode, int index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f)
    {
        return fEffect->dispatcher(fEffect, opcode, index, value, ptr, opt);
    }
    bool hasFlag(int flag) const { return (fEffect->flags & flag) != 0; }
    std::string text(int opcode, int index = 0);

    SharedLibrary fLibrary;
    AEffect* fEffect;
    bool fProcessing = false;
    BlockSplitter<float> fFloatPieces;
    BlockSplitter<double> fDoublePieces;
};

void Vst2Plugin::describe(FILE* out)
{
    describeRecord(*fEffect, out);
    std::fprintf(out, "effect        \"%s\"\n", name().c_str());
    std::fprintf(out, "vendor        \"%s\"\n", vendor().c_str());
    std::fprintf(out, "product       \"%s\"\n", product().c_str());
    std::fprintf(out, "program       \"%s\"\n", text(effGetProgramName).c_str());
}

// The DAW's steps before the first process call: sample rate, block size, precision, then
// effMainsChanged 1.
void Vst2Plugin::startProcessing(double sampleRate, int maxBlock, bool useDouble)
{
    if (useDouble && !hasFlag(effFlagsCanDoubleReplacing))
        throw PluginError("the module cannot process doubles (flag 0x1000 is clear)");
    if (!useDouble && !hasFlag(effFlagsCanReplacing))
        throw PluginError("the module has no replacing process call (flag 0x10 is clear)");
    const float rate = static_cast<float>(sampleRate);
    vst2HostSettings().sampleRate = rate;
    vst2HostSettings().blockSize = maxBlock;
    fFloatPieces.resize(fEffect->numInputs, fEffect->numOutputs);
    fDoublePieces.resize(fEffect->numInputs, fEffect->numOutputs);
    dispatch(effSetSampleRate, 0, 0, nullptr, rate);
    dispatch(effSetBlockSize, 0, maxBlock);
    dispatch(effSetProcessPrecision, 0, useDouble ? 1 : 0);
    dispatch(effMainsChanged, 0, 1);
    fProcessing = true;
}

void Vst2Plugin::process(float** in, float** out, int frames,
                         const std::vector<ParameterPoint>& changes)
{
    fFloatPieces.run(
        in, out, frames, changes,
        [this](float** i, float** o, int n) { fEffect->processReplacing(fEffect, i, o, n); },
        [this](int index, float value) { setParameter(index, value); });
}

void Vst2Plugin::process(double** in, double** out, int frames,
                         const std::vector<ParameterPoint>& changes)
{
    fDoublePieces.run(
        in, out, frames, changes,
        [this](double** i, double** o, int n)
        { fEffect->processDoubleReplacing(fEffect, i, o, n); },
        [this](int index, float value) { setParameter(index, value); });
}

void Vst2Plugin::stopProcessing()
{
    if (fProcessing) dispatch(effMainsChanged, 0, 0);
    fProcessing = false;
}

void Vst2Plugin::requireEditor()
{
    if (!hasFlag(effFlagsHasEditor))
        throw PluginError("the module has no editor (flag 0x1 is clear)");
}

// effEditGetRect; {0, 0} from editors that do not know their size yet.
EditorSize Vst2Plugin::editorSize()
{
    ERect* rect = nullptr;
    dispatch(effEditGetRect, 0, 0, &rect);
    if (!rect || rect->right <= rect->left || rect->bottom <= rect->top) return {0, 0};
    return {rect->right - rect->left, rect->bottom - rect->top};
}

// Texts the effect writes into a buffer of ours (generously sized: not every module keeps to the
// documented lengths).
std::string Vst2Plugin::text(int opcode, int index)
{
    std::vector<char> buffer(256, '\0');
    dispatch(opcode, index, 0, buffer.data());
    buffer.back() = '\0';
    return buffer.data();
}

std::unique_ptr<LoadedPlugin> loadVst2(const std::string& path, const HostOptions& options)
{
    vst2HostSettings().trace = options.trace;
    return std::make_unique<Vst2Plugin>(path);
}

} // namespace

// A VST 2.4 module is a plain shared library of any name (.so, .dll).
extern const PluginLoader vst2Loader = {nullptr, loadVst2};
