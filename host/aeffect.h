// SPDX-License-Identifier: GPL-3.0-or-later
// The effect record shared with the host, the host callback, the opcodes of
// both directions and the small records that travel with them. Plain C layout:
// the host reads these bytes directly.
#pragma once

#include <cstddef>
#include <cstdint>

typedef int32_t VstInt32;
typedef intptr_t VstIntPtr;

struct AEffect;

// The host's side: (record, opcode, index, value, ptr, opt) -> answer.
// The record is null on the very first call (the version query).
typedef VstIntPtr (*audioMasterCallback)(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                         VstIntPtr value, void* ptr, float opt);

typedef VstIntPtr (*AEffectDispatcher)(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                       VstIntPtr value, void* ptr, float opt);
typedef void (*AEffectProcess)(AEffect* effect, float** inputs, float** outputs,
                               VstInt32 sampleFrames);
typedef void (*AEffectProcessDouble)(AEffect* effect, double** inputs, double** outputs,
                                     VstInt32 sampleFrames);
typedef void (*AEffectSetParameter)(AEffect* effect, VstInt32 index, float value);
typedef float (*AEffectGetParameter)(AEffect* effect, VstInt32 index);

// 'VstP' read as a big-endian 32-bit number.
constexpr VstInt32 kEffectMagic = 0x56737450;

struct AEffect
{
    VstInt32 magic;
    AEffectDispatcher dispatcher;
    AEffectProcess process; // deprecated accumulating process call
    AEffectSetParameter setParameter;
    AEffectGetParameter getParameter;
    VstInt32 numPrograms;
    VstInt32 numParams;
    VstInt32 numInputs;
    VstInt32 numOutputs;
    VstInt32 flags;
    VstIntPtr reserved1;
    VstIntPtr reserved2;
    VstInt32 initialDelay;
    VstInt32 realQualities; // deprecated
    VstInt32 offQualities;  // deprecated
    float ioRatio;
    void* object; // the effect object behind this record
    void* user;   // the host's; never read by the plug-in
    VstInt32 uniqueID;
    VstInt32 version;
    AEffectProcess processReplacing;
    AEffectProcessDouble processDoubleReplacing;
    char future[56];
};

// The pointer-sized fields widen with the pointer; everything else keeps its width.
static_assert(offsetof(AEffect, magic) == 0, "record layout");
static_assert(offsetof(AEffect, dispatcher) == sizeof(void*), "record layout");
static_assert(offsetof(AEffect, numPrograms) == 5 * sizeof(void*), "record layout");
static_assert(sizeof(void*) != 8 || offsetof(AEffect, flags) == 56, "record layout");
static_assert(sizeof(void*) != 8 || offsetof(AEffect, reserved1) == 64, "record layout");
static_assert(sizeof(void*) != 8 || offsetof(AEffect, initialDelay) == 80, "record layout");
static_assert(sizeof(void*) != 8 || offsetof(AEffect, ioRatio) == 92, "record layout");
static_assert(sizeof(void*) != 8 || offsetof(AEffect, object) == 96, "record layout");
static_assert(sizeof(void*) != 8 || offsetof(AEffect, uniqueID) == 112, "record layout");
static_assert(sizeof(void*) != 8 || offsetof(AEffect, processReplacing) == 120, "record layout");
static_assert(sizeof(void*) != 8 || offsetof(AEffect, future) == 136, "record layout");
static_assert(sizeof(void*) != 8 || sizeof(AEffect) == 192, "record layout");
// The 32-bit layout hosts on x86 rely on, field by field.
static_assert(sizeof(void*) != 4 || offsetof(AEffect, process) == 8, "record layout");
static_assert(sizeof(void*) != 4 || offsetof(AEffect, getParameter) == 16, "record layout");
static_assert(sizeof(void*) != 4 || offsetof(AEffect, numPrograms) == 20, "record layout");
static_assert(sizeof(void*) != 4 || offsetof(AEffect, flags) == 36, "record layout");
static_assert(sizeof(void*) != 4 || offsetof(AEffect, reserved2) == 44, "record layout");
static_assert(sizeof(void*) != 4 || offsetof(AEffect, initialDelay) == 48, "record layout");
static_assert(sizeof(void*) != 4 || offsetof(AEffect, ioRatio) == 60, "record layout");
static_assert(sizeof(void*) != 4 || offsetof(AEffect, object) == 64, "record layout");
static_assert(sizeof(void*) != 4 || offsetof(AEffect, user) == 68, "record layout");
static_assert(sizeof(void*) != 4 || offsetof(AEffect, uniqueID) == 72, "record layout");
static_assert(sizeof(void*) != 4 || offsetof(AEffect, processReplacing) == 80, "record layout");
static_assert(sizeof(void*) != 4 || offsetof(AEffect, processDoubleReplacing) == 84,
              "record layout");
