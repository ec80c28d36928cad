// A host callback that records every call the plug-in makes and answers from
// a table the test sets up.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/aeffect.h"

namespace recording_host
{

struct Call
{
    AEffect* effect;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    void* ptr;
    float opt;
};

extern std::vector<Call> calls;
extern std::map<VstInt32, VstIntPtr> answers; // opcodes not listed answer 0

VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                   float opt);

// Forgets the calls; answers only audioMasterVersion (with 2400).
void reset();

std::vector<VstInt32> opcodes();

} // namespace recording_host
