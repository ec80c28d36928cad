// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoder/Sferant.h"

#include "encoder/EditorFactory.h"
#include "host/text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

using namespace sferant;

namespace
{

// 'Sfrt' read as a big-endian 32-bit number.
constexpr VstInt32 kUniqueID = 0x53667274;
constexpr char kInitialProgramName[] = "Init";

} // namespace

SferantProgram::SferantProgram()
{
    for (int i = 0; i < kNumParams; ++i)
        values[i].store(kParameterDefaults[i], std::memory_order_relaxed);
    copyText(name, kInitialProgramName, kProgramNameLength);
}

Sferant::Sferant(audioMasterCallback audioMaster)
    : AudioEffectX(audioMaster, 1, kNumParams), programs(new SferantProgram[1])
{
    setProgram(0);
    setNumInputs(kNumInputs);
    setNumOutputs(kNumOutputs);
    setUniqueID(kUniqueID);
    canProcessReplacing(true);
    canDoubleReplacing(true);
    for (int i = 0; i < kNumParams; ++i)
        (this->*slot(i)).store(kParameterDefaults[i], std::memory_order_relaxed);
    // The editor registers itself with this effect (setEditor); the effect owns it from here on.
    editorListener = createEditor(this);
    AudioEffectX::resume();
}

Sferant::~Sferant()
{
    delete[] programs;
}

// The filter state carries on: a resume does not clear it.
void Sferant::resume()
{
    AudioEffectX::resume();
}

void Sferant::setParameter(VstInt32 index, float value)
{
    if (slot(index) && std::isfinite(value))
    {
        const float stored = std::clamp(value, 0.0f, 1.0f);
        programs[curProgram].values[index].store(stored, std::memory_order_relaxed);
        (this->*slot(index)).store(stored, std::memory_order_relaxed);
    }
    tellEditor(index, value);
}

float Sferant::getParameter(VstInt32 index)
{
    return slot(index) ? value(index) : 0.0f;
}

void Sferant::setProgram(VstInt32 program)
{
    if (program < 0 || program >= numPrograms) return;
    curProgram = program;
    for (int i = 0; i < kNumParams; ++i)
        setParameter(i, programs[program].values[i].load(std::memory_order_relaxed));
}

void Sferant::setProgramName(char* name)
{
    copyText(programs[curProgram].name, name, kProgramNameLength);
}

void Sferant::getProgramName(char* name)
{
    const char* stored = programs[curProgram].name;
    if (std::strcmp(stored, kInitialProgramName) == 0)
        writeHostText(name, kProgramNameLength,
                      [&](char* text)
                      { return std::snprintf(text, 256, "%s %d", stored, curProgram + 1); });
    else
        copyText(name, stored, kProgramNameLength);
}

bool Sferant::getProgramNameIndexed(VstInt32, VstInt32 index, char* text)
{
    if (index != 0) return false;
    copyText(text, programs[index].name, kProgramNameLength);
    return true;
}

void Sferant::readParameters(float (&values)[kNumParams]) const
{
    for (int i = 0; i < kNumParams; ++i)
        values[i] = value(i);
}

std::atomic<float> Sferant::*Sferant::slot(VstInt32 index)
{
    static constexpr std::atomic<float> Sferant::*kSlots[kNumParams] = {
        &Sferant::fAzimuth,  &Sferant::fElevation, &Sferant::fNFC,
        &Sferant::fDistance, &Sferant::fWidth,     &Sferant::fOrder,
        &Sferant::fWeight,   &Sferant::fInput,     &Sferant::fOutput};
    return index >= 0 && index < kNumParams ? kSlots[index] : nullptr;
}

float Sferant::value(int index) const
{
    return (this->*slot(index)).load(std::memory_order_relaxed);
}

void Sferant::tellEditor(VstInt32 index, float value)
{
    if (editorListener) editorListener->setParameter(index, value);
}
