// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEffect.h"

#include <cstring>

int TestEffect::liveInstances = 0;

TestEffect::TestEffect(audioMasterCallback audioMaster)
    : AudioEffectX(audioMaster, kNumPrograms, kNumParams)
{
    ++liveInstances;
}

TestEffect::~TestEffect()
{
    --liveInstances;
}

void TestEffect::resume()
{
    ++resumed;
    AudioEffectX::resume();
}

// Every output channel carries the first input scaled by parameter 0.
void TestEffect::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    for (VstInt32 channel = 0; channel < aeffect.numOutputs; ++channel)
        for (VstInt32 i = 0; i < sampleFrames; ++i)
            outputs[channel][i] = inputs[0][i] * values[0];
}

void TestEffect::setParameter(VstInt32 index, float value)
{
    ++setParameterCalls;
    values[index] = value;
}

void TestEffect::getParameterName(VstInt32 index, char* text)
{
    std::strcpy(text, index == 0 ? "Gain with a long name" : "Other");
}

void TestEffect::getParameterDisplay(VstInt32 index, char* text)
{
    float2string(values[index], text, 8);
}

void TestEffect::getProgramName(char* name)
{
    std::strcpy(name, programName.c_str());
}

bool TestEffect::getEffectName(char* name)
{
    std::memset(name, 'E', 100);
    name[100] = '\0';
    return true;
}

AudioEffect* createEffectInstance(audioMasterCallback audioMaster)
{
    return new TestEffect(audioMaster);
}
