// SPDX-License-Identifier: GPL-3.0-or-later
// The CLAP host side: a .clap module loaded the way a DAW loads one (clap_entry, its plug-in
// factory, the first plug-in it describes), driven through its extensions. Values are shown to
// the host as 0..1 over the parameter's range; changes at frames reach the plug-in as
// parameter-value events at those frames of one process call.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <clap/entry.h>
#include <clap/ext/audio-ports.h>
#include <clap/ext/gui.h>
#include <clap/ext/params.h>
#include <clap/ext/timer-support.h>
#include <clap/plugin-factory.h>

#include "plugin/clap/host_side/ClapDescription.h"
#include "plugin/clap/host_side/ClapEvents.h"
#include "plugin/clap/host_side/ClapHostContext.h"
#include "plugin/hosting/LoadedPlugin.h"
#include "plugin/hosting/SharedLibrary.h"

namespace
{

#ifdef _WIN32
constexpr const char* kWindowApi = CLAP_WINDOW_API_WIN32;
#else
constexpr const char* kWindowApi = CLAP_WINDOW_API_X11;
#endif

// The module's entry, initialised; deinitialised with this object.
class ClapModule
{
  public:
    explicit ClapModule(const std::string& path) : fLibrary(path)
    {
        fEntry = static_cast<const clap_plugin_entry_t*>(fLibrary.symbol("clap_entry"));
        if (!fEntry) throw PluginError("no entry point (clap_entry) in " + path);
        if (!clap_version_is_compatible(fEntry->clap_version))
            throw PluginError("the CLAP version of " + path + " is not one this host knows");
        if (!fEntry->init(path.c_str())) throw PluginError("clap_entry.init failed for " + path);
    }
    ~ClapModule() { fEntry->deinit(); }
    const clap_plugin_factory_t& factory(const std::string& path) const
    {
        const auto* f =
            static_cast<const clap_plugin_factory_t*>(fEntry->get_factory(CLAP_PLUGIN_FACTORY_ID));
        if (!f || f->get_plugin_count(f) == 0) throw PluginError("no plug-in in " + path);
        return *f;
    }

  private:
    SharedLibrary fLibrary;
    const clap_plugin_entry_t* fEntry;
};

const clap_plugin_t* createPlugin(const clap_plugin_factory_t& factory, const clap_host_t* host,
                                  const std::string& path)
{
    const clap_plugin_descriptor_t* d = factory.get_plugin_descriptor(&factory, 0);
    const clap_plugin_t* plugin = d ? factory.create_plugin(&factory, host, d->id) : nullptr;
    if (!plugin) throw PluginError("the factory of " + path + " created no plug-in");
    if (!plugin->init(plugin))
    {
        plugin->destroy(plugin);
        throw PluginError("the plug-in of " + path + " failed to initialise");
    }
    return plugin;
}

class ClapPlugin : public LoadedPlugin
{
  public:
    ClapPlugin(const std::string& path, const HostOptions& options)
        : fModule(path), fFactory(fModule.factory(path)), fContext(options.trace),
          fPlugin(createPlugin(fFactory, fContext.host(), path)),
          fParams(extension<clap_plugin_params_t>(CLAP_EXT_PARAMS)),
          fGui(extension<clap_plugin_gui_t>(CLAP_EXT_GUI)),
          fTimers(extension<clap_plugin_timer_support_t>(CLAP_EXT_TIMER_SUPPORT)),
          fPorts(readPorts(fPlugin)), fParameters(readParameters(fPlugin, fParams))
    {
    }
    ~ClapPlugin() override
    {
        closeEditor();
        stopProcessing();
        fPlugin->destroy(fPlugin);
    }

    std::string name() override { return fPlugin->desc->name; }
    std::string vendor() override { return text(fPlugin->desc->vendor); }
    std::string product() override { return name(); }
    void describe(FILE* out) override { describeClap(fFactory, fPorts, fParameters, out); }

    int parameterCount() override { return static_cast<int>(fParameters.size()); }
    std::string parameterName(int index) override { return fParameters.at(index).name; }
    std::string parameterLabel(int) override { return ""; } // the unit is in the text
    std::string parameterDisplay(int index) override;
    float getParameter(int index) override;
    void setParameter(int index, float value) override { send(index, plain(index, value)); }
    bool setParameterInUnits(int index, double value) override
    {
        send(index, value);
        return true;
    }

    int numInputs() override { return fPorts.channels(true); }
    int numOutputs() override { return fPorts.channels(false); }
    void startProcessing(double sampleRate, int maxBlock, bool useDouble) override;
    void process(float** in, float** out, int frames,
                 const std::vector<ParameterPoint>& changes) override
    {
        run(in, out, frames, changes);
    }
    void process(double** in, double** out, int frames,
                 const std::vector<ParameterPoint>& changes) override
    {
        run(in, out, frames, changes);
    }
    void stopProcessing() override;

    void requireEditor() override;
    EditorSize editorSize() override;
    bool openEditor(void* parent) override;
    void idleEditor() override;
    void closeEditor() override;

  private:
    template <class Extension> const Extension* extension(const char* id) const
    {
        return static_cast<const Extension*>(fPlugin->get_extension(fPlugin, id));
    }
    static std::string text(const char* s) { return s ? s : ""; }
    double plain(int index, float normalised) const;
    void send(int index, double value);
    template <class Sample>
    void run(Sample** in, Sample** out, int frames, const std::vector<ParameterPoint>& changes);
    bool createEditor();

