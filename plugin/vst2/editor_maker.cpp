// SPDX-License-Identifier: GPL-3.0-or-later
#include "plugin/vst2/editor_maker.h"

#include "editor/Sferant_Editor.h"

sferant::ParameterListener* makeSferantEditor(Sferant& effect)
{
    return new Sferant_Editor(&effect, effect, effect.edition().badge);
}
