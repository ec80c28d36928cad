// SPDX-License-Identifier: GPL-3.0-or-later
// Host callbacks for tests: one that answers only the version query, and one that records
// every call the plug-in makes and answers from a table the test sets up. The recording one
// keeps its calls in one place for the whole process: use it from one thread.
#pragma once

#include "host/aeffect.h"

#include <functional>
#include <map>
#include <vector>

namespace sferant_test
{

// Answers audioMasterVersion (2400) and nothing else.
VstIntPtr quietHost(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                    float opt);

} // namespace sferant_test

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
// Runs after each call is recorded, before the answer: a host reacting to a call.
extern std::function<void(const Call&)> onCall;

VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                   float opt);

// Forgets the calls and the reaction; answers only audioMasterVersion (with 2400).
void reset();

std::vector<VstInt32> opcodes();
// The calls of one opcode, in order, and how many there were.
std::vector<Call> callsOf(VstInt32 opcode);
int count(VstInt32 opcode);

} // namespace recording_host
