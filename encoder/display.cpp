// SPDX-License-Identifier: GPL-3.0-or-later
// Parameter names, labels and display texts, and the effect's own strings.

#include "encoder/Sferant.h"

#include "host/text.h"

using namespace sferant;

namespace
{

constexpr const char* kNames[kNumParams] = {"Azimuth", "Elev",   "NFC",   "Distance", "Width",
                                            "Order",   "Weight", "Input", "Output"};
constexpr const char* kLabels[kNumParams] = {"deg",   "deg",    "", "m", "deg",
                                             "order", "weight", "", ""};

constexpr char kProductName[] = "Sferant Alpha-version";
constexpr char kVendorName[] = "Sferant Project";

// Writes the choice at a switch position; a position that selects no choice (any value a
// caller may pass, not only a stored one) writes nothing.
template <int N>
void writeChoice(const char* const (&choices)[N], float position, char* text, VstInt32 maxLen)
{
    if (position >= 0 && position < N)
        copyText(text, choices[static_cast<int>(position)], static_cast<size_t>(maxLen));
}

} // namespace

void Sferant::getParameterName(VstInt32 index, char* text)
{
    if (index >= 0 && index < kNumParams) copyText(text, kNames[index], kParamTextLength);
}

void Sferant::getParameterLabel(VstInt32 index, char* label)
{
    if (index >= 0 && index < kNumParams) copyText(label, kLabels[index], kParamTextLength);
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
    float2string(static_cast<float>(azimuthDegrees<double>(x)), text, maxLen);
}

void Sferant::degEl2string(float x, char* text, VstInt32 maxLen)
{
    float2string(static_cast<float>(elevationDegrees<double>(x)), text, maxLen);
}

void Sferant::dist2string(float x, char* text, VstInt32 maxLen)
{
    float2string(static_cast<float>(distanceMetres<float>(x)), text, maxLen);
}

void Sferant::width2string(float x, char* text, VstInt32 maxLen)
{
    float2string(widthDegrees<float>(x), text, maxLen);
}

void Sferant::float2onoff(float x, char* text, VstInt32 maxLen)
{
    static constexpr const char* kChoices[] = {"Off", "On"};
    writeChoice(kChoices, twoWayPosition(x), text, maxLen);
}

void Sferant::stereo2string(float x, char* text, VstInt32 maxLen)
{
    static constexpr const char* kChoices[] = {"Mono", "Stereo"};
    writeChoice(kChoices, twoWayPosition(x), text, maxLen);
}

void Sferant::type2string(float x, char* text, VstInt32 maxLen)
{
    static constexpr const char* kChoices[] = {"3D", "2D"};
    writeChoice(kChoices, twoWayPosition(x), text, maxLen);
}

void Sferant::floatOrder2string(float x, char* text, VstInt32 maxLen)
{
    static constexpr const char* kChoices[] = {"1st", "2nd", "3rd", "4th", "5th"};
    writeChoice(kChoices, fiveWayPosition(x), text, maxLen);
}

void Sferant::floatWeight2string(float x, char* text, VstInt32 maxLen)
{
    static constexpr const char* kChoices[] = {"SN2D", "N2D", "SN3D", "N3D", "Fu-Ma"};
    writeChoice(kChoices, fiveWayPosition(x), text, maxLen);
}

bool Sferant::getEffectName(char* name)
{
    copyText(name, kProductName, kNameStringLength);
    return true;
}

bool Sferant::getProductString(char* text)
{
    copyText(text, kProductName, kNameStringLength);
    return true;
}

bool Sferant::getVendorString(char* text)
{
    copyText(text, kVendorName, kNameStringLength);
    return true;
}
