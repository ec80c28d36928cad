// SPDX-License-Identifier: GPL-3.0-or-later
#include "plugin/vst2/editor_maker.h"

#include "editor/Sferant_Editor.h"
#include "plugin/vst2/VstEditorHost.h"

sferant::ParameterListener* makeSferantEditor(Sferant& effect)
{
    return new VstEditor<Sferant_Editor>(effect, effect.edition().badge);
}
