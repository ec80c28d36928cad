// SPDX-License-Identifier: GPL-3.0-or-later
// Opcodes 0 to 24 onto the virtual operations. Pointers and indices come from
// the host unchecked: a null pointer or an index outside the parameters
// writes nothing and answers 0.
#include <cmath>
#include <cstdint>

#include "host/AEffEditor.h"
#include "host/AudioEffect.h"
#include "host/text.h"

namespace
{
constexpr VstIntPtr kIdentifyAnswer = 0x4E764566; // 'NvEf'
// The Mac build answers 0 to the meter opcode without asking the effect.
#if defined(__APPLE__)
constexpr bool kAsksMeter = false;
#else
constexpr bool kAsksMeter = true;
#endif

// The meter reading scaled to 16 bits; a reading that is no number reads 0.
VstIntPtr vuAnswer(float vu)
{
    const float scaled = vu * 32767.f;
    return std::fabs(scaled) < 2147483647.f ? static_cast<VstIntPtr>(scaled) : 0;
}
} // namespace

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                  float opt)
{
    const bool isParameterText = ptr && index >= 0 && index < numParams;
    switch (opcode)
    {
    case effOpen:
        open();
        return 0;
    case effClose:
        close();
        return 0;
    case effSetProgram:
        if (value >= 0 && value < numPrograms) setProgram(static_cast<VstInt32>(value));
        return 0;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
        if (ptr)
        {
            // The host's text may be longer than a program name, or unterminated.
            char name[kProgramNameLength + 1];
            copyText(name, static_cast<const char*>(ptr), kProgramNameLength);
            setProgramName(name);
        }
        return 0;
    case effGetProgramName:
        if (ptr) writeHostText(ptr, kProgramNameLength, [&](char* t) { getProgramName(t); });
        return 0;
    case effGetParamLabel:
        if (isParameterText)
            writeHostText(ptr, kParamTextLength, [&](char* t) { getParameterLabel(index, t); });
        return 0;
    case effGetParamDisplay:
        if (isParameterText)
            writeHostText(ptr, kParamTextLength, [&](char* t) { getParameterDisplay(index, t); });
        return 0;
    case effGetParamName:
        if (isParameterText)
            writeHostText(ptr, kParamTextLength, [&](char* t) { getParameterName(index, t); });
        return 0;
    case effGetVu:
        return kAsksMeter ? vuAnswer(__getVuDeprecated()) : 0;
    case effSetSampleRate:
        if (isValidSampleRate(opt)) setSampleRate(opt);
        return 0;
    case effSetBlockSize:
        setBlockSize(static_cast<VstInt32>(value));
        return 0;
    case effMainsChanged:
        if (value == 0)
            suspend();
        else
            resume();
        return 0;
    case effEditGetRect:
        return editor && ptr && editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
    case effEditOpen:
        return editor && ptr && editor->open(ptr) ? 1 : 0;
    case effEditClose:
        if (editor) editor->close();
        return 0;
    case effEditIdle:
        if (editor) editor->idle();
        return 0;
    case effIdentify:
        return kIdentifyAnswer;
    case effGetChunk:
        return ptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
    case effSetChunk:
        if (!ptr || value < 0 || value > INT32_MAX) return 0;
        return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
    default:
        return 0;
    }
}

bool AudioEffect::isValidSampleRate(float rate)
{
    return std::isfinite(rate) && rate > 0.f;
}
