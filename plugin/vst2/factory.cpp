// SPDX-License-Identifier: GPL-3.0-or-later
// The effect of the module Sferant, with its editor.
#include "plugin/vst2/editor_maker.h"

AudioEffect* createEffectInstance(audioMasterCallback audioMaster)
{
    return new Sferant(audioMaster, makeSferantEditor, kVstSferant);
}
