// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>

#include "host/aeffect.h"

// What the host callback answers and whether it logs the calls it gets.
struct HostSettings
{
    float sampleRate = 48000.0f;
    int blockSize = 512;
    // With a stream every callback is logged as one line:
    //   callback opcode=43 index=0 value=0 opt=0
    FILE* trace = nullptr;
};

// The one set of settings that the host callback reads.
HostSettings& hostSettings();

// One effect instance of a module loaded the way a DAW loads it: dlopen, the entry point
// VSTPluginMain (or main) called with our host callback, effOpen. The destructor sends effClose
// and unloads the module. Load failures throw ToolError.
class HostedEffect
{
  public:
    explicit HostedEffect(const std::string& path);
    ~HostedEffect();
    HostedEffect(const HostedEffect&) = delete;
    HostedEffect& operator=(const HostedEffect&) = delete;

    AEffect& record() { return *fEffect; }
    bool hasFlag(int flag) const { return (fEffect->flags & flag) != 0; }
    VstIntPtr dispatch(int opcode, int index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f);

    // The DAW's steps before the first process call: sample rate, block size, precision, then
    // effMainsChanged 1. Throws ToolError when the module lacks the process call asked for.
    void startProcessing(float sampleRate, int blockSize, bool useDouble);
    // effMainsChanged 0; the destructor sends it too if processing is still on.
    void stopProcessing();

    // Texts the effect writes into a buffer of ours (generously sized: not every module keeps
    // to the documented lengths).
    std::string text(int opcode, int index = 0);
    std::string parameterName(int index) { return text(effGetParamName, index); }
    std::string parameterLabel(int index) { return text(effGetParamLabel, index); }
    std::string parameterDisplay(int index) { return text(effGetParamDisplay, index); }

    // The index of the parameter with this name (as effGetParamName gives it), or -1.
    int findParameter(const std::string& name);
    float getParameter(int index) { return fEffect->getParameter(fEffect, index); }
    void setParameter(int index, float value) { fEffect->setParameter(fEffect, index, value); }

  private:
    void* fLibrary = nullptr;
    AEffect* fEffect = nullptr;
    bool fProcessing = false;
};