static_assert(sizeof(void*) != 4 || offsetof(AEffect, future) == 88, "record layout");
static_assert(sizeof(void*) != 4 || sizeof(AEffect) == 144, "record layout");

// Capability bits of AEffect::flags.
enum
{
    effFlagsHasEditor = 1 << 0,
    effFlagsHasClip = 1 << 1, // deprecated
    effFlagsHasVu = 1 << 2,   // deprecated
    effFlagsCanMono = 1 << 3, // deprecated
    effFlagsCanReplacing = 1 << 4,
    effFlagsProgramChunks = 1 << 5,
    effFlagsIsSynth = 1 << 8,
    effFlagsNoSoundInStop = 1 << 9,
    effFlagsExtIsAsync = 1 << 10,   // deprecated
    effFlagsExtHasBuffer = 1 << 11, // deprecated
    effFlagsCanDoubleReplacing = 1 << 12,
};

// Opcodes the host sends through AEffect::dispatcher.
enum
{
    effOpen = 0,
    effClose,
    effSetProgram,
    effGetProgram,
    effSetProgramName,
    effGetProgramName,
    effGetParamLabel,
    effGetParamDisplay,
    effGetParamName,
    effGetVu, // deprecated
    effSetSampleRate,
    effSetBlockSize,
    effMainsChanged,
    effEditGetRect,
    effEditOpen,
    effEditClose,
    effEditDraw,  // deprecated
    effEditMouse, // deprecated
    effEditKey,   // deprecated
    effEditIdle,
    effEditTop,   // deprecated
    effEditSleep, // deprecated
    effIdentify,  // deprecated
    effGetChunk,
    effSetChunk,
    effProcessEvents, // 25
    effCanBeAutomated,
    effString2Parameter,
    effGetNumProgramCategories, // deprecated
    effGetProgramNameIndexed,
    effCopyProgram,   // deprecated
    effConnectInput,  // deprecated
    effConnectOutput, // deprecated
    effGetInputProperties,
    effGetOutputProperties,
    effGetPlugCategory,
    effGetCurrentPosition,   // deprecated
    effGetDestinationBuffer, // deprecated
    effOfflineNotify,
    effOfflinePrepare,
    effOfflineRun, // 40
    effProcessVarIo,
    effSetSpeakerArrangement,
    effSetBlockSizeAndSampleRate, // deprecated
    effSetBypass,
    effGetEffectName,
    effGetErrorText, // deprecated
    effGetVendorString,
    effGetProductString,
    effGetVendorVersion,
    effVendorSpecific, // 50
    effCanDo,
    effGetTailSize,
    effIdle,            // deprecated
    effGetIcon,         // deprecated
    effSetViewPosition, // deprecated
    effGetParameterProperties,
    effKeysRequired, // deprecated
    effGetVstVersion,
    effEditKeyDown,
    effEditKeyUp, // 60
    effSetEditKnobMode,
    effGetMidiProgramName,
    effGetCurrentMidiProgram,
    effGetMidiProgramCategory,
    effHasMidiProgramsChanged,
    effGetMidiKeyName,
    effBeginSetProgram,
    effEndSetProgram,
    effGetSpeakerArrangement,
    effShellGetNextPlugin, // 70
    effStartProcess,
    effStopProcess,
    effSetTotalSampleToProcess,
    effSetPanLaw,
    effBeginLoadBank,
    effBeginLoadProgram,
    effSetProcessPrecision,
    effGetNumMidiInputChannels,
    effGetNumMidiOutputChannels, // 79
};