    ClapModule fModule;
    const clap_plugin_factory_t& fFactory;
    ClapHostContext fContext;
    const clap_plugin_t* fPlugin;
    const clap_plugin_params_t* fParams;
    const clap_plugin_gui_t* fGui;
    const clap_plugin_timer_support_t* fTimers;
    ClapPorts fPorts;
    std::vector<clap_param_info_t> fParameters;
    ClapEventList fEvents;   // the next process call's
    int64_t fSteadyTime = 0; // frames processed since activation
    bool fActive = false, fEditorCreated = false;
};

double ClapPlugin::plain(int index, float normalised) const
{
    const clap_param_info_t& p = fParameters.at(index);
    const double value = p.min_value + normalised * (p.max_value - p.min_value);
    return (p.flags & CLAP_PARAM_IS_STEPPED) ? std::round(value) : value;
}

std::string ClapPlugin::parameterDisplay(int index)
{
    double value = 0;
    char display[256] = {};
    const clap_id id = fParameters.at(index).id;
    if (!fParams->get_value(fPlugin, id, &value) ||
        !fParams->value_to_text(fPlugin, id, value, display, sizeof display))
        return "";
    return display;
}

float ClapPlugin::getParameter(int index)
{
    const clap_param_info_t& p = fParameters.at(index);
    double value = p.min_value;
    fParams->get_value(fPlugin, p.id, &value);
    const double range = p.max_value - p.min_value;
    return range > 0 ? static_cast<float>((value - p.min_value) / range) : 0.0f;
}

// While processing the value goes with the next block, at its first frame; otherwise the
// plug-in takes it at once through params.flush.
void ClapPlugin::send(int index, double value)
{
    const clap_id id = fParameters.at(index).id;
    if (fActive)
    {
        fEvents.add(0, id, value);
        return;
    }
    ClapEventList one;
    one.add(0, id, value);
    const clap_output_events_t ignored = ClapEventList::ignoringOutput();
    fParams->flush(fPlugin, one.input(), &ignored);
}

void ClapPlugin::startProcessing(double sampleRate, int maxBlock, bool useDouble)
{
    if (useDouble && !fPorts.all64Bits())
        throw PluginError("the module cannot process doubles (a port lacks 64-bit support)");
    if (!fPlugin->activate(fPlugin, sampleRate, 1, static_cast<uint32_t>(maxBlock)))
        throw PluginError("the plug-in refused to activate");
    fActive = true;
    fSteadyTime = 0;
    fEvents.reserve(4096);
    if (!fPlugin->start_processing(fPlugin)) throw PluginError("the plug-in refused to process");
}

template <class Sample>
void ClapPlugin::run(Sample** in, Sample** out, int frames,
                     const std::vector<ParameterPoint>& changes)
{
    for (const ParameterPoint& c : changes) // events past the block are not the plug-in's
        fEvents.add(static_cast<uint32_t>(std::clamp(c.frame, 0, std::max(frames - 1, 0))),
                    fParameters.at(c.index).id,
                    std::isnan(c.units) ? plain(c.index, c.value) : c.units);
    fPorts.point(in, out);
    const clap_output_events_t ignored = ClapEventList::ignoringOutput();
    const clap_process_t process{fSteadyTime,
                                 static_cast<uint32_t>(frames),
                                 nullptr,
                                 fPorts.inputs(),
                                 fPorts.outputs(),
                                 fPorts.inputCount(),
                                 fPorts.outputCount(),
                                 fEvents.input(),
                                 &ignored};
    fContext.setProcessing(true);
    fPlugin->process(fPlugin, &process);
    fContext.setProcessing(false);
    fEvents.clear();
    fSteadyTime += frames;
}

void ClapPlugin::stopProcessing()
{
    if (!fActive) return;
    fPlugin->stop_processing(fPlugin);
    fPlugin->deactivate(fPlugin);
    fActive = false;
}

void ClapPlugin::requireEditor()
{
    if (!fGui || !fGui->is_api_supported(fPlugin, kWindowApi, false))
        throw PluginError(std::string("the plug-in has no embedded editor (gui ") + kWindowApi +
                          ")");
}

bool ClapPlugin::createEditor()
{
    if (!fEditorCreated) fEditorCreated = fGui && fGui->create(fPlugin, kWindowApi, false);
    return fEditorCreated;
}

EditorSize ClapPlugin::editorSize()
{
    uint32_t width = 0, height = 0;
    if (!createEditor() || !fGui->get_size(fPlugin, &width, &height)) return {0, 0};
    return {static_cast<int>(width), static_cast<int>(height)};
}

bool ClapPlugin::openEditor(void* parent)
{
    if (!createEditor()) return false;
    clap_window_t window{};
    window.api = kWindowApi;
#ifdef _WIN32
    window.win32 = parent;
#else
    window.x11 = static_cast<clap_xwnd>(reinterpret_cast<uintptr_t>(parent));
#endif
    return fGui->set_parent(fPlugin, &window) && fGui->show(fPlugin);
}

// The host's event loop: the plug-in's timers and its main-thread callback.
void ClapPlugin::idleEditor()
{
    if (fContext.takeCallbackRequest()) fPlugin->on_main_thread(fPlugin);
    if (!fTimers) return;
    const std::vector<clap_id> due = fContext.timers();
    for (clap_id id : due)
        fTimers->on_timer(fPlugin, id);
}

void ClapPlugin::closeEditor()
{
    if (!fEditorCreated) return;
    fGui->hide(fPlugin);
    fGui->destroy(fPlugin);
    fEditorCreated = false;
}

std::unique_ptr<LoadedPlugin> loadClap(const std::string& path, const HostOptions& options)
{
    return std::make_unique<ClapPlugin>(path, options);
}

} // namespace

extern const PluginLoader clapLoader = {".clap", loadClap};
