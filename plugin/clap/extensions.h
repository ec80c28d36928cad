// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <clap/plugin.h>

namespace sferant::clap
{

// The extension with this id that the instance offers; null for none.
const void* extension(const clap_plugin_t* plugin, const char* id);

} // namespace sferant::clap
