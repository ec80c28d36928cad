// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/hosted_effect.h"

#include <cstring>
#include <sys/stat.h>
#include <vector>

#include "tools/system.h"
#include "tools/tool_error.h"

namespace
{

constexpr VstIntPtr kHostVstVersion = 2400;
constexpr VstIntPtr kHostLanguageEnglish = 1;
constexpr size_t kHostStringSize = 64; // what a plug-in may expect for vendor and product

typedef AEffect* (*EntryPoint)(audioMasterCallback);

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
        return static_cast<VstIntPtr>(hostSettings().sampleRate);
    case audioMasterGetBlockSize:
        return hostSettings().blockSize;
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

VstIntPtr hostCallback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                       float opt)
{
    if (FILE* trace = hostSettings().trace)
    {
        std::fprintf(trace, "callback opcode=%d index=%d value=%lld opt=%g\n", opcode, index,
                     static_cast<long long>(value), opt);
        std::fflush(trace);
    }
    return answer(opcode, ptr);
}

} // namespace

HostSettings& hostSettings()
{
    static HostSettings settings;
    return settings;
}

HostedEffect::HostedEffect(const std::string& path)
{
    struct stat status;
    if (stat(path.c_str(), &status) != 0) throw ToolError("no such file: " + path);
    std::string error;
    fLibrary = openModule(path, error);
    if (!fLibrary) throw ToolError("not a loadable module: " + error);

    void* entry = findSymbol(fLibrary, "VSTPluginMain");
    if (!entry) entry = findSymbol(fLibrary, "main");
    if (!entry)
    {
        closeModule(fLibrary);
        throw ToolError("no entry point (VSTPluginMain or main) in " + path);
    }
    fEffect = reinterpret_cast<EntryPoint>(entry)(hostCallback);
    if (!fEffect || fEffect->magic != kEffectMagic)
    {
        closeModule(fLibrary);
        throw ToolError(fEffect ? "the entry point of " + path +
                                      " returned a record without the effect magic"
                                : "the entry point of " + path + " returned no effect");
    }
    dispatch(effOpen);
}

HostedEffect::~HostedEffect()
{
    stopProcessing();
    dispatch(effClose);
    closeModule(fLibrary);
}

VstIntPtr HostedEffect::dispatch(int opcode, int index, VstIntPtr value, void* ptr, float opt)
{
    return fEffect->dispatcher(fEffect, opcode, index, value, ptr, opt);
}

void HostedEffect::startProcessing(float sampleRate, int blockSize, bool useDouble)
{
    if (useDouble && !hasFlag(effFlagsCanDoubleReplacing))
        throw ToolError("the module cannot process doubles (flag 0x1000 is clear)");
    if (!useDouble && !hasFlag(effFlagsCanReplacing))
        throw ToolError("the module has no replacing process call (flag 0x10 is clear)");
    hostSettings().sampleRate = sampleRate;
    hostSettings().blockSize = blockSize;
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
    dispatch(effSetProcessPrecision, 0, useDouble ? 1 : 0);
    dispatch(effMainsChanged, 0, 1);
    fProcessing = true;
}

void HostedEffect::stopProcessing()
{
    if (fProcessing) dispatch(effMainsChanged, 0, 0);
    fProcessing = false;
}

std::string HostedEffect::text(int opcode, int index)
{
    std::vector<char> buffer(256, '\0');
    dispatch(opcode, index, 0, buffer.data());
    buffer.back() = '\0';
    return buffer.data();
}

int HostedEffect::findParameter(const std::string& name)
{
    for (int i = 0; i < fEffect->numParams; ++i)
        if (parameterName(i) == name) return i;
    return -1;
}
