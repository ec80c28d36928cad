#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// One run of `sferant-host editor` on the current display, with its trace captured.
class EditorSession
{
  public:
    // Starts the host with the editor of the built module and waits until its window shows.
    explicit EditorSession(std::vector<std::string> extraArgs = {});
    ~EditorSession();

    bool ready() const { return !window.empty(); }
    // Runs xdotool with the editor window's id standing for every "{w}" in the arguments.
    bool xdo(const std::string& commands) const;
    // Lets the host idle for a while (~30 idle calls a second).
    static void settle(int milliseconds = 400);
    // Asks the host to stop (it closes the editor first) and returns everything it printed.
    std::string finish();

  private:
    pid_t pid = -1;
    std::string outputPath;
    std::string window;
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
