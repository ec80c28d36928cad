// SPDX-License-Identifier: GPL-3.0-or-later
#include "plugin/vst2/host_side/Vst2Host.h"

namespace
{

constexpr VstIntPtr kHostVstVersion = 2400;
constexpr VstIntPtr kHostLanguageEnglish = 1;
constexpr size_t kHostStringSize = 64; // what a plug-in may expect for vendor and product

void copyHostString(void* ptr, const char* text)
{
    if (ptr) std::snprintf(static_cast<char*>(ptr), kHostStringSize, "%s", text);
}

// The host's answers: what we know, 0 ("no" or "not supported") for everything else.
VstIntPtr answer(VstInt32 opcode, void* ptr)
{
    switch (opcode)
    {
    case audioMasterVersion:
        return kHostVstVersion;
    case audioMasterGetSampleRate:
        return static_cast<VstIntPtr>(vst2HostSettings().sampleRate);
    case audioMasterGetBlockSize:
        return vst2HostSettings().blockSize;
    case audioMasterGetVendorString:
        copyHostString(ptr, "Sferant");
        return 1;
    case audioMasterGetProductString:
        copyHostString(ptr, "sferant-host");
        return 1;
    case audioMasterGetVendorVersion:
        return 1;
    case audioMasterGetLanguage:
        return kHostLanguageEnglish;
    default:
        return 0; // also audioMasterCanDo: we resize no windows and send no events
    }
}

} // namespace

Vst2HostSettings& vst2HostSettings()
{
    static Vst2HostSettings settings;
    return settings;
}

VstIntPtr vst2HostCallback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                           float opt)
{
    if (FILE* trace = vst2HostSettings().trace)
    {
        std::fprintf(trace, "callback opcode=%d index=%d value=%lld opt=%g\n", opcode, index,
                     static_cast<long long>(value), opt);
        std::fflush(trace);
    }
    return answer(opcode, ptr);
}
