// SPDX-License-Identifier: GPL-3.0-or-later
#include <cctype>
#include <cstdint>
#include <string>

#include "plugin/vst2/host_side/Vst2Host.h"

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

} // namespace

void describeRecord(const AEffect& e, FILE* out)
{
    std::fprintf(out, "magic         0x%08x '%s'\n", static_cast<unsigned>(e.magic),
                 fourCharacters(e.magic).c_str());
    std::fprintf(out, "numPrograms   %d\n", e.numPrograms);
    std::fprintf(out, "numParams     %d\n", e.numParams);
    std::fprintf(out, "numInputs     %d\n", e.numInputs);
    std::fprintf(out, "numOutputs    %d\n", e.numOutputs);
    std::fprintf(out, "flags         0x%x %s\n", static_cast<unsigned>(e.flags),
                 decodeFlags(e.flags).c_str());
    std::fprintf(out, "initialDelay  %d\n", e.initialDelay);
    std::fprintf(out, "uniqueID      %d 0x%08x '%s'\n", e.uniqueID,
                 static_cast<unsigned>(e.uniqueID), fourCharacters(e.uniqueID).c_str());
    std::fprintf(out, "version       %d\n", e.version);
    std::fprintf(out, "ioRatio       %g\n", e.ioRatio);
}
