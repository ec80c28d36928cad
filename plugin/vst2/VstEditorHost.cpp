// SPDX-License-Identifier: GPL-3.0-or-later
#include "plugin/vst2/VstEditorHost.h"

float VstEditorHost::value(int index) const
{
    return audioEffect.getParameter(index);
}

void VstEditorHost::beginGesture(int index)
{
    audioEffect.beginEdit(index);
}

void VstEditorHost::setFromGesture(int index, float value)
{
    audioEffect.setParameterAutomated(index, value);
}

void VstEditorHost::endGesture(int index)
{
    audioEffect.endEdit(index);
}

bool VstEditorHost::resizeWindow(int width, int height)
{
    char canDo[] = "sizeWindow";
    return audioEffect.canHostDo(canDo) && audioEffect.sizeWindow(width, height);
}

void VstEditorHost::idleTick()
{
    audioEffect.masterIdle();
}
