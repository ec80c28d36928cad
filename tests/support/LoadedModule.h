// SPDX-License-Identifier: GPL-3.0-or-later
// A plug-in module loaded as a host loads one (the platform's SharedLibrary), unloaded with this
// object; a module that does not load is reported, not thrown.
#pragma once

#include <memory>
#include <string>

#include "plugin/hosting/LoadedPlugin.h"
#include "plugin/hosting/SharedLibrary.h"

class LoadedModule
{
  public:
    explicit LoadedModule(const char* path)
    {
        try
        {
            library = std::make_unique<SharedLibrary>(path);
        }
        catch (const PluginError& error)
        {
            reason = error.what();
        }
    }

    bool loaded() const { return library != nullptr; }
    const std::string& error() const { return reason; }

    // The exported symbol, or null.
    template <class Symbol> Symbol symbol(const char* name) const
    {
        return reinterpret_cast<Symbol>(library->symbol(name));
    }

  private:
    std::unique_ptr<SharedLibrary> library;
    std::string reason;
};
