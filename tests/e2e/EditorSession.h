// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "artwork/RgbaImage.h"
#include "editor/layout.h"

#include <csignal>
#include <ostream>
#include <string>
#include <sys/types.h>
#include <vector>

// The host program a session runs: its command up to and with the module, the signal that
// asks it to close the editor and stop, and whether the system draws a frame around the
// window's contents inside the window (wine without a window manager).
struct EditorHost
{
    std::string name;
    std::vector<std::string> command;
    int stopSignal = SIGTERM;
    bool framed = false;
};
// Tests name their host by its name.
inline void PrintTo(const EditorHost& host, std::ostream* out)
{
    *out << host.name;
}
// The built sferant-host with the built module.
EditorHost builtEditorHost();
// The hosts a test program drives the editor in; each program defines its own list.
std::vector<EditorHost> editorHostsUnderTest();

// One run of `sferant-host editor` on the current display, with its trace captured.
class EditorSession
{
  public:
    // Starts the host with the editor of the module and waits until its window shows.
    explicit EditorSession(std::vector<std::string> extraArgs = {},
                           EditorHost host = builtEditorHost());
    ~EditorSession();

    bool ready() const { return !window.empty(); }
    // The X11 id of the host's window.
    const std::string& windowId() const { return window; }
    // Runs xdotool with the editor window's id standing for every "{w}" in the arguments;
    // "--window {w} X Y" are the editor's coordinates, wherever it sits in the window.
    bool xdo(const std::string& commands) const;
    // Lets the host idle for a while (~30 idle calls a second).
    static void settle(int milliseconds = 400);
    // Asks the host to stop (it closes the editor first) and returns everything it printed.
    std::string finish();

  private:
    void findEditorCorner(int scale);

    int stopSignal;
    pid_t pid = -1;
    std::string outputPath;
    std::string window;
    int cornerX = 0, cornerY = 0; // the editor's top left corner in the window
};

// The callback lines of a trace as (opcode, index) pairs, in order.
struct Callback
{
    int opcode;
    int index;
    float opt;
};
std::vector<Callback> callbacks(const std::string& trace);
// The value of parameter `index` from a --dump-params listing; -1 when absent.
float dumpedValue(const std::string& output, int index);
std::string dumpedDisplay(const std::string& output, int index);

// The callbacks of the gesture opcodes: 43 begin edit, 0 automate, 44 end edit.
std::vector<Callback> gesture(const std::string& trace);

// How many pixels of `area` differ between two screenshots by more than `tolerance` in a
// colour channel; all of them when either picture does not cover the area.
int differingPixels(const RgbaImage& a, const RgbaImage& b, const sferant::layout::Box& area,
                    int tolerance = 0);
// A file name for a screenshot of this test process.
std::string shotPath(const char* name);
// The editor as the host shows it with a parameter set before it opens.
RgbaImage referenceShot(const std::string& setting, const EditorHost& host = builtEditorHost());
