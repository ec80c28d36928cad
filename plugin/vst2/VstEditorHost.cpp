// SPDX-License-Identifier: GPL-3.0-or-later
#include "plugin/vst2/VstEditorHost.h"

float VstEditorHost::value(int index) const
{
    return effect.getParameter(index);
}

void VstEditorHost::beginGesture(int index)
{
    effect.beginEdit(index);
}

void VstEditorHost::setFromGesture(int index, float value)
{
    effect.setParameterAutomated(index, value);
}

void VstEditorHost::endGesture(int index)
{
    effect.endEdit(index);
}

bool VstEditorHost::resizeWindow(int width, int height)
{
    char canDo[] = "sizeWindow";
    return effect.canHostDo(canDo) && effect.sizeWindow(width, height);
}

void VstEditorHost::idleTick()
{
    effect.masterIdle();
}
