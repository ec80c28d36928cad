// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// The subcommands; each takes the arguments after its name and returns the exit status.
// Errors the user can act on are thrown as ToolError.
int runInfo(const std::vector<std::string>& args);
int runRender(const std::vector<std::string>& args);
int runBench(const std::vector<std::string>& args);
int runEditor(const std::vector<std::string>& args);
