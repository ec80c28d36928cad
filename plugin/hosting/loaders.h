// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plugin/hosting/LoadedPlugin.h"

// Every format's loader in the order of the build's format list, then null (the build writes
// the list from the loaders the format folders register).
extern const PluginLoader* const kPluginLoaders[];
