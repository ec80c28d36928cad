// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/aeffect.h"

class AudioEffectX;

namespace sferant
{

// What the effect tells its editor beyond the host's editor calls: every parameter
// change, on whichever thread made it.
class ParameterListener
{
  public:
    virtual void setParameter(VstInt32 index, float value) = 0;

  protected:
    ~ParameterListener() = default; // the effect owns its editor as an AEffEditor
};

// Makes the effect's editor, which registers itself with the effect (setEditor) and is
// owned by it from then on. The editor library defines this, and only the plug-in module
// links it; builds without a window system (the encoder's tests, benchmarks and fuzz
// targets) link the windowless editor of sferant_headless_editor instead.
ParameterListener* createEditor(AudioEffectX* effect);

} // namespace sferant
