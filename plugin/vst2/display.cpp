// SPDX-License-Identifier: GPL-3.0-or-later
// Parameter names, labels and display texts, and the effect's own strings.

#include "plugin/vst2/Sferant.h"

#include "host/text.h"

using namespace sferant;

namespace
{

constexpr char kVendorName[] = "Sferant Project";

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
    displayText(kAzimuth, x, text, maxLen);
}

void Sferant::degEl2string(float x, char* text, VstInt32 maxLen)
{
    displayText(kElevation, x, text, maxLen);
}

void Sferant::dist2string(float x, char* text, VstInt32 maxLen)
{
    displayText(kDistance, x, text, maxLen);
}

void Sferant::width2string(float x, char* text, VstInt32 maxLen)
{
    displayText(kWidth, x, text, maxLen);
}

void Sferant::float2onoff(float x, char* text, VstInt32 maxLen)
{
    displayText(kNFC, x, text, maxLen);
}

void Sferant::stereo2string(float x, char* text, VstInt32 maxLen)
{
    displayText(kInput, x, text, maxLen);
}

void Sferant::type2string(float x, char* text, VstInt32 maxLen)
{
    displayText(kOutput, x, text, maxLen);
}

void Sferant::floatOrder2string(float x, char* text, VstInt32 maxLen)
{
    displayText(kOrder, x, text, maxLen);
}

void Sferant::floatWeight2string(float x, char* text, VstInt32 maxLen)
{
    displayText(kWeight, x, text, maxLen);
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
