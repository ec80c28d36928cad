// SPDX-License-Identifier: GPL-3.0-or-later
// Defaults of the extended operations: what a plug-in gets for every host
// question it does not answer itself.
#include "host/AudioEffectX.h"

namespace
{
constexpr VstInt32 kVstVersion = 2400;
constexpr VstInt32 kSynthCategory = 2;
} // namespace

AudioEffectX::AudioEffectX(audioMasterCallback audioMaster, VstInt32 numPrograms,
                           VstInt32 numParams)
    : AudioEffect(audioMaster, numPrograms, numParams)
{
}

// Only an instrument, or a plug-in that takes events, asks the host for them.
void AudioEffectX::resume()
{
    if (hasFlag(effFlagsIsSynth) || canDo(const_cast<char*>("receiveVstMidiEvent")) == 1)
        __wantEventsDeprecated(1);
}

bool AudioEffectX::setSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*)
{
    return false;
}

bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** pluginInput,
                                         VstSpeakerArrangement** pluginOutput)
{
    if (pluginInput) *pluginInput = nullptr;
    if (pluginOutput) *pluginOutput = nullptr;
    return false;
}

void AudioEffectX::__setBlockSizeAndSampleRateDeprecated(VstInt32 size, float rate)
{
    blockSize = size;
    sampleRate = rate;
}

VstInt32 AudioEffectX::getPlugCategory()
{
    return hasFlag(effFlagsIsSynth) ? kSynthCategory : 0;
}

// clang-format off
void AudioEffectX::isSynth(bool state) { setFlag(effFlagsIsSynth, state); }
void AudioEffectX::noTail(bool state) { setFlag(effFlagsNoSoundInStop, state); }
void AudioEffectX::__wantAsyncOperationDeprecated(bool on) { setFlag(effFlagsExtIsAsync, on); }
void AudioEffectX::__hasExternalBufferDeprecated(bool on) { setFlag(effFlagsExtHasBuffer, on); }

bool AudioEffectX::canParameterBeAutomated(VstInt32) { return true; }
bool AudioEffectX::string2parameter(VstInt32, char*) { return false; }
bool AudioEffectX::getParameterProperties(VstInt32, VstParameterProperties*) { return false; }
bool AudioEffectX::getProgramNameIndexed(VstInt32, VstInt32, char*) { return false; }
bool AudioEffectX::beginSetProgram() { return false; }
bool AudioEffectX::endSetProgram() { return false; }
VstInt32 AudioEffectX::beginLoadBank(VstPatchChunkInfo*) { return 0; }
VstInt32 AudioEffectX::beginLoadProgram(VstPatchChunkInfo*) { return 0; }
bool AudioEffectX::getInputProperties(VstInt32, VstPinProperties*) { return false; }
bool AudioEffectX::getOutputProperties(VstInt32, VstPinProperties*) { return false; }
bool AudioEffectX::setBypass(bool) { return false; }
bool AudioEffectX::setPanLaw(VstInt32, float) { return false; }
bool AudioEffectX::setProcessPrecision(VstInt32) { return false; }
VstInt32 AudioEffectX::getNumMidiInputChannels() { return 0; }
VstInt32 AudioEffectX::getNumMidiOutputChannels() { return 0; }
VstInt32 AudioEffectX::processEvents(VstEvents*) { return 0; }
VstInt32 AudioEffectX::startProcess() { return 0; }
VstInt32 AudioEffectX::stopProcess() { return 0; }
bool AudioEffectX::processVariableIo(VstVariableIo*) { return false; }
VstInt32 AudioEffectX::setTotalSampleToProcess(VstInt32 value) { return value; }
VstInt32 AudioEffectX::getGetTailSize() { return 0; }
bool AudioEffectX::getEffectName(char*) { return false; }
bool AudioEffectX::getVendorString(char*) { return false; }
bool AudioEffectX::getProductString(char*) { return false; }
VstInt32 AudioEffectX::getVendorVersion() { return 0; }
VstIntPtr AudioEffectX::vendorSpecific(VstInt32, VstIntPtr, void*, float) { return 0; }
VstInt32 AudioEffectX::canDo(char*) { return 0; }
VstInt32 AudioEffectX::getVstVersion() { return kVstVersion; }
VstInt32 AudioEffectX::getMidiProgramName(VstInt32, MidiProgramName*) { return 0; }
VstInt32 AudioEffectX::getCurrentMidiProgram(VstInt32, MidiProgramName*) { return -1; }
VstInt32 AudioEffectX::getMidiProgramCategory(VstInt32, MidiProgramCategory*) { return 0; }
bool AudioEffectX::hasMidiProgramsChanged(VstInt32) { return false; }
bool AudioEffectX::getMidiKeyName(VstInt32, MidiKeyName*) { return false; }
VstInt32 AudioEffectX::getNextShellPlugin(char*) { return 0; }
bool AudioEffectX::offlineNotify(VstAudioFile*, VstInt32, bool) { return false; }
bool AudioEffectX::offlinePrepare(VstOfflineTask*, VstInt32) { return false; }
bool AudioEffectX::offlineRun(VstOfflineTask*, VstInt32) { return false; }
VstInt32 AudioEffectX::offlineGetNumPasses() { return 0; }
VstInt32 AudioEffectX::offlineGetNumMetaPasses() { return 0; }

VstInt32 AudioEffectX::__getNumCategoriesDeprecated() { return 1; }
bool AudioEffectX::__copyProgramDeprecated(VstInt32) { return false; }
void AudioEffectX::__inputConnectedDeprecated(VstInt32, bool) {}
void AudioEffectX::__outputConnectedDeprecated(VstInt32, bool) {}
VstInt32 AudioEffectX::__reportCurrentPositionDeprecated() { return 0; }
float* AudioEffectX::__reportDestinationBufferDeprecated() { return nullptr; }
bool AudioEffectX::__getErrorTextDeprecated(char*) { return false; }
void* AudioEffectX::__getIconDeprecated() { return nullptr; }
bool AudioEffectX::__setViewPositionDeprecated(VstInt32, VstInt32) { return false; }
VstInt32 AudioEffectX::__fxIdleDeprecated() { return 0; }
bool AudioEffectX::__keysRequiredDeprecated() { return false; }
// clang-format on
