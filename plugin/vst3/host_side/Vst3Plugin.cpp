// SPDX-License-Identifier: GPL-3.0-or-later
// The VST3 host side for sferant-host: a bundle loaded the way a DAW loads it (its binary for
// this platform, the module's entry call, GetPluginFactory), the factory's first class driven
// through Vst3Instance, parameter changes passed as points at their frames.
#include "plugin/hosting/LoadedPlugin.h"
#include "plugin/hosting/SharedLibrary.h"
#include "plugin/vst3/host_side/Vst3Instance.h"

#include <sys/stat.h>

#include <memory>

namespace
{

using sferant::vst3::HostPoint;
using sferant::vst3::Vst3Instance;

#ifdef _WIN32
constexpr const char* kEntry = "InitDll";
constexpr const char* kExit = "ExitDll";
#if defined(_WIN64)
constexpr const char* kBinary = "/Contents/x86_64-win/";
#else
constexpr const char* kBinary = "/Contents/x86-win/";
#endif
constexpr const char* kSuffix = ".vst3";
#else
constexpr const char* kEntry = "ModuleEntry";
constexpr const char* kExit = "ModuleExit";
constexpr const char* kBinary = "/Contents/x86_64-linux/";
constexpr const char* kSuffix = ".so";
#endif

// The bundle's binary for this platform; a plain file is taken as the binary itself.
std::string binaryOf(const std::string& path)
{
    struct stat status;
    if (stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode)) return path;
    std::string bundle = path;
    while (!bundle.empty() && bundle.back() == '/')
        bundle.pop_back();
    const std::string name = bundle.substr(bundle.find_last_of('/') + 1);
    return bundle + kBinary + name.substr(0, name.size() - 5) + kSuffix;
}

// The module's entry call before its factory, its exit call when it is unloaded.
class Vst3Module
{
  public:
    explicit Vst3Module(const std::string& path) : library(binaryOf(path))
    {
        using Entry = bool (*)(void*);
        using Factory = void* (*)();
        if (auto entry = reinterpret_cast<Entry>(library.symbol(kEntry)); entry && !entry(nullptr))
            throw PluginError(std::string(kEntry) + " of " + path + " failed");
        auto get = reinterpret_cast<Factory>(library.symbol("GetPluginFactory"));
        if (!get || !(factory = static_cast<v3_plugin_factory**>(get())))
            throw PluginError("no GetPluginFactory in " + path);
    }
    ~Vst3Module()
    {
        if (auto exit = reinterpret_cast<bool (*)()>(library.symbol(kExit))) exit();
    }

    SharedLibrary library;
    v3_plugin_factory** factory = nullptr;
};

class Vst3Plugin : public LoadedPlugin
{
  public:
    explicit Vst3Plugin(const std::string& path) : module(path)
    {
        try
        {
            instance = std::make_unique<Vst3Instance>(module.factory, 0);
            inputs = instance->channels(V3_INPUT);
            outputs = instance->channels(V3_OUTPUT);
        }
        catch (const std::runtime_error& error)
        {
            throw PluginError(error.what());
        }
    }
    ~Vst3Plugin() override { instance.reset(); }

    std::string name() override { return instance->className(); }
    std::string vendor() override { return "Sferant Project"; }
    std::string product() override { return instance->className(); }
    void describe(FILE* out) override;

    int parameterCount() override { return instance->parameterCount(); }
    std::string parameterName(int index) override { return text(instance->parameter(index).title); }
    std::string parameterLabel(int index) override
    {
        return text(instance->parameter(index).units);
    }
    std::string parameterDisplay(int index) override
    {
        return instance->text(index, instance->normalised(index));
    }
    float getParameter(int index) override { return float(instance->normalised(index)); }
    // The controller takes the value now, the processor at the next block's first frame.
    void setParameter(int index, float value) override
    {
        instance->setNormalised(index, value);
        pending.push_back({0, index, value});
    }

    int numInputs() override { return inputs; }
    int numOutputs() override { return outputs; }
    void startProcessing(double sampleRate, int maxBlock, bool useDouble) override
    {
        if (instance->start(sampleRate, maxBlock, useDouble) != V3_OK)
            throw PluginError("the plug-in refused to start processing");
    }
    void process(float** in, float** out, int frames,
                 const std::vector<ParameterPoint>& changes) override
    {
        instance->process(in, numInputs(), out, numOutputs(), frames, points(changes));
    }
    void process(double** in, double** out, int frames,
                 const std::vector<ParameterPoint>& changes) override
    {
        instance->process(in, numInputs(), out, numOutputs(), frames, points(changes));
    }
    void stopProcessing() override { instance->stop(); }

    void requireEditor() override {}
    EditorSize editorSize() override
    {
        const v3_view_rect rect = instance->editorSize();
        return {rect.right - rect.left, rect.bottom - rect.top};
    }
    bool openEditor(void* parent) override { return instance->openEditor(parent); }
    void idleEditor() override { instance->idleEditor(); }
    void closeEditor() override { instance->closeEditor(); }

  private:
    static std::string text(const int16_t* wide)
    {
        char narrow[128];
        sferant::vst3::fromUtf16(wide, narrow, sizeof narrow);
        return narrow;
    }
    // The values set between blocks at frame 0, then the block's changes at their frames.
    const std::vector<HostPoint>& points(const std::vector<ParameterPoint>& changes)
    {
        blockPoints.swap(pending);
        pending.clear();
        for (const ParameterPoint& p : changes)
        {
            blockPoints.push_back({p.frame, p.index, p.value});
            instance->setNormalised(p.index, p.value);
        }
        return blockPoints;
    }

    Vst3Module module;
    std::unique_ptr<Vst3Instance> instance;
    std::vector<HostPoint> pending, blockPoints;
    int inputs = 0, outputs = 0;
};

void Vst3Plugin::describe(FILE* out)
{
    std::fprintf(out, "class         \"%s\" (1 of the bundle's classes)\n", name().c_str());
    std::fprintf(out, "buses         %d in, %d out\n", numInputs(), numOutputs());
    std::fprintf(out, "parameters    %d\n", parameterCount());
}

std::unique_ptr<LoadedPlugin> loadVst3(const std::string& path, const HostOptions&)
{
    return std::make_unique<Vst3Plugin>(path);
}

} // namespace

// A VST3 bundle (a folder), or its binary alone.
extern const PluginLoader vst3Loader = {".vst3", loadVst3};
