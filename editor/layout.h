// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/parameters.h"
#include "editor/converters.h"

// The editor's controls, one row each: the parameter, where it sits on the 535 x 275 panel
// (frame coordinates), its bitmap and the bitmap's frame count. The editor builds its
// controls from these rows and the artwork program paints the bitmaps and the panel around
// them, so the two cannot drift apart. A control is one row.

namespace sferant::layout
{

struct Box
{
    int left, top, right, bottom;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
};

constexpr int kPanelWidth = 535;
constexpr int kPanelHeight = 275;

// Resource ids of the editor's bitmaps, the files resources/png/<id>.png: the panel, then
// the controls' bitmaps.
enum BitmapId
{
    kPanelBitmap = 128,
    kAzimuthBitmap,
    kElevationBitmap,
    kDistanceBitmap,
    kWidthBitmap,
    kToggleBitmap,
    kOrderBitmap,
    kWeightBitmap,
    kReadoutBitmap,
    kEndBitmaps
};
constexpr int kFirstControlBitmap = kAzimuthBitmap;
constexpr int kControlBitmaps = kEndBitmaps - kFirstControlBitmap;

enum class Kind
{
    knob,           // a film-strip knob: frame i shows the value i / (frames - 1)
    verticalSwitch, // a frame for each of its parameter's positions, the first at the top
    readout,        // the parameter's value as text over the bitmap
};

struct Control
{
    Kind kind;
    int parameter; // the parameter it sets (its tag) or shows
    Box box;       // on the panel
    int bitmap;    // a BitmapId
    // The frames of the bitmap, stacked vertically, each as high as the box.
    int frames;
    // Read-outs only: the text of a value.
    void (*text)(float value, char* text);
};

// In drawing order.
// clang-format off
constexpr Control kControls[] = {
    // kind                parameter   box                   bitmap            frames  read-out
    {Kind::verticalSwitch, kOrder,     {29, 59, 104, 134},   kOrderBitmap,     5,      nullptr},
    {Kind::verticalSwitch, kWeight,    {29, 153, 104, 228},  kWeightBitmap,    5,      nullptr},
    {Kind::knob,           kDistance,  {206, 164, 256, 214}, kDistanceBitmap,  281,    nullptr},
    {Kind::knob,           kAzimuth,   {397, 69, 442, 114},  kAzimuthBitmap,   361,    nullptr},
    {Kind::knob,           kElevation, {397, 171, 442, 216}, kElevationBitmap, 181,    nullptr},
    {Kind::knob,           kWidth,     {206, 83, 256, 133},  kWidthBitmap,     181,    nullptr},
    {Kind::verticalSwitch, kInput,     {149, 87, 193, 131},  kToggleBitmap,    2,      nullptr},
    {Kind::verticalSwitch, kOutput,    {470, 125, 514, 169}, kToggleBitmap,    2,      nullptr},
    {Kind::verticalSwitch, kNFC,       {149, 166, 193, 210}, kToggleBitmap,    2,      nullptr},
    {Kind::readout,        kAzimuth,   {400, 118, 440, 142}, kReadoutBitmap,   1, degreeStringConvert},
    {Kind::readout,        kElevation, {400, 220, 440, 244}, kReadoutBitmap,   1, elevationDegreeStringConvert},
    {Kind::readout,        kDistance,  {273, 167, 313, 191}, kReadoutBitmap,   1, distanceStringConvert},
    {Kind::readout,        kWidth,     {273, 86, 313, 110},  kReadoutBitmap,   1, widthDegreeStringConvert},
};
// clang-format on
constexpr int kNumControls = int(sizeof kControls / sizeof kControls[0]);

// The row of the parameter's control of that kind.
constexpr const Control& controlOf(int parameter, Kind kind)
{
    int row = 0;
    while (kControls[row].parameter != parameter || kControls[row].kind != kind)
        ++row;
    return kControls[row];
}

// The edition's badge in the title strip, right of the subtitle.
constexpr Box kEditionBadge{212, 8, 262, 26};

} // namespace sferant::layout
