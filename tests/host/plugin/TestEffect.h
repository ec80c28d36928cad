// SPDX-License-Identifier: GPL-3.0-or-later
// A small effect built on the base classes, as a plug-in would build it: three
// parameters, two programs, texts longer than any host buffer.
#pragma once

#include <string>

#include "host/AudioEffectX.h"

class TestEffect : public AudioEffectX
{
  public:
    static constexpr VstInt32 kNumPrograms = 2;
    static constexpr VstInt32 kNumParams = 3;
    static int liveInstances; // objects constructed and not yet destroyed

    explicit TestEffect(audioMasterCallback audioMaster);
    ~TestEffect() override;

    void open() override { ++opened; }
    void close() override { ++closed; }
    void suspend() override { ++suspended; }
    void resume() override;

    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override { return values[index]; }
    void getParameterName(VstInt32 index, char* text) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void setProgramName(char* name) override { programName = name; }
    void getProgramName(char* name) override;
    bool getEffectName(char* name) override;
    float __getVuDeprecated() override { return vu; }

    float values[kNumParams] = {};
    float vu = 0.f;
    int setParameterCalls = 0;
    int opened = 0, closed = 0, suspended = 0, resumed = 0;
    std::string programName = "A program name longer than any field";
};
