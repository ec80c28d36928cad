// Opcodes 25 to 79 onto the virtual operations; everything else goes to the
// base dispatcher. Null pointers and indices out of range from the host
// write nothing and answer 0.
#include <cmath>

#include "gui/AEffEditor.h"
#include "host/AudioEffectX.h"
#include "host/text.h"

namespace {
VstIntPtr answer(bool result) { return result ? 1 : 0; }

VstKeyCode keyCode(VstInt32 index, VstIntPtr value, float opt) {
  return VstKeyCode{index, static_cast<unsigned char>(value & 0xFF),
                    static_cast<unsigned char>(static_cast<VstInt32>(opt) & 0xFF)};
}
}  // namespace

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt) {
  const bool isParameter = index >= 0 && index < numParams;
  char* text = static_cast<char*>(ptr);
  auto name = [&](bool (AudioEffectX::*get)(char*)) {
    return answer(text && writeHostText(text, kNameStringLength, [&](char* t) { return (this->*get)(t); }));
  };
  auto arrangement = [](VstIntPtr v) { return reinterpret_cast<VstSpeakerArrangement*>(v); };
  const auto v32 = static_cast<VstInt32>(value);

  switch (opcode) {
    case effProcessEvents: return ptr ? processEvents(static_cast<VstEvents*>(ptr)) : 0;
    case effCanBeAutomated: return answer(isParameter && canParameterBeAutomated(index));
    case effString2Parameter: return answer(text && isParameter && string2parameter(index, text));
    case effGetNumProgramCategories: return __getNumCategoriesDeprecated();
    case effGetProgramNameIndexed:
      if (!text || index < 0 || index >= numPrograms) return 0;
      return answer(writeHostText(text, kProgramNameLength,
                                  [&](char* t) { return getProgramNameIndexed(v32, index, t); }));
    case effCopyProgram: return answer(__copyProgramDeprecated(index));
    case effConnectInput: __inputConnectedDeprecated(index, value != 0); return 1;
    case effConnectOutput: __outputConnectedDeprecated(index, value != 0); return 1;
    case effGetInputProperties:
      if (!ptr || index < 0 || index >= aeffect.numInputs) return 0;
      return answer(getInputProperties(index, static_cast<VstPinProperties*>(ptr)));
    case effGetOutputProperties:
      if (!ptr || index < 0 || index >= aeffect.numOutputs) return 0;
      return answer(getOutputProperties(index, static_cast<VstPinProperties*>(ptr)));
    case effGetPlugCategory: return getPlugCategory();
    case effGetCurrentPosition: return __reportCurrentPositionDeprecated();
    case effGetDestinationBuffer:
      return reinterpret_cast<VstIntPtr>(__reportDestinationBufferDeprecated());
    case effOfflineNotify:
      return answer(ptr && offlineNotify(static_cast<VstAudioFile*>(ptr), v32, index != 0));
    case effOfflinePrepare:
      return answer(ptr && offlinePrepare(static_cast<VstOfflineTask*>(ptr), v32));
    case effOfflineRun: return answer(ptr && offlineRun(static_cast<VstOfflineTask*>(ptr), v32));
    case effProcessVarIo: return answer(ptr && processVariableIo(static_cast<VstVariableIo*>(ptr)));
    case effSetSpeakerArrangement:
      return answer(value && ptr &&
                    setSpeakerArrangement(arrangement(value),
                                          static_cast<VstSpeakerArrangement*>(ptr)));
    case effSetBlockSizeAndSampleRate:
      if (std::isfinite(opt) && opt > 0.f) __setBlockSizeAndSampleRateDeprecated(v32, opt);
      return 1;
    case effSetBypass: return answer(setBypass(value != 0));
    case effGetEffectName: return name(&AudioEffectX::getEffectName);
    case effGetErrorText: return name(&AudioEffectX::__getErrorTextDeprecated);
    case effGetVendorString: return name(&AudioEffectX::getVendorString);
    case effGetProductString: return name(&AudioEffectX::getProductString);
    case effGetVendorVersion: return getVendorVersion();
    case effVendorSpecific: return vendorSpecific(index, value, ptr, opt);
    case effCanDo: return text ? canDo(text) : 0;
    case effGetTailSize: return getGetTailSize();
    case effIdle: return __fxIdleDeprecated();
    case effGetIcon: return reinterpret_cast<VstIntPtr>(__getIconDeprecated());
    case effSetViewPosition: return answer(__setViewPositionDeprecated(index, v32));
    case effGetParameterProperties:
      return answer(ptr && isParameter &&
                    getParameterProperties(index, static_cast<VstParameterProperties*>(ptr)));
    case effKeysRequired: return answer(!__keysRequiredDeprecated());
    case effGetVstVersion: return getVstVersion();
    case effEditKeyDown:
    case effEditKeyUp: {
      if (!editor) return 0;
      VstKeyCode key = keyCode(index, value, opt);
      return answer(opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key));
    }
    case effSetEditKnobMode: return answer(editor && editor->setKnobMode(v32));
    case effGetMidiProgramName:
      return ptr ? getMidiProgramName(index, static_cast<MidiProgramName*>(ptr)) : 0;
    case effGetCurrentMidiProgram:
      return ptr ? getCurrentMidiProgram(index, static_cast<MidiProgramName*>(ptr)) : -1;
    case effGetMidiProgramCategory:
      return ptr ? getMidiProgramCategory(index, static_cast<MidiProgramCategory*>(ptr)) : 0;
    case effHasMidiProgramsChanged: return answer(hasMidiProgramsChanged(index));
    case effGetMidiKeyName:
      return answer(ptr && getMidiKeyName(index, static_cast<MidiKeyName*>(ptr)));
    case effBeginSetProgram: return answer(beginSetProgram());
    case effEndSetProgram: return answer(endSetProgram());
    case effGetSpeakerArrangement:
      return answer(value && ptr &&
                    getSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(value),
                                          static_cast<VstSpeakerArrangement**>(ptr)));
    case effShellGetNextPlugin:
      return text ? writeHostText(text, kNameStringLength,
                                  [&](char* t) { return getNextShellPlugin(t); })
                  : 0;
    case effStartProcess: return startProcess();
    case effStopProcess: return stopProcess();
    case effSetTotalSampleToProcess: return setTotalSampleToProcess(v32);
    case effSetPanLaw: return answer(setPanLaw(v32, opt));
    case effBeginLoadBank: return ptr ? beginLoadBank(static_cast<VstPatchChunkInfo*>(ptr)) : 0;
    case effBeginLoadProgram:
      return ptr ? beginLoadProgram(static_cast<VstPatchChunkInfo*>(ptr)) : 0;
    case effSetProcessPrecision: return answer(setProcessPrecision(v32));
    case effGetNumMidiInputChannels: return getNumMidiInputChannels();
    case effGetNumMidiOutputChannels: return getNumMidiOutputChannels();
    default: return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
  }
}
