// SPDX-License-Identifier: GPL-3.0-or-later
// The plug-in module's editor: the encoder asks for it through its factory.
#include "editor/Sferant_Editor.h"
#include "encoder/EditorFactory.h"
#include "host/AudioEffectX.h"

sferant::ParameterListener* sferant::createEditor(AudioEffectX* effect)
{
    return new Sferant_Editor(effect);
}
