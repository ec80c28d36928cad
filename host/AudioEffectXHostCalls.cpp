// SPDX-License-Identifier: GPL-3.0-or-later
// Wrappers of the later host-callback opcodes. Without a host callback
// callHost answers 0, so each wrapper falls back to 0, false or null.
#include "host/AudioEffectX.h"

namespace
{
VstInt32 asInt(VstIntPtr answer)
{
    return static_cast<VstInt32>(answer);
}

template <typename T> T* asPointer(VstIntPtr answer)
{
    return reinterpret_cast<T*>(answer);
}
} // namespace

// A host answer of zero or less is no sample rate: keep the one we have.
double AudioEffectX::updateSampleRate()
{
    const VstIntPtr rate = callHost(audioMasterGetSampleRate);
    if (rate > 0) sampleRate = static_cast<float>(rate);
    return sampleRate;
}

VstInt32 AudioEffectX::updateBlockSize()
{
    const VstIntPtr size = callHost(audioMasterGetBlockSize);
    if (size > 0) blockSize = static_cast<VstInt32>(size);
    return blockSize;
}

// The host takes the events only when it answers exactly 1.
bool AudioEffectX::sendVstEventsToHost(VstEvents* events)
{
    return callHost(audioMasterProcessEvents, 0, 0, events) == 1;
}

// A missing file selector or path is not sent.
bool AudioEffectX::openFileSelector(VstFileSelect* select)
{
    return select && callHost(audioMasterOpenFileSelector, 0, 0, select) != 0;
}

bool AudioEffectX::closeFileSelector(VstFileSelect* select)
{
    return select && callHost(audioMasterCloseFileSelector, 0, 0, select) != 0;
}

bool AudioEffectX::__getChunkFileDeprecated(void* path)
{
    return path && callHost(audioMasterGetChunkFile, 0, 0, path) != 0;
}

// The rest pass their arguments on and convert the answer.
// clang-format off
bool AudioEffectX::beginEdit(VstInt32 index) { return callHost(audioMasterBeginEdit, index) != 0; }
bool AudioEffectX::endEdit(VstInt32 index) { return callHost(audioMasterEndEdit, index) != 0; }
bool AudioEffectX::ioChanged() { return callHost(audioMasterIOChanged) != 0; }
bool AudioEffectX::updateDisplay() { return callHost(audioMasterUpdateDisplay) != 0; }
bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height)
    { return callHost(audioMasterSizeWindow, width, height) != 0; }
bool AudioEffectX::canHostDo(char* text) { return callHost(audioMasterCanDo, 0, 0, text) != 0; }
bool AudioEffectX::getHostVendorString(char* text)
    { return callHost(audioMasterGetVendorString, 0, 0, text) != 0; }
bool AudioEffectX::getHostProductString(char* text)
    { return callHost(audioMasterGetProductString, 0, 0, text) != 0; }
VstInt32 AudioEffectX::getHostVendorVersion()
    { return asInt(callHost(audioMasterGetVendorVersion)); }
VstIntPtr AudioEffectX::hostVendorSpecific(VstInt32 first, VstIntPtr second, void* ptr, float opt)
    { return callHost(audioMasterVendorSpecific, first, second, ptr, opt); }
VstInt32 AudioEffectX::getHostLanguage() { return asInt(callHost(audioMasterGetLanguage)); }
VstInt32 AudioEffectX::getInputLatency() { return asInt(callHost(audioMasterGetInputLatency)); }
VstInt32 AudioEffectX::getOutputLatency() { return asInt(callHost(audioMasterGetOutputLatency)); }
VstInt32 AudioEffectX::getCurrentProcessLevel()
    { return asInt(callHost(audioMasterGetCurrentProcessLevel)); }
VstInt32 AudioEffectX::getAutomationState()
    { return asInt(callHost(audioMasterGetAutomationState)); }
VstTimeInfo* AudioEffectX::getTimeInfo(VstInt32 filter)
    { return asPointer<VstTimeInfo>(callHost(audioMasterGetTime, 0, filter)); }
void* AudioEffectX::getDirectory() { return asPointer<void>(callHost(audioMasterGetDirectory)); }

bool AudioEffectX::offlineStart(VstAudioFile* files, VstInt32 numAudioFiles, VstInt32 numNew)
    { return callHost(audioMasterOfflineStart, numNew, numAudioFiles, files) != 0; }
bool AudioEffectX::offlineRead(VstOfflineTask* task, VstInt32 option, bool readSource)
    { return callHost(audioMasterOfflineRead, readSource, option, task) != 0; }
bool AudioEffectX::offlineWrite(VstOfflineTask* task, VstInt32 option)
    { return callHost(audioMasterOfflineWrite, 0, option, task) != 0; }
bool AudioEffectX::offlineGetCurrentPass()
    { return callHost(audioMasterOfflineGetCurrentPass) != 0; }
bool AudioEffectX::offlineGetCurrentMetaPass()
    { return callHost(audioMasterOfflineGetCurrentMetaPass) != 0; }

void AudioEffectX::__wantEventsDeprecated(VstInt32 filter)
    { callHost(audioMasterWantMidi, 0, filter); }
VstInt32 AudioEffectX::__tempoAtDeprecated(VstInt32 pos)
    { return asInt(callHost(audioMasterTempoAt, 0, pos)); }
VstInt32 AudioEffectX::__getNumAutomatableParametersDeprecated()
    { return asInt(callHost(audioMasterGetNumAutomatableParameters)); }
VstInt32 AudioEffectX::__getParameterQuantizationDeprecated()
    { return asInt(callHost(audioMasterGetParameterQuantization)); }
bool AudioEffectX::__needIdleDeprecated() { return callHost(audioMasterNeedIdle) != 0; }
AEffect* AudioEffectX::__getPreviousPlugDeprecated(VstInt32)
    { return asPointer<AEffect>(callHost(audioMasterGetPreviousPlug)); }
AEffect* AudioEffectX::__getNextPlugDeprecated(VstInt32)
    { return asPointer<AEffect>(callHost(audioMasterGetNextPlug)); }
VstInt32 AudioEffectX::__willProcessReplacingDeprecated()
    { return asInt(callHost(audioMasterWillProcessReplacing)); }
void AudioEffectX::__setOutputSamplerateDeprecated(float rate)
    { callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, rate); }
VstSpeakerArrangement* AudioEffectX::__getInputSpeakerArrangementDeprecated()
    { return asPointer<VstSpeakerArrangement>(callHost(audioMasterGetInputSpeakerArrangement)); }
VstSpeakerArrangement* AudioEffectX::__getOutputSpeakerArrangementDeprecated()
    { return asPointer<VstSpeakerArrangement>(callHost(audioMasterGetOutputSpeakerArrangement)); }
VstIntPtr AudioEffectX::__openWindowDeprecated(void* window)
    { return callHost(audioMasterOpenWindow, 0, 0, window); }
bool AudioEffectX::__closeWindowDeprecated(void* window)
    { return callHost(audioMasterCloseWindow, 0, 0, window) != 0; }
// clang-format on
