// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>

#include "host/aeffect.h"

// The host callback every module loaded here gets, and what it answers with.
struct Vst2HostSettings
{
    float sampleRate = 48000.0f;
    int blockSize = 512;
    // With a stream every callback is logged as one line:
    //   callback opcode=43 index=0 value=0 opt=0
    FILE* trace = nullptr;
};

// The one set of settings that the host callback reads.
Vst2HostSettings& vst2HostSettings();

VstIntPtr vst2HostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                           void* ptr, float opt);

// The effect record's fields, one line each, as `sferant-host info` shows them.
void describeRecord(const AEffect& effect, FILE* out);
