// SPDX-License-Identifier: GPL-3.0-or-later
#include "plugin/vst2/Sferant.h"

#include "host/AEffEditor.h"
#include "host/text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

using namespace sferant;

namespace
{

constexpr char kInitialProgramName[] = "Init";

// The editor of programs without a window system: registered as the effect's editor, so
// that the record reads as the module's does, but it never opens.
class WindowlessEditor : public AEffEditor, public ParameterListener
{
  public:
    explicit WindowlessEditor(AudioEffect* effect) : AEffEditor(effect) { effect->setEditor(this); }
    void parameterChanged(int) override {}
};

ParameterListener* makeWindowlessEditor(Sferant& effect)
{
    return new WindowlessEditor(&effect);
}

} // namespace

// The unique IDs are four letters read as a big-endian 32-bit number.
const VstEdition kVstSferant{kSferant, "Sferant Alpha-version", 0x53667274};   // 'Sfrt'
const VstEdition kVstSferantAmbiX{kSferantAmbiX, "Sferant AmbiX", 0x53664158}; // 'SfAX'

SferantProgram::SferantProgram()
{
    setDefaults(kSferant);
}

void SferantProgram::setDefaults(const Edition& edition)
{
    for (int i = 0; i < kNumParams; ++i)
        values[i].store(defaultValue(edition, i), std::memory_order_relaxed);
    copyText(name, kInitialProgramName, kProgramNameLength);
}

Sferant::Sferant(audioMasterCallback audioMaster, EditorMaker makeEditor, const VstEdition& edition)
    : AudioEffectX(audioMaster, 1, kNumParams), vstEdition(edition),
      programs(new SferantProgram[1]), processor(edition.edition.channelOrder)
{
    programs[0].setDefaults(edition.edition);
    setProgram(0);
    setNumInputs(kNumInputs);
    setNumOutputs(kNumOutputs);
    setUniqueID(edition.uniqueID);
    canProcessReplacing(true);
    canDoubleReplacing(true);
    for (int i = 0; i < kNumParams; ++i)
        (this->*slot(i)).store(defaultValue(edition.edition, i), std::memory_order_relaxed);
    processor.prepare(sampleRate, blockSize);
    editorListener = (makeEditor ? makeEditor : makeWindowlessEditor)(*this);
    AudioEffectX::resume();
}

Sferant::~Sferant()
{
    delete[] programs;
}

// The filter state carries on: a resume does not clear it. The first block after it starts
// at its values: the audio before the pause is no place to glide from.
void Sferant::resume()
{
    AudioEffectX::resume();
    processor.skipNextGlide();
}

void Sferant::setSampleRate(float rate)
{
    AudioEffectX::setSampleRate(rate);
    processor.prepare(sampleRate, blockSize);
}

void Sferant::setBlockSize(VstInt32 frames)
{
    AudioEffectX::setBlockSize(frames);
    processor.prepare(sampleRate, blockSize);
}

void Sferant::setParameter(VstInt32 index, float value)
{
    if (slot(index) && std::isfinite(value))
    {
        const float stored = std::clamp(value, 0.0f, 1.0f);
        programs[curProgram].values[index].store(stored, std::memory_order_relaxed);
        (this->*slot(index)).store(stored, std::memory_order_relaxed);
    }
    tellEditor(index);
}

float Sferant::getParameter(VstInt32 index)
{
    return value(index);
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
        writeHostText(
            name, kProgramNameLength,
            [&](char* text)
            { return std::snprintf(text, kHostTextScratch, "%s %d", stored, curProgram + 1); });
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
    return slot(index) ? (this->*slot(index)).load(std::memory_order_relaxed) : 0.0f;
}

void Sferant::tellEditor(VstInt32 index)
{
    if (editorListener) editorListener->parameterChanged(index);
}
