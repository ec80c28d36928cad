// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModuleInstance.h"

#include "LoadedModule.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace sferant_test
{

namespace
{

using EntryPoint = AEffect* (*)(audioMasterCallback);

AEffect* requireInstance(const char* path)
{
    AEffect* record = createModuleInstance(path);
    if (!record)
    {
        std::fprintf(stderr, "%s gave no effect\n", path);
        std::abort();
    }
    return record;
}

} // namespace

const char* builtModule()
{
    return SFERANT_MODULE_PATH;
}

const char* builtAmbixModule()
{
    return SFERANT_AMBIX_MODULE_PATH;
}

AEffect* createModuleInstance(const char* path, audioMasterCallback host)
{
    // Never unloaded, as most hosts keep a module once loaded; the table is never destroyed
    // either, so its modules stay reachable until the process ends.
    static auto* modules = new std::map<std::string, LoadedModule*>;
    LoadedModule*& module = (*modules)[path];
    if (!module)
    {
        module = new LoadedModule(path);
        if (!module->loaded())
            std::fprintf(stderr, "cannot load %s: %s\n", path, module->error().c_str());
    }
    const auto entry = module->loaded() ? module->symbol<EntryPoint>("VSTPluginMain") : nullptr;
    return entry ? entry(host) : nullptr;
}

ModuleInstance::ModuleInstance(const char* path) : HostedEffect(requireInstance(path))
{
    dispatch(effOpen);
}

} // namespace sferant_test
