// SPDX-License-Identifier: GPL-3.0-or-later
// The six functions whose addresses the record carries. The host holds only
// the record; AEffect::object leads back to the effect object.
#include "host/AudioEffect.h"

namespace
{
AudioEffect* objectOf(AEffect* e)
{
    return e ? static_cast<AudioEffect*>(e->object) : nullptr;
}
} // namespace

VstIntPtr AudioEffect::dispatchEffectClass(AEffect* e, VstInt32 opcode, VstInt32 index,
                                           VstIntPtr value, void* ptr, float opt)
{
    AudioEffect* effect = objectOf(e);
    if (opcode == effClose)
    {
        // The record lives inside the object: it is gone once this returns.
        if (effect)
        {
            effect->dispatcher(opcode, index, value, ptr, opt);
            delete effect;
        }
        return 1;
    }
    return effect ? effect->dispatcher(opcode, index, value, ptr, opt) : 0;
}

// An index outside the parameter range never reaches the effect.
float AudioEffect::getParameterClass(AEffect* e, VstInt32 index)
{
    AudioEffect* effect = objectOf(e);
    if (!effect || index < 0 || index >= effect->numParams) return 0.f;
    return effect->getParameter(index);
}

void AudioEffect::setParameterClass(AEffect* e, VstInt32 index, float value)
{
    AudioEffect* effect = objectOf(e);
    if (effect && index >= 0 && index < effect->numParams) effect->setParameter(index, value);
}

void AudioEffect::__processClassDeprecated(AEffect* e, float** inputs, float** outputs,
                                           VstInt32 sampleFrames)
{
    if (AudioEffect* effect = objectOf(e))
        effect->__processDeprecated(inputs, outputs, sampleFrames);
}

void AudioEffect::processClassReplacing(AEffect* e, float** inputs, float** outputs,
                                        VstInt32 sampleFrames)
{
    if (AudioEffect* effect = objectOf(e)) effect->processReplacing(inputs, outputs, sampleFrames);
}

void AudioEffect::processClassDoubleReplacing(AEffect* e, double** inputs, double** outputs,
                                              VstInt32 sampleFrames)
{
    if (AudioEffect* effect = objectOf(e))
        effect->processDoubleReplacing(inputs, outputs, sampleFrames);
}
