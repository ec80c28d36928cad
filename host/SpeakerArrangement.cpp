// SPDX-License-Identifier: GPL-3.0-or-later
// Speaker-arrangement records: one heap block of an 8-byte header and
// numChannels speaker records, owned by whoever holds the pointer.
#include <cstdlib>
#include <cstring>

#include "host/AudioEffectX.h"
#include "host/text.h"

bool AudioEffectX::allocateArrangement(VstSpeakerArrangement** arrangement, VstInt32 numChannels)
{
    if (!arrangement || numChannels < 0) return false;
    deallocateArrangement(arrangement);
    const size_t size = kSpeakerArrangementHeaderSize +
                        sizeof(VstSpeakerProperties) * static_cast<size_t>(numChannels);
    void* block = std::calloc(1, size);
    if (!block) return false;
    *arrangement = static_cast<VstSpeakerArrangement*>(block);
    (*arrangement)->numChannels = numChannels;
    return true;
}

bool AudioEffectX::deallocateArrangement(VstSpeakerArrangement** arrangement)
{
    if (arrangement)
    {
        std::free(*arrangement);
        *arrangement = nullptr;
    }
    return true;
}

bool AudioEffectX::copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from)
{
    if (!to || !from) return false;
    std::memmove(to, from, sizeof *to);
    // The source name may lack its terminator: keep 63 characters at most.
    copyText(to->name, from->name, sizeof to->name - 1);
    to->name[sizeof to->name - 1] = '\0';
    return true;
}

bool AudioEffectX::matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from)
{
    if (!from || !deallocateArrangement(to) || !allocateArrangement(to, from->numChannels))
        return false;
    (*to)->type = from->type;
    for (VstInt32 i = 0; i < from->numChannels; ++i)
        if (!copySpeaker(&(*to)->speakers[i], &from->speakers[i])) return false;
    return true;
}
