// SPDX-License-Identifier: GPL-3.0-or-later
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

#include "plugin/hosting/LoadedPlugin.h"
#include "tools/commands.h"
#include "tools/host_window.h"
#include "tools/options.h"
#include "tools/png_file.h"
#include "tools/stop_signal.h"
#include "tools/tool_error.h"

namespace
{

constexpr int kIdleMs = 33; // about 30 idle calls a second, as DAWs do
constexpr int kFallbackWidth = 400, kFallbackHeight = 300;
constexpr int kSettleMs =
    100; // lets the editor's own connection finish drawing before a screenshot

using Clock = std::chrono::steady_clock;

// Editors that do not know their size yet get a window of a default size.
EditorSize editorSize(LoadedPlugin& effect)
{
    const EditorSize size = effect.editorSize();
    return size.width > 0 ? size : EditorSize{kFallbackWidth, kFallbackHeight};
}

// A module's editor takes the scale of a desktop that scales without telling the window system
// from SFERANT_SCALE; set before the module loads. putenv keeps the string: it is static.
void setModuleScale(double scale)
{
    static char setting[64];
    std::snprintf(setting, sizeof setting, "SFERANT_SCALE=%g", scale);
    putenv(setting);
}

// The editor opened in the host's window; closed again before the window goes.
class OpenEditor
{
  public:
    OpenEditor(LoadedPlugin& effect, HostWindow& window) : fEffect(effect)
    {
        if (!fEffect.openEditor(window.parentForEditor()))
            throw ToolError("the module did not open its editor");
    }
    ~OpenEditor() { fEffect.closeEditor(); }

  private:
    LoadedPlugin& fEffect;
};

// Host-side setParameter calls that fall due; each is logged on the trace so that a reader
// can tell what follows from what.
void applyDueSettings(LoadedPlugin& effect, std::vector<DelayedSetting>& pending, int elapsedMs,
                      FILE* trace)
{
    for (auto it = pending.begin(); it != pending.end();)
    {
        if (it->afterMs > elapsedMs)
        {
            ++it;
            continue;
        }
        if (trace)
        {
            std::fprintf(trace, "host setParameter index=%d value=%g\n", it->index, it->value);
            std::fflush(trace);
        }
        effect.setParameter(it->index, it->value);
        it = pending.erase(it);
    }
}

void dumpParameters(LoadedPlugin& effect)
{
    for (int i = 0; i < effect.parameterCount(); ++i)
        std::printf("param index=%d value=%f name=\"%s\" display=\"%s\" label=\"%s\"\n", i,
                    effect.getParameter(i), effect.parameterName(i).c_str(),
                    effect.parameterDisplay(i).c_str(), effect.parameterLabel(i).c_str());
    std::fflush(stdout);
}

// Idles the editor and pumps the window until it is closed, the time is up or a signal comes.
void runEditorLoop(LoadedPlugin& effect, HostWindow& window, const Options& options)
{
    std::vector<DelayedSetting> pending = options.delayedSettings;
    const Clock::time_point start = Clock::now();
    for (;;)
    {
        const auto elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        if (stopRequested() || (options.seconds >= 0 && elapsed >= options.seconds)) return;
        applyDueSettings(effect, pending, static_cast<int>(elapsed * 1000),
                         options.trace ? stdout : nullptr);
        effect.idleEditor();
        if (window.pumpEvents(kIdleMs)) return;
    }
}

} // namespace

int runEditor(const std::vector<std::string>& args)
{
    std::vector<std::string> accepted = kParameterOptions;
    accepted.insert(accepted.end(),
                    {"seconds", "screenshot", "scale", "trace", "dump-params", "host-set-after"});
    const Options options = parseOptions(args, accepted);
    if (options.positional.size() != 1)
        throw ToolError(
            "usage: sferant-host editor MODULE.so [--seconds S] [--screenshot FILE.png] "
            "[--scale F] [--trace]");
    catchStopSignals();
    if (options.scale > 0) setModuleScale(options.scale);

    const std::unique_ptr<LoadedPlugin> plugin = loadModule(options);
    LoadedPlugin& effect = *plugin;
    effect.requireEditor();
    applyParameters(effect, options.parameters);

    // The window, and with it this host's connection to the window system, comes first, as in
    // a DAW: an editor asked its size may open and close a connection of its own, and an X
    // server whose last client leaves resets and turns the next one away meanwhile.
    HostWindow window(kFallbackWidth, kFallbackHeight, effect.name());
    const EditorSize size = editorSize(effect);
    window.resize(size.width, size.height);
    {
        OpenEditor editor(effect, window);
        const EditorSize opened = editorSize(effect); // some editors know their size only once open
        window.resize(opened.width, opened.height);
        window.show();
        runEditorLoop(effect, window, options);
        if (!options.screenshot.empty())
        {
            effect.idleEditor();
            std::this_thread::sleep_for(std::chrono::milliseconds(kSettleMs));
            window.pumpEvents(0);
            TemporaryFile file(options.screenshot);
            writePng(window.capture(), file);
            file.commit();
        }
        if (options.dumpParams) dumpParameters(effect);
    }
    return 0;
}
