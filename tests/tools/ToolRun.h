// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

// What one run of sferant-host left behind.
struct ToolRun
{
    int status = -1; // exit status, or -1 when killed by a signal
    std::string out;
    std::string err;
};

// Environment changes for the child: (name, value); an empty value removes the variable.
using Environment = std::vector<std::pair<std::string, std::string>>;

// Runs the built sferant-host with these arguments and waits for it.
ToolRun runTool(const std::vector<std::string>& args, const Environment& environment = {});

// The same under a virtual X server (xvfb-run); false when there is none to be had.
bool haveVirtualDisplay();
ToolRun runToolOnVirtualDisplay(const std::vector<std::string>& args,
                                const Environment& environment = {});

// Path of one of the test modules built beside the tests (tiny_gain, tiny_gain_main,
// bare_no_entry, bare_null_effect).
std::string testModule(const std::string& name);

// A fresh folder for one test's files, removed with everything in it at the end.
class ScratchFolder
{
  public:
    ScratchFolder();
    ~ScratchFolder();
    std::string path(const std::string& name) const { return fPath + "/" + name; }
    std::vector<std::string> entries() const;

  private:
    std::string fPath;
};

// Reads a whole text file.
std::string readText(const std::string& path);
