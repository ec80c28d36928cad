// SPDX-License-Identifier: GPL-3.0-or-later
// The effect's editor in builds without a window system: registered as the plug-in's
// editor, so the record reads as the module's does, but it never opens.
#include "encoder/EditorFactory.h"
#include "host/AEffEditor.h"
#include "host/AudioEffectX.h"

namespace
{

class HeadlessEditor : public AEffEditor, public sferant::ParameterListener
{
  public:
    explicit HeadlessEditor(AudioEffectX* effect) : AEffEditor(effect)
    {
        effect->setEditor(this);
    }
    void setParameter(VstInt32, float) override {}
};

} // namespace

sferant::ParameterListener* sferant::createEditor(AudioEffectX* effect)
{
    return new HeadlessEditor(effect);
}
