// SPDX-License-Identifier: GPL-3.0-or-later
// Opcodes 25 to 79 onto the virtual operations; everything else goes to the
// base dispatcher. Null pointers and indices out of range from the host
// write nothing and answer 0.
#include <cmath>

#include "host/AEffEditor.h"
#include "host/AudioEffectX.h"
#include "host/text.h"

namespace
{
VstIntPtr answer(bool result)
{
    return result ? 1 : 0;
}

// Hands the host one of the effect's strings, cut to the buffer the host passes for it.
VstIntPtr hostString(AudioEffectX& effect, bool (AudioEffectX::*get)(char*), void* ptr,
                     size_t maxLen)
{
    return answer(ptr &&
                  writeHostText(ptr, maxLen, [&](char* text) { return (effect.*get)(text); }));
}

// The modifier bits travel in opt as a float; one beyond an integer's range means none.
VstKeyCode keyCode(VstInt32 index, VstIntPtr value, float opt)
{
    const VstInt32 modifier = std::fabs(opt) < 2147483648.f ? static_cast<VstInt32>(opt) : 0;
    return VstKeyCode{index, static_cast<unsigned char>(value & 0xFF),
                      static_cast<unsigned char>(modifier & 0xFF)};
}

template <typename T> T* as(void* ptr)
{
    return static_cast<T*>(ptr);
}

// The Mac build does not dispatch these deprecated opcodes: they reach the base dispatcher,
// which answers 0 and calls nothing.
bool leftToTheBase(VstInt32 opcode)
{
#if defined(__APPLE__)
    switch (opcode)
    {
    case effGetNumProgramCategories:
    case effCopyProgram:
    case effConnectInput:
    case effConnectOutput:
    case effGetCurrentPosition:
    case effGetDestinationBuffer:
    case effSetBlockSizeAndSampleRate:
    case effGetErrorText:
    case effIdle:
    case effGetIcon:
    case effSetViewPosition:
    case effKeysRequired:
        return true;
    default:
        return false;
    }
#else
    (void)opcode;
    return false;
#endif
}
} // namespace

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt)
{
    const bool isParameter = index >= 0 && index < numParams;
    const auto value32 = static_cast<VstInt32>(value);
    auto* text = as<char>(ptr);
    auto* valuePtr = reinterpret_cast<void*>(value);
    if (leftToTheBase(opcode)) return AudioEffect::dispatcher(opcode, index, value, ptr, opt);

    switch (opcode)
    {
    case effProcessEvents:
        return ptr ? processEvents(as<VstEvents>(ptr)) : 0;
    case effCanBeAutomated:
        return answer(isParameter && canParameterBeAutomated(index));
    case effString2Parameter:
        return answer(text && isParameter && string2parameter(index, text));
    case effGetNumProgramCategories:
        return __getNumCategoriesDeprecated();
    case effGetProgramNameIndexed:
        if (!text || index < 0 || index >= numPrograms) return 0;
        return answer(writeHostText(text, kProgramNameLength,
                                    [&](char* t)
                                    { return getProgramNameIndexed(value32, index, t); }));
    case effCopyProgram:
        return answer(__copyProgramDeprecated(index));
    case effConnectInput:
        __inputConnectedDeprecated(index, value != 0);
        return 1;
    case effConnectOutput:
        __outputConnectedDeprecated(index, value != 0);
        return 1;
    case effGetInputProperties:
        if (!ptr || index < 0 || index >= aeffect.numInputs) return 0;
        return answer(getInputProperties(index, as<VstPinProperties>(ptr)));
    case effGetOutputProperties:
        if (!ptr || index < 0 || index >= aeffect.numOutputs) return 0;
        return answer(getOutputProperties(index, as<VstPinProperties>(ptr)));
    case effGetPlugCategory:
        return getPlugCategory();
    case effGetCurrentPosition:
        return __reportCurrentPositionDeprecated();
    case effGetDestinationBuffer:
        return reinterpret_cast<VstIntPtr>(__reportDestinationBufferDeprecated());
    case effOfflineNotify:
        return answer(ptr && offlineNotify(as<VstAudioFile>(ptr), value32, index != 0));
    case effOfflinePrepare:
        return answer(ptr && offlinePrepare(as<VstOfflineTask>(ptr), value32));
    case effOfflineRun:
        return answer(ptr && offlineRun(as<VstOfflineTask>(ptr), value32));
    case effProcessVarIo:
        return answer(ptr && processVariableIo(as<VstVariableIo>(ptr)));
    case effSetSpeakerArrangement:
        return answer(valuePtr && ptr &&
                      setSpeakerArrangement(as<VstSpeakerArrangement>(valuePtr),
                                            as<VstSpeakerArrangement>(ptr)));
    case effSetBlockSizeAndSampleRate:
        if (isValidSampleRate(opt)) __setBlockSizeAndSampleRateDeprecated(value32, opt);
        return 1;
    case effSetBypass:
        return answer(setBypass(value != 0));
    case effGetEffectName:
        return hostString(*this, &AudioEffectX::getEffectName, ptr, kEffectNameLength);
    case effGetErrorText:
        return hostString(*this, &AudioEffectX::__getErrorTextDeprecated, ptr, kNameStringLength);
    case effGetVendorString:
        return hostString(*this, &AudioEffectX::getVendorString, ptr, kNameStringLength);
    case effGetProductString:
        return hostString(*this, &AudioEffectX::getProductString, ptr, kNameStringLength);
    case effGetVendorVersion:
        return getVendorVersion();
    case effVendorSpecific:
        return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
        return text ? canDo(text) : 0;
    case effGetTailSize:
        return getGetTailSize();
    case effIdle:
        return __fxIdleDeprecated();
    case effGetIcon:
        return reinterpret_cast<VstIntPtr>(__getIconDeprecated());
    case effSetViewPosition:
        return answer(__setViewPositionDeprecated(index, value32));
    case effGetParameterProperties:
        return answer(ptr && isParameter &&
                      getParameterProperties(index, as<VstParameterProperties>(ptr)));
    case effKeysRequired:
        return answer(!__keysRequiredDeprecated());
    case effGetVstVersion:
        return getVstVersion();
    case effEditKeyDown:
    case effEditKeyUp:
    {
        if (!editor) return 0;
        VstKeyCode key = keyCode(index, value, opt);
        return answer(opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key));
    }
    case effSetEditKnobMode:
        return answer(editor && editor->setKnobMode(value32));
    case effGetMidiProgramName:
        return ptr ? getMidiProgramName(index, as<MidiProgramName>(ptr)) : 0;
    case effGetCurrentMidiProgram:
        return ptr ? getCurrentMidiProgram(index, as<MidiProgramName>(ptr)) : -1;
    case effGetMidiProgramCategory:
        return ptr ? getMidiProgramCategory(index, as<MidiProgramCategory>(ptr)) : 0;
    case effHasMidiProgramsChanged:
        return answer(hasMidiProgramsChanged(index));
    case effGetMidiKeyName:
        return answer(ptr && getMidiKeyName(index, as<MidiKeyName>(ptr)));
    case effBeginSetProgram:
        return answer(beginSetProgram());
    case effEndSetProgram:
        return answer(endSetProgram());
    case effGetSpeakerArrangement:
        return answer(valuePtr && ptr &&
                      getSpeakerArrangement(as<VstSpeakerArrangement*>(valuePtr),
                                            as<VstSpeakerArrangement*>(ptr)));
    case effShellGetNextPlugin:
        if (!text) return 0;
        return writeHostText(text, kNameStringLength,
                             [&](char* t) { return getNextShellPlugin(t); });
    case effStartProcess:
        return startProcess();
    case effStopProcess:
        return stopProcess();
    case effSetTotalSampleToProcess:
        return setTotalSampleToProcess(value32);
    case effSetPanLaw:
        return answer(setPanLaw(value32, opt));
    case effBeginLoadBank:
        return ptr ? beginLoadBank(as<VstPatchChunkInfo>(ptr)) : 0;
    case effBeginLoadProgram:
        return ptr ? beginLoadProgram(as<VstPatchChunkInfo>(ptr)) : 0;
    case effSetProcessPrecision:
        return answer(setProcessPrecision(value32));
    case effGetNumMidiInputChannels:
        return getNumMidiInputChannels();
    case effGetNumMidiOutputChannels:
        return getNumMidiOutputChannels();
    default:
        return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    }
}
