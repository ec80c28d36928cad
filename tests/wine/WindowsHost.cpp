// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowsHost.h"

#include <csignal>

std::string windowsBuild(const std::string& file)
{
    return std::string(SFERANT_WINDOWS_BUILD) + "/" + file;
}

std::vector<std::string> wineHost(const std::vector<std::string>& arguments)
{
    std::vector<std::string> command = {SFERANT_WINE_RUN, "x64", windowsBuild("sferant-host.exe")};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return command;
}

// wine turns SIGINT into the console's Ctrl-C, which the host takes as its stop signal; with
// no window manager it draws the window's frame itself.
EditorHost windowsEditorHost()
{
    return {"windows", wineHost({"editor", windowsBuild("Sferant.dll")}), SIGINT, true};
}

// The editor tests shared with Linux drive the Windows host here.
std::vector<EditorHost> editorHostsUnderTest()
{
    return {windowsEditorHost()};
}
