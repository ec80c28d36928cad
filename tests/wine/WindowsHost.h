// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EditorSession.h"

#include <string>
#include <vector>

// The Windows build's host and module, run under wine.
std::string windowsBuild(const std::string& file);
// The command that runs sferant-host.exe under wine with these arguments.
std::vector<std::string> wineHost(const std::vector<std::string>& arguments);
EditorHost windowsEditorHost();
