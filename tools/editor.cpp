// SPDX-License-Identifier: GPL-3.0-or-later
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

#include "tools/commands.h"
#include "tools/host_window.h"
#include "tools/hosted_effect.h"
#include "tools/options.h"
#include "tools/stop_signal.h"
#include "tools/tool_error.h"

namespace
{

constexpr int kIdleMs = 33; // about 30 idle calls a second, as DAWs do
constexpr int kFallbackWidth = 400, kFallbackHeight = 300;
constexpr int kSettleMs =
    100; // lets the editor's own connection finish drawing before a screenshot

using Clock = std::chrono::steady_clock;

struct Size
{
    int width, height;
};

// effEditGetRect; editors that do not know their size yet get a window of a default size.
Size editorSize(HostedEffect& effect)
{
    ERect* rect = nullptr;
    effect.dispatch(effEditGetRect, 0, 0, &rect);
    if (!rect || rect->right <= rect->left || rect->bottom <= rect->top)
        return {kFallbackWidth, kFallbackHeight};
    return {rect->right - rect->left, rect->bottom - rect->top};
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
    OpenEditor(HostedEffect& effect, HostWindow& window) : fEffect(effect)
    {
        if (!fEffect.dispatch(effEditOpen, 0, 0, window.parentForEditor()))
            throw ToolError("the module did not open its editor");
    }
    ~OpenEditor() { fEffect.dispatch(effEditClose); }

  private:
    HostedEffect& fEffect;
};

// Host-side setParameter calls that fall due; each is logged on the trace so that a reader
// can tell what follows from what.
void applyDueSettings(HostedEffect& effect, std::vector<DelayedSetting>& pending, int elapsedMs)
{
    for (auto it = pending.begin(); it != pending.end();)
    {
        if (it->afterMs > elapsedMs)
        {
            ++it;
            continue;
        }
        if (FILE* trace = hostSettings().trace)
        {
            std::fprintf(trace, "host setParameter index=%d value=%g\n", it->index, it->value);
            std::fflush(trace);
        }
        effect.setParameter(it->index, it->value);
        it = pending.erase(it);
    }
}

void dumpParameters(HostedEffect& effect)
{
    for (int i = 0; i < effect.record().numParams; ++i)
        std::printf("param index=%d value=%f name=\"%s\" display=\"%s\" label=\"%s\"\n", i,
                    effect.getParameter(i), effect.parameterName(i).c_str(),
                    effect.parameterDisplay(i).c_str(), effect.parameterLabel(i).c_str());
    std::fflush(stdout);
}

// Idles the editor and pumps the window until it is closed, the time is up or a signal comes.
void runEditorLoop(HostedEffect& effect, HostWindow& window, const Options& options)
{
    std::vector<DelayedSetting> pending = options.delayedSettings;
    const Clock::time_point start = Clock::now();
    for (;;)
    {
        const auto elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        if (stopRequested() || (options.seconds >= 0 && elapsed >= options.seconds)) return;
        applyDueSettings(effect, pending, static_cast<int>(elapsed * 1000));
        effect.dispatch(effEditIdle);
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
    if (options.trace) hostSettings().trace = stdout;
    catchStopSignals();
    if (options.scale > 0) setModuleScale(options.scale);

    HostedEffect effect(options.positional[0]);
    if (!effect.hasFlag(effFlagsHasEditor))
        throw ToolError("the module has no editor (flag 0x1 is clear)");
    applyParameters(effect, options.parameters);

    const Size size = editorSize(effect);
    HostWindow window(size.width, size.height, effect.text(effGetEffectName));
    {
        OpenEditor editor(effect, window);
        const Size opened = editorSize(effect); // some editors know their size only once open
        window.resize(opened.width, opened.height);
        window.show();
        runEditorLoop(effect, window, options);
        if (!options.screenshot.empty())
        {
            effect.dispatch(effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(kSettleMs));
            window.pumpEvents(0);
            window.savePng(options.screenshot);
        }
        if (options.dumpParams) dumpParameters(effect);
    }
    return 0;
}
