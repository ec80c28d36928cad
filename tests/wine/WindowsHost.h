// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EditorSession.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The Windows builds, each run under wine of its own architecture: "x64" or "x86".
const std::vector<std::string>& windowsArchitectures();
// A file of one architecture's build.
std::string windowsBuild(const std::string& architecture, const std::string& file);
// The command that runs that build's sferant-host.exe under wine with these arguments.
std::vector<std::string> wineHost(const std::string& architecture,
                                  const std::vector<std::string>& arguments);
EditorHost windowsEditorHost(const std::string& architecture);

// Tests run once per architecture, named after it.
class WindowsArchitecture : public testing::TestWithParam<std::string>
{
};
inline std::string architectureName(const testing::TestParamInfo<std::string>& info)
{
    return info.param;
}
