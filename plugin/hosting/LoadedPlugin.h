// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// A plug-in instance of any format, as a host drives it. Each format's folder implements it
// (plugin/<format>/host_side/) and registers a PluginLoader; loadPlugin picks the format.

// A failure of the module the user can act on (it cannot be loaded, lacks a call asked for).
struct PluginError : std::runtime_error
{
    explicit PluginError(const std::string& message) : std::runtime_error(message) {}
};

// What the host tells the plug-in about itself.
struct HostOptions
{
    // With a stream every call the plug-in makes to the host is logged on a line of its own.
    FILE* trace = nullptr;
};

// A parameter change at a frame of the next block, which formats with sample-accurate events
// pass through and the others apply by splitting the block there.
struct ParameterPoint
{
    int frame;
    int index;
    float value;
    // The value in the units a user reads, which formats that take them use; NaN for none.
    double units = std::nan("");
};

struct EditorSize
{
    int width, height;
};

class LoadedPlugin
{
  public:
    virtual ~LoadedPlugin() = default;

    virtual std::string name() = 0;
    virtual std::string vendor() = 0;
    virtual std::string product() = 0;
    // What the format alone knows, as lines for `sferant-host info`.
    virtual void describe(FILE* out) = 0;

    virtual int parameterCount() = 0;
    virtual std::string parameterName(int index) = 0;
    virtual std::string parameterLabel(int index) = 0;
    virtual std::string parameterDisplay(int index) = 0;
    virtual float getParameter(int index) = 0;
    virtual void setParameter(int index, float value) = 0;
    // Formats whose values are in the units a user reads (degrees, a choice's number) take one
    // so and return true; the others (VST 2.4) return false and take only normalised values.
    virtual bool setParameterInUnits(int, double) { return false; }
    // The index of the parameter with this name, or -1.
    int findParameter(const std::string& name);

    virtual int numInputs() = 0;
    virtual int numOutputs() = 0;
    // Before the first process call; throws PluginError when the module lacks the process call
    // asked for. stopProcessing is also called by the destructor while processing is on.
    virtual void startProcessing(double sampleRate, int maxBlock, bool useDouble) = 0;
    virtual void process(float** in, float** out, int frames,
                         const std::vector<ParameterPoint>& changes) = 0;
    virtual void process(double** in, double** out, int frames,
                         const std::vector<ParameterPoint>& changes) = 0;
    virtual void stopProcessing() = 0;

    // Throws PluginError when the module has no editor.
    virtual void requireEditor() = 0;
    // The editor's size, or {0, 0} when it does not know it yet.
    virtual EditorSize editorSize() = 0;
    // `parent` is the system's window: an X11 Window id, an HWND. False when it did not open.
    virtual bool openEditor(void* parent) = 0;
    virtual void idleEditor() = 0;
    virtual void closeEditor() = 0;
};

// How a format's folder offers its host side.
struct PluginLoader
{
    // The file or bundle extension of its modules (".clap"); null for any other file.
    const char* extension;
    std::unique_ptr<LoadedPlugin> (*load)(const std::string& path, const HostOptions& options);
};

// Loads the module at `path` with the loader its extension names; throws PluginError.
std::unique_ptr<LoadedPlugin> loadPlugin(const std::string& path, const HostOptions& options);
