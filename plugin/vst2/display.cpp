// SPDX-License-Identifier: GPL-3.0-or-later
// Parameter names, labels and display texts, and the effect's own strings.

#include "plugin/vst2/Sferant.h"

#include "host/text.h"

using namespace sferant;

namespace
{

constexpr char kVendorName[] = "Sferant Project";

// The number of a continuous parameter as the host's text shows it.
void writeNumber(AudioEffect& effect, int index, float x, char* text, VstInt32 maxLen)
{
    effect.float2string(static_cast<float>(kParameters[index].hostNumber(x)), text, maxLen);
}

// The choice at a switch position; a value that selects no choice (any value a caller may
// pass, not only a stored one) writes nothing.
void writeChoice(int index, float x, char* text, VstInt32 maxLen)
{
    if (const char* choice = choiceText(kParameters[index], x))
        copyText(text, choice, static_cast<size_t>(maxLen));
}

} // namespace

void Sferant::getParameterName(VstInt32 index, char* text)
{
    if (index >= 0 && index < kNumParams) copyText(text, kParameters[index].name, kParamTextLength);
}

void Sferant::getParameterLabel(VstInt32 index, char* label)
{
    if (index >= 0 && index < kNumParams)
        copyText(label, kParameters[index].label, kParamTextLength);
}

void Sferant::getParameterDisplay(VstInt32 index, char* text)
{
    using Converter = void (Sferant::*)(float, char*, VstInt32);
    static constexpr Converter kConverters[kNumParams] = {
        &Sferant::deg2string,         &Sferant::degEl2string,  &Sferant::float2onoff,
        &Sferant::dist2string,        &Sferant::width2string,  &Sferant::floatOrder2string,
        &Sferant::floatWeight2string, &Sferant::stereo2string, &Sferant::type2string};
    if (index >= 0 && index < kNumParams)
        (this->*kConverters[index])(value(index), text, kParamTextLength);
}

void Sferant::deg2string(float x, char* text, VstInt32 maxLen)
{
    writeNumber(*this, kAzimuth, x, text, maxLen);
}

void Sferant::degEl2string(float x, char* text, VstInt32 maxLen)
{
    writeNumber(*this, kElevation, x, text, maxLen);
}

void Sferant::dist2string(float x, char* text, VstInt32 maxLen)
{
    writeNumber(*this, kDistance, x, text, maxLen);
}

void Sferant::width2string(float x, char* text, VstInt32 maxLen)
{
    writeNumber(*this, kWidth, x, text, maxLen);
}

void Sferant::float2onoff(float x, char* text, VstInt32 maxLen)
{
    writeChoice(kNFC, x, text, maxLen);
}

void Sferant::stereo2string(float x, char* text, VstInt32 maxLen)
{
    writeChoice(kInput, x, text, maxLen);
}

void Sferant::type2string(float x, char* text, VstInt32 maxLen)
{
    writeChoice(kOutput, x, text, maxLen);
}

void Sferant::floatOrder2string(float x, char* text, VstInt32 maxLen)
{
    writeChoice(kOrder, x, text, maxLen);
}

void Sferant::floatWeight2string(float x, char* text, VstInt32 maxLen)
{
    writeChoice(kWeight, x, text, maxLen);
}

bool Sferant::getEffectName(char* name)
{
    copyText(name, vstEdition.effectName, kEffectNameLength);
    return true;
}

bool Sferant::getProductString(char* text)
{
    copyText(text, vstEdition.effectName, kNameStringLength);
    return true;
}

bool Sferant::getVendorString(char* text)
{
    copyText(text, kVendorName, kNameStringLength);
    return true;
}
