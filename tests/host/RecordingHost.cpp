#include "RecordingHost.h"

namespace recording_host
{

std::vector<Call> calls;
std::map<VstInt32, VstIntPtr> answers;

VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                   float opt)
{
    calls.push_back({effect, opcode, index, value, ptr, opt});
    const auto found = answers.find(opcode);
    return found == answers.end() ? 0 : found->second;
}

void reset()
{
    calls.clear();
    answers = {{audioMasterVersion, 2400}};
}

std::vector<VstInt32> opcodes()
{
    std::vector<VstInt32> result;
    for (const Call& call : calls)
        result.push_back(call.opcode);
    return result;
}

} // namespace recording_host
