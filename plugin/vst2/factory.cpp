// SPDX-License-Identifier: GPL-3.0-or-later
// The plug-in module's effect, with its editor.
#include "editor/Sferant_Editor.h"
#include "plugin/vst2/Sferant.h"

namespace
{

sferant::ParameterListener* makeEditor(Sferant& effect)
{
    return new Sferant_Editor(&effect, effect);
}

} // namespace

AudioEffect* createEffectInstance(audioMasterCallback audioMaster)
{
    return new Sferant(audioMaster, makeEditor);
}
