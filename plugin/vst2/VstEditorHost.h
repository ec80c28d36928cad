// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/EditorHost.h"
#include "host/AudioEffectX.h"

// An editor's host over a VST 2.4 effect: values are the effect's, a gesture's begin, value
// and end reach the host as audioMasterBeginEdit, audioMasterAutomate and audioMasterEndEdit,
// a window size as audioMasterSizeWindow (when the host can), the idle tick as
// audioMasterIdle.
class VstEditorHost : public EditorHost
{
  public:
    explicit VstEditorHost(AudioEffectX& effect) : audioEffect(effect) {}

    float value(int index) const override;
    void beginGesture(int index) override;
    void setFromGesture(int index, float value) override;
    void endGesture(int index) override;
    bool resizeWindow(int width, int height) override;
    void idleTick() override;

  private:
    AudioEffectX& audioEffect;
};

// A toolkit editor given to a VST 2.4 effect: it registers itself as the effect's editor
// (which owns it from then on) and reaches the effect through its own VstEditorHost; the
// editor interface names the effect (getEffect) but never calls it.
template <class Editor> class VstEditor : private VstEditorHost, public Editor
{
  public:
    template <class... Args>
    explicit VstEditor(AudioEffectX& effect, Args... args)
        : VstEditorHost(effect), Editor(static_cast<EditorHost&>(*this), args...)
    {
        this->effect = &effect;
        effect.setEditor(this);
    }
};
