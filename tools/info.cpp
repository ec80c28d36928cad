// SPDX-License-Identifier: GPL-3.0-or-later
#include <cctype>
#include <cstdio>
#include <string>

#include "tools/commands.h"
#include "tools/hosted_effect.h"
#include "tools/options.h"
#include "tools/tool_error.h"

namespace
{

struct FlagName
{
    int bit;
    const char* name;
};

const FlagName kFlagNames[] = {
    {effFlagsHasEditor, "HasEditor"},
    {effFlagsHasClip, "HasClip"},
    {effFlagsHasVu, "HasVu"},
    {effFlagsCanMono, "CanMono"},
    {effFlagsCanReplacing, "CanReplacing"},
    {effFlagsProgramChunks, "ProgramChunks"},
    {effFlagsIsSynth, "IsSynth"},
    {effFlagsNoSoundInStop, "NoSoundInStop"},
    {effFlagsExtIsAsync, "ExtIsAsync"},
    {effFlagsExtHasBuffer, "ExtHasBuffer"},
    {effFlagsCanDoubleReplacing, "CanDoubleReplacing"},
};

std::string decodeFlags(int flags)
{
    std::string names;
    for (const FlagName& flag : kFlagNames)
        if (flags & flag.bit) names += (names.empty() ? "" : " ") + std::string(flag.name);
    return names;
}

// A 32-bit id read as four big-endian characters, '.' for what does not print.
std::string fourCharacters(VstInt32 id)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
    {
        const unsigned char c = static_cast<unsigned char>(static_cast<uint32_t>(id) >> shift);
        text += std::isprint(c) ? static_cast<char>(c) : '.';
    }
    return text;
}

void printRecord(const AEffect& e)
{
    std::printf("magic         0x%08x '%s'\n", static_cast<unsigned>(e.magic),
                fourCharacters(e.magic).c_str());
    std::printf("numPrograms   %d\n", e.numPrograms);
    std::printf("numParams     %d\n", e.numParams);
    std::printf("numInputs     %d\n", e.numInputs);
    std::printf("numOutputs    %d\n", e.numOutputs);
    std::printf("flags         0x%x %s\n", static_cast<unsigned>(e.flags),
                decodeFlags(e.flags).c_str());
    std::printf("initialDelay  %d\n", e.initialDelay);
    std::printf("uniqueID      %d 0x%08x '%s'\n", e.uniqueID, static_cast<unsigned>(e.uniqueID),
                fourCharacters(e.uniqueID).c_str());
    std::printf("version       %d\n", e.version);
    std::printf("ioRatio       %g\n", e.ioRatio);
}

void printStrings(HostedEffect& effect)
{
    std::printf("effect        \"%s\"\n", effect.text(effGetEffectName).c_str());
    std::printf("vendor        \"%s\"\n", effect.text(effGetVendorString).c_str());
    std::printf("product       \"%s\"\n", effect.text(effGetProductString).c_str());
    std::printf("program       \"%s\"\n", effect.text(effGetProgramName).c_str());
}

void printParameters(HostedEffect& effect)
{
    std::printf("\n%5s  %-24s %-10s %-10s %s\n", "index", "name", "label", "value", "display");
    for (int i = 0; i < effect.record().numParams; ++i)
        std::printf("%5d  %-24s %-10s %-10.6f %s\n", i, effect.parameterName(i).c_str(),
                    effect.parameterLabel(i).c_str(), effect.getParameter(i),
                    effect.parameterDisplay(i).c_str());
}

} // namespace

int runInfo(const std::vector<std::string>& args)
{
    std::vector<std::string> accepted = kParameterOptions;
    accepted.push_back("trace");
    const Options options = parseOptions(args, accepted);
    if (options.positional.size() != 1)
        throw ToolError("usage: sferant-host info MODULE.so [parameter options]");
    if (options.trace) hostSettings().trace = stdout;
    HostedEffect effect(options.positional[0]);
    applyParameters(effect, options.parameters);
    printRecord(effect.record());
    printStrings(effect);
    printParameters(effect);
    return 0;
}
