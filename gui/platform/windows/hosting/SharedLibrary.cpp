// SPDX-License-Identifier: GPL-3.0-or-later
#include "plugin/hosting/SharedLibrary.h"

#include <windows.h>

#include "plugin/hosting/LoadedPlugin.h"

namespace
{

std::string systemMessage(DWORD code)
{
    char text[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                   text, sizeof text, nullptr);
    std::string message = text;
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(code) : message;
}

} // namespace

SharedLibrary::SharedLibrary(const std::string& path) : fHandle(LoadLibraryA(path.c_str()))
{
    if (!fHandle) throw PluginError("not a loadable module: " + systemMessage(GetLastError()));
}

SharedLibrary::~SharedLibrary()
{
    FreeLibrary(static_cast<HMODULE>(fHandle));
}

void* SharedLibrary::symbol(const char* name) const
{
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(fHandle), name));
}
