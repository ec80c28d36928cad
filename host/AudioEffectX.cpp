// Defaults of the extended operations and the wrappers of the later
// host-callback opcodes. Without a host callback a wrapper sends nothing and
// answers its fallback (0, false or null unless noted).
#include "host/AudioEffectX.h"

namespace {
constexpr VstInt32 kVstVersion = 2400;
constexpr VstInt32 kSynthCategory = 2;
}  // namespace

AudioEffectX::AudioEffectX(audioMasterCallback audioMaster, VstInt32 numPrograms,
                           VstInt32 numParams)
    : AudioEffect(audioMaster, numPrograms, numParams) {}

void AudioEffectX::resume() {
  if (hasFlag(effFlagsIsSynth) || canDo(const_cast<char*>("receiveVstMidiEvent")) == 1)
    __wantEventsDeprecated(1);
}

// Operations the host asks about: defaults for a plug-in that overrides none.
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
bool AudioEffectX::setSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*) {
  return false;
}
bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** pluginInput,
                                         VstSpeakerArrangement** pluginOutput) {
  if (pluginInput) *pluginInput = nullptr;
  if (pluginOutput) *pluginOutput = nullptr;
  return false;
}
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
void AudioEffectX::isSynth(bool state) { setFlag(effFlagsIsSynth, state); }
void AudioEffectX::noTail(bool state) { setFlag(effFlagsNoSoundInStop, state); }
VstInt32 AudioEffectX::getGetTailSize() { return 0; }
bool AudioEffectX::getEffectName(char*) { return false; }
bool AudioEffectX::getVendorString(char*) { return false; }
bool AudioEffectX::getProductString(char*) { return false; }
VstInt32 AudioEffectX::getVendorVersion() { return 0; }
VstIntPtr AudioEffectX::vendorSpecific(VstInt32, VstIntPtr, void*, float) { return 0; }
VstInt32 AudioEffectX::canDo(char*) { return 0; }
VstInt32 AudioEffectX::getVstVersion() { return kVstVersion; }
VstInt32 AudioEffectX::getPlugCategory() { return hasFlag(effFlagsIsSynth) ? kSynthCategory : 0; }
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
void AudioEffectX::__wantAsyncOperationDeprecated(bool state) { setFlag(effFlagsExtIsAsync, state); }
void AudioEffectX::__hasExternalBufferDeprecated(bool state) {
  setFlag(effFlagsExtHasBuffer, state);
}
VstInt32 AudioEffectX::__reportCurrentPositionDeprecated() { return 0; }
float* AudioEffectX::__reportDestinationBufferDeprecated() { return nullptr; }
void AudioEffectX::__setBlockSizeAndSampleRateDeprecated(VstInt32 size, float rate) {
  blockSize = size;
  sampleRate = rate;
}
bool AudioEffectX::__getErrorTextDeprecated(char*) { return false; }
void* AudioEffectX::__getIconDeprecated() { return nullptr; }
bool AudioEffectX::__setViewPositionDeprecated(VstInt32, VstInt32) { return false; }
VstInt32 AudioEffectX::__fxIdleDeprecated() { return 0; }
bool AudioEffectX::__keysRequiredDeprecated() { return false; }

// Host-callback wrappers.
bool AudioEffectX::beginEdit(VstInt32 index) { return callHost(audioMasterBeginEdit, index) != 0; }
bool AudioEffectX::endEdit(VstInt32 index) { return callHost(audioMasterEndEdit, index) != 0; }
bool AudioEffectX::ioChanged() { return callHost(audioMasterIOChanged) != 0; }

// A host answer of zero or less is no sample rate: keep the one we have.
double AudioEffectX::updateSampleRate() {
  const VstIntPtr rate = callHost(audioMasterGetSampleRate);
  if (rate > 0) sampleRate = static_cast<float>(rate);
  return sampleRate;
}

VstInt32 AudioEffectX::updateBlockSize() {
  const VstIntPtr size = callHost(audioMasterGetBlockSize);
  if (size > 0) blockSize = static_cast<VstInt32>(size);
  return blockSize;
}

