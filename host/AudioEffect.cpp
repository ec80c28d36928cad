// SPDX-License-Identifier: GPL-3.0-or-later
// Construction, defaults and the first host-callback wrappers of the base effect.
#include "host/AudioEffect.h"

#include <cstring>

#include "host/AEffEditor.h"

namespace
{
constexpr VstInt32 kDefaultUniqueId = 0x4E6F4566; // 'NoEf'
}

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : audioMaster(audioMaster), editor(nullptr), sampleRate(44100.f), blockSize(1024),
      numPrograms(numPrograms), numParams(numParams), curProgram(0)
{
    std::memset(&aeffect, 0, sizeof aeffect);
    aeffect.magic = kEffectMagic;
    aeffect.dispatcher = dispatchEffectClass;
    aeffect.process = __processClassDeprecated;
    aeffect.setParameter = setParameterClass;
    aeffect.getParameter = getParameterClass;
    aeffect.numPrograms = numPrograms;
    aeffect.numParams = numParams;
    aeffect.numInputs = 1;
    aeffect.numOutputs = 2;
    aeffect.flags = effFlagsCanReplacing;
    aeffect.ioRatio = 1.f;
    aeffect.object = this;
    aeffect.uniqueID = kDefaultUniqueId;
    aeffect.version = 1;
    aeffect.processReplacing = processClassReplacing;
    aeffect.processDoubleReplacing = processClassDoubleReplacing;
}

AudioEffect::~AudioEffect()
{
    delete editor;
}

void AudioEffect::setEditor(AEffEditor* newEditor)
{
    editor = newEditor;
    setFlag(effFlagsHasEditor, editor != nullptr);
}

void AudioEffect::setFlag(VstInt32 bit, bool state)
{
    if (state)
        aeffect.flags |= bit;
    else
        aeffect.flags &= ~bit;
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                float opt)
{
    return audioMaster ? audioMaster(&aeffect, opcode, index, value, ptr, opt) : 0;
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value)
{
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

// A host that answers 0 is taken to be a version-1 host.
VstInt32 AudioEffect::getMasterVersion()
{
    const VstIntPtr version = callHost(audioMasterVersion);
    return version ? static_cast<VstInt32>(version) : 1;
}

VstInt32 AudioEffect::getCurrentUniqueId()
{
    return static_cast<VstInt32>(callHost(audioMasterCurrentId));
}

void AudioEffect::masterIdle()
{
    callHost(audioMasterIdle);
}

// The host answers 0 for a connected pin; without a host every pin counts as connected.
bool AudioEffect::__isInputConnectedDeprecated(VstInt32 input)
{
    return !audioMaster || callHost(audioMasterPinConnected, input, 0) == 0;
}

bool AudioEffect::__isOutputConnectedDeprecated(VstInt32 output)
{
    return !audioMaster || callHost(audioMasterPinConnected, output, 1) == 0;
}

// clang-format off
void AudioEffect::setSampleRate(float rate) { sampleRate = rate; }
void AudioEffect::setBlockSize(VstInt32 size) { blockSize = size; }
void AudioEffect::processDoubleReplacing(double**, double**, VstInt32) {}
void AudioEffect::setParameter(VstInt32, float) {}
float AudioEffect::getParameter(VstInt32) { return 0.f; }

VstInt32 AudioEffect::getProgram() { return curProgram; }
void AudioEffect::setProgram(VstInt32 program) { curProgram = program; }
void AudioEffect::setProgramName(char*) {}
void AudioEffect::getProgramName(char* name) { *name = '\0'; }
void AudioEffect::getParameterLabel(VstInt32, char* label) { *label = '\0'; }
void AudioEffect::getParameterDisplay(VstInt32, char* text) { *text = '\0'; }
void AudioEffect::getParameterName(VstInt32, char* text) { *text = '\0'; }
VstInt32 AudioEffect::getChunk(void**, bool) { return 0; }
VstInt32 AudioEffect::setChunk(void*, VstInt32, bool) { return 0; }

void AudioEffect::setUniqueID(VstInt32 iD) { aeffect.uniqueID = iD; }
void AudioEffect::setNumInputs(VstInt32 inputs) { aeffect.numInputs = inputs; }
void AudioEffect::setNumOutputs(VstInt32 outputs) { aeffect.numOutputs = outputs; }
void AudioEffect::setInitialDelay(VstInt32 delay) { aeffect.initialDelay = delay; }
void AudioEffect::canProcessReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }
void AudioEffect::canDoubleReplacing(bool state) { setFlag(effFlagsCanDoubleReplacing, state); }
void AudioEffect::programsAreChunks(bool state) { setFlag(effFlagsProgramChunks, state); }

AEffEditor* AudioEffect::getEditor() { return editor; }
AEffect* AudioEffect::getAeffect() { return &aeffect; }
float AudioEffect::getSampleRate() { return sampleRate; }
VstInt32 AudioEffect::getBlockSize() { return blockSize; }

void AudioEffect::__processDeprecated(float**, float**, VstInt32) {}
float AudioEffect::__getVuDeprecated() { return 0.f; }
void AudioEffect::__hasVuDeprecated(bool state) { setFlag(effFlagsHasVu, state); }
void AudioEffect::__hasClipDeprecated(bool state) { setFlag(effFlagsHasClip, state); }
void AudioEffect::__canMonoDeprecated(bool state) { setFlag(effFlagsCanMono, state); }
void AudioEffect::__setRealtimeQualitiesDeprecated(VstInt32 q) { aeffect.realQualities = q; }
void AudioEffect::__setOfflineQualitiesDeprecated(VstInt32 q) { aeffect.offQualities = q; }
// clang-format on
