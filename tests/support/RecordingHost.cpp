// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingHost.h"

VstIntPtr sferant_test::quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

namespace recording_host
{

std::vector<Call> calls;
std::map<VstInt32, VstIntPtr> answers;
std::function<void(const Call&)> onCall;

VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                   float opt)
{
    const Call call{effect, opcode, index, value, ptr, opt};
    calls.push_back(call);
    if (onCall) onCall(call); // may call back into the plug-in, and so into this host

    const auto found = answers.find(opcode);
    return found == answers.end() ? 0 : found->second;
}

void reset()
{
    calls.clear();
    answers = {{audioMasterVersion, 2400}};
    onCall = nullptr;
}

std::vector<VstInt32> opcodes()
{
    std::vector<VstInt32> result;
    for (const Call& call : calls)
        result.push_back(call.opcode);
    return result;
}

std::vector<Call> callsOf(VstInt32 opcode)
{
    std::vector<Call> result;
    for (const Call& call : calls)
        if (call.opcode == opcode) result.push_back(call);
    return result;
}

int count(VstInt32 opcode)
{
    return static_cast<int>(callsOf(opcode).size());
}

} // namespace recording_host
