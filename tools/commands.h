// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "plugin/hosting/LoadedPlugin.h"
#include "tools/options.h"

// The subcommands; each takes the arguments after its name and returns the exit status.
// Errors the user can act on are thrown as ToolError or PluginError.
int runInfo(const std::vector<std::string>& args);
int runRender(const std::vector<std::string>& args);
int runBench(const std::vector<std::string>& args);
int runEditor(const std::vector<std::string>& args);

// The module a command names first, in whichever format it has; with --trace its calls to the
// host are logged on stdout.
inline std::unique_ptr<LoadedPlugin> loadModule(const Options& options)
{
    return loadPlugin(options.positional[0], HostOptions{options.trace ? stdout : nullptr});
}
