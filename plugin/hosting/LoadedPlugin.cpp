// SPDX-License-Identifier: GPL-3.0-or-later
#include "plugin/hosting/LoadedPlugin.h"

#include <sys/stat.h>

#include "plugin/hosting/loaders.h"

namespace
{

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The loader whose extension the path has; else the one that takes any other file.
const PluginLoader* loaderFor(const std::string& path)
{
    const PluginLoader* fallback = nullptr;
    for (const PluginLoader* const* it = kPluginLoaders; *it; ++it)
    {
        const PluginLoader* loader = *it;
        if (!loader->extension)
            fallback = loader;
        else if (endsWith(path, loader->extension))
            return loader;
    }
    return fallback;
}

} // namespace

int LoadedPlugin::findParameter(const std::string& name)
{
    for (int i = 0; i < parameterCount(); ++i)
        if (parameterName(i) == name) return i;
    return -1;
}

std::unique_ptr<LoadedPlugin> loadPlugin(const std::string& path, const HostOptions& options)
{
    struct stat status;
    if (stat(path.c_str(), &status) != 0) throw PluginError("no such file: " + path);
    const PluginLoader* loader = loaderFor(path);
    if (!loader) throw PluginError("no plug-in format loads " + path);
    return loader->load(path, options);
}
