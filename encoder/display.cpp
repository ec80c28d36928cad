// Parameter names, labels and display texts, and the effect's own strings.

#include "encoder/Sferant.h"

#include "host/text.h"

#include <cmath>

using namespace sferant;

namespace
{

constexpr const char* kNames[kNumParams] = {"Azimuth", "Elev",   "NFC",   "Distance", "Width",
                                            "Order",   "Weight", "Input", "Output"};
constexpr const char* kLabels[kNumParams] = {"deg",   "deg",    "", "m", "deg",
                                             "order", "weight", "", ""};

constexpr char kProductName[] = "Sferant Alpha-version";
constexpr char kVendorName[] = "Sferant Project";

// Writes choices[floor(x)] (two-way) or choices[floor(4x)] (five-way); a value
// that selects no choice writes nothing.
template <int N>
void writeChoice(const char* const (&choices)[N], double selector, char* text, VstInt32 maxLen)
{
    const double choice = std::floor(selector);
    if (choice >= 0 && choice < N)
        copyText(text, choices[static_cast<int>(choice)], static_cast<size_t>(maxLen));
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
    float2string(static_cast<float>((0.5 - x) * 360), text, maxLen);
}

void Sferant::degEl2string(float x, char* text, VstInt32 maxLen)
{
    float2string(static_cast<float>((x - 0.5) * 180), text, maxLen);
}

void Sferant::dist2string(float x, char* text, VstInt32 maxLen)
{
    float2string(static_cast<float>(x * 10.0f + 0.1), text, maxLen);
}

void Sferant::width2string(float x, char* text, VstInt32 maxLen)
{
    float2string(x * 180.0f, text, maxLen);
}

void Sferant::float2onoff(float x, char* text, VstInt32 maxLen)
{
    static constexpr const char* kChoices[] = {"Off", "On"};
    writeChoice(kChoices, x, text, maxLen);
}

void Sferant::stereo2string(float x, char* text, VstInt32 maxLen)
{
    static constexpr const char* kChoices[] = {"Mono", "Stereo"};
    writeChoice(kChoices, x, text, maxLen);
}

void Sferant::type2string(float x, char* text, VstInt32 maxLen)
{
    static constexpr const char* kChoices[] = {"3D", "2D"};
    writeChoice(kChoices, x, text, maxLen);
}

void Sferant::floatOrder2string(float x, char* text, VstInt32 maxLen)
{
    static constexpr const char* kChoices[] = {"1st", "2nd", "3rd", "4th", "5th"};
    writeChoice(kChoices, 4.0 * x, text, maxLen);
}

void Sferant::floatWeight2string(float x, char* text, VstInt32 maxLen)
{
    static constexpr const char* kChoices[] = {"SN2D", "N2D", "SN3D", "N3D", "Fu-Ma"};
    writeChoice(kChoices, 4.0 * x, text, maxLen);
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
