// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowsHost.h"

#include <csignal>

const std::vector<std::string>& windowsArchitectures()
{
    static const std::vector<std::string> architectures = {"x64", "x86"};
    return architectures;
}

std::string windowsBuild(const std::string& architecture, const std::string& file)
{
    return std::string(SFERANT_WINDOWS_BUILDS) + "/" + architecture + "/" + file;
}

std::vector<std::string> wineHost(const std::string& architecture,
                                  const std::vector<std::string>& arguments)
{
    std::vector<std::string> command = {SFERANT_WINE_RUN, architecture,
                                        windowsBuild(architecture, "sferant-host.exe")};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return command;
}

// wine turns SIGINT into the console's Ctrl-C, which the host takes as its stop signal; with
// no window manager it draws the window's frame itself.
EditorHost windowsEditorHost(const std::string& architecture)
{
    return {"windows_" + architecture,
            wineHost(architecture, {"editor", windowsBuild(architecture, "Sferant.dll")}), SIGINT,
            true};
}

// The editor tests shared with Linux drive each Windows host here.
std::vector<EditorHost> editorHostsUnderTest()
{
    std::vector<EditorHost> hosts;
    for (const std::string& architecture : windowsArchitectures())
        hosts.push_back(windowsEditorHost(architecture));
    return hosts;
}
