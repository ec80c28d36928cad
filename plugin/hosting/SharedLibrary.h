// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A module file loaded the way a host loads one (dlopen, LoadLibrary) and unloaded with this
// object. The platform's folder implements it (gui/platform/<platform>/hosting/).
class SharedLibrary
{
  public:
    // Throws PluginError ("not a loadable module: " and the system's reason).
    explicit SharedLibrary(const std::string& path);
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // The exported symbol, or null.
    void* symbol(const char* name) const;

  private:
    void* fHandle;
};