// Opcodes the plug-in sends through the host callback.
enum
{
    audioMasterAutomate = 0,
    audioMasterVersion,
    audioMasterCurrentId,
    audioMasterIdle,
    audioMasterPinConnected, // deprecated
    audioMasterWantMidi = 6, // deprecated
    audioMasterGetTime,
    audioMasterProcessEvents,
    audioMasterTempoAt = 10,                // deprecated
    audioMasterGetNumAutomatableParameters, // deprecated
    audioMasterGetParameterQuantization,    // deprecated
    audioMasterIOChanged,
    audioMasterNeedIdle, // deprecated
    audioMasterSizeWindow,
    audioMasterGetSampleRate,
    audioMasterGetBlockSize,
    audioMasterGetInputLatency,
    audioMasterGetOutputLatency,
    audioMasterGetPreviousPlug,      // deprecated
    audioMasterGetNextPlug,          // deprecated
    audioMasterWillProcessReplacing, // deprecated
    audioMasterGetCurrentProcessLevel,
    audioMasterGetAutomationState,
    audioMasterOfflineStart, // 25
    audioMasterOfflineRead,
    audioMasterOfflineWrite,
    audioMasterOfflineGetCurrentPass,
    audioMasterOfflineGetCurrentMetaPass,
    audioMasterSetOutputSampleRate,         // 30, deprecated
    audioMasterGetOutputSpeakerArrangement, // deprecated
    audioMasterGetVendorString,
    audioMasterGetProductString,
    audioMasterGetVendorVersion,
    audioMasterVendorSpecific,
    audioMasterCanDo = 37,
    audioMasterGetLanguage,
    audioMasterOpenWindow,  // deprecated
    audioMasterCloseWindow, // 40, deprecated
    audioMasterGetDirectory,
    audioMasterUpdateDisplay,
    audioMasterBeginEdit,
    audioMasterEndEdit,
    audioMasterOpenFileSelector,
    audioMasterCloseFileSelector,
    audioMasterGetChunkFile = 48,          // deprecated
    audioMasterGetInputSpeakerArrangement, // deprecated
};

// The editor's rectangle as the host sees it.
struct ERect
{
    int16_t top;
    int16_t left;
    int16_t bottom;
    int16_t right;
};

// A key event passed to the editor.
struct VstKeyCode
{
    VstInt32 character;
    unsigned char virt;     // virtual key code
    unsigned char modifier; // modifier bits
};

struct VstSpeakerProperties
{
    float azimuth;
    float elevation;
    float radius;
    float reserved;
    char name[64];
    VstInt32 type;
    char future[28];
};
static_assert(sizeof(VstSpeakerProperties) == 112, "speaker record layout");

// A header followed by numChannels speaker records back to back; made as a
// single block of 8 + 112 * numChannels bytes.
struct VstSpeakerArrangement
{
    VstInt32 type;
    VstInt32 numChannels;
    VstSpeakerProperties speakers[1]; // really numChannels of them
};
constexpr size_t kSpeakerArrangementHeaderSize = offsetof(VstSpeakerArrangement, speakers);
static_assert(kSpeakerArrangementHeaderSize == 8, "speaker arrangement layout");

// Records that pass between the host and the plug-in without being looked into here.
struct VstEvents;
struct VstTimeInfo;
struct VstPinProperties;
struct VstParameterProperties;
struct VstPatchChunkInfo;
struct VstVariableIo;
struct VstAudioFile;
struct VstOfflineTask;
struct VstFileSelect;
struct MidiProgramName;
struct MidiProgramCategory;
struct MidiKeyName;