VstInt32 AudioEffectX::getInputLatency() {
  return static_cast<VstInt32>(callHost(audioMasterGetInputLatency));
}
VstInt32 AudioEffectX::getOutputLatency() {
  return static_cast<VstInt32>(callHost(audioMasterGetOutputLatency));
}
VstTimeInfo* AudioEffectX::getTimeInfo(VstInt32 filter) {
  return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter));
}
VstInt32 AudioEffectX::getCurrentProcessLevel() {
  return static_cast<VstInt32>(callHost(audioMasterGetCurrentProcessLevel));
}
VstInt32 AudioEffectX::getAutomationState() {
  return static_cast<VstInt32>(callHost(audioMasterGetAutomationState));
}
bool AudioEffectX::getHostVendorString(char* text) {
  return callHost(audioMasterGetVendorString, 0, 0, text) != 0;
}
bool AudioEffectX::getHostProductString(char* text) {
  return callHost(audioMasterGetProductString, 0, 0, text) != 0;
}
VstInt32 AudioEffectX::getHostVendorVersion() {
  return static_cast<VstInt32>(callHost(audioMasterGetVendorVersion));
}
VstIntPtr AudioEffectX::hostVendorSpecific(VstInt32 first, VstIntPtr second, void* ptr,
                                           float opt) {
  return callHost(audioMasterVendorSpecific, first, second, ptr, opt);
}
bool AudioEffectX::canHostDo(char* text) { return callHost(audioMasterCanDo, 0, 0, text) != 0; }
VstInt32 AudioEffectX::getHostLanguage() {
  return static_cast<VstInt32>(callHost(audioMasterGetLanguage));
}
void* AudioEffectX::getDirectory() {
  return reinterpret_cast<void*>(callHost(audioMasterGetDirectory));
}
bool AudioEffectX::updateDisplay() { return callHost(audioMasterUpdateDisplay) != 0; }
bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height) {
  return callHost(audioMasterSizeWindow, width, height) != 0;
}
bool AudioEffectX::openFileSelector(VstFileSelect* select) {
  return select && callHost(audioMasterOpenFileSelector, 0, 0, select) != 0;
}
bool AudioEffectX::closeFileSelector(VstFileSelect* select) {
  return select && callHost(audioMasterCloseFileSelector, 0, 0, select) != 0;
}
bool AudioEffectX::offlineRead(VstOfflineTask* task, VstInt32 option, bool readSource) {
  return callHost(audioMasterOfflineRead, readSource, option, task) != 0;
}
bool AudioEffectX::offlineWrite(VstOfflineTask* task, VstInt32 option) {
  return callHost(audioMasterOfflineWrite, 0, option, task) != 0;
}
bool AudioEffectX::offlineStart(VstAudioFile* files, VstInt32 numAudioFiles,
                                VstInt32 numNewAudioFiles) {
  return callHost(audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, files) != 0;
}
bool AudioEffectX::offlineGetCurrentPass() {
  return callHost(audioMasterOfflineGetCurrentPass) != 0;
}
bool AudioEffectX::offlineGetCurrentMetaPass() {
  return callHost(audioMasterOfflineGetCurrentMetaPass) != 0;
}

bool AudioEffectX::sendVstEventsToHost(VstEvents* events) {
  return callHost(audioMasterProcessEvents, 0, 0, events) == 1;
}

// Deprecated wrappers.
void AudioEffectX::__wantEventsDeprecated(VstInt32 filter) {
  callHost(audioMasterWantMidi, 0, filter);
}
VstInt32 AudioEffectX::__tempoAtDeprecated(VstInt32 pos) {
  return static_cast<VstInt32>(callHost(audioMasterTempoAt, 0, pos));
}
VstInt32 AudioEffectX::__getNumAutomatableParametersDeprecated() {
  return static_cast<VstInt32>(callHost(audioMasterGetNumAutomatableParameters));
}
VstInt32 AudioEffectX::__getParameterQuantizationDeprecated() {
  return static_cast<VstInt32>(callHost(audioMasterGetParameterQuantization));
}
bool AudioEffectX::__needIdleDeprecated() { return callHost(audioMasterNeedIdle) != 0; }
AEffect* AudioEffectX::__getPreviousPlugDeprecated(VstInt32) {
  return reinterpret_cast<AEffect*>(callHost(audioMasterGetPreviousPlug));
}
AEffect* AudioEffectX::__getNextPlugDeprecated(VstInt32) {
  return reinterpret_cast<AEffect*>(callHost(audioMasterGetNextPlug));
}
VstInt32 AudioEffectX::__willProcessReplacingDeprecated() {
  return static_cast<VstInt32>(callHost(audioMasterWillProcessReplacing));
}
void AudioEffectX::__setOutputSamplerateDeprecated(float rate) {
  callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, rate);
}
VstSpeakerArrangement* AudioEffectX::__getInputSpeakerArrangementDeprecated() {
  return reinterpret_cast<VstSpeakerArrangement*>(callHost(audioMasterGetInputSpeakerArrangement));
}
VstSpeakerArrangement* AudioEffectX::__getOutputSpeakerArrangementDeprecated() {
  return reinterpret_cast<VstSpeakerArrangement*>(
      callHost(audioMasterGetOutputSpeakerArrangement));
}
VstIntPtr AudioEffectX::__openWindowDeprecated(void* window) {
  return callHost(audioMasterOpenWindow, 0, 0, window);
}
bool AudioEffectX::__closeWindowDeprecated(void* window) {
  return callHost(audioMasterCloseWindow, 0, 0, window) != 0;
}
bool AudioEffectX::__getChunkFileDeprecated(void* nativePath) {
  return nativePath && callHost(audioMasterGetChunkFile, 0, 0, nativePath) != 0;
}
