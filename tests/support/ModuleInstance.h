// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HostedEffect.h"
#include "RecordingHost.h"

namespace sferant_test
{

// The plug-in modules of this build: Sferant and Sferant AmbiX.
const char* builtModule();
const char* builtAmbixModule();

// A new instance from the entry point of the module at path; null when the module cannot be
// loaded or the entry point refuses. The module is loaded on first use and stays loaded, as
// most hosts keep it.
AEffect* createModuleInstance(const char* path = builtModule(),
                              audioMasterCallback host = quietHost);

// An instance of the module at path, opened (effOpen) as a host opens it; the program stops
// when the module gives none.
class ModuleInstance : public HostedEffect
{
  public:
    explicit ModuleInstance(const char* path = builtModule());
};

} // namespace sferant_test
