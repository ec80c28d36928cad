// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the editor's controls sit on its 535 x 275 panel, in frame coordinates. The editor
// places its controls here and the artwork program paints the panel around them, so the
// two cannot drift apart.

namespace sferant::layout
{

struct Box
{
    int left, top, right, bottom;
};

constexpr int kPanelWidth = 535;
constexpr int kPanelHeight = 275;

// The switches and knobs.
constexpr Box kOrderSwitch{29, 59, 104, 134}, kWeightSwitch{29, 153, 104, 228};
constexpr Box kDistanceKnob{206, 164, 256, 214}, kWidthKnob{206, 83, 256, 133};
constexpr Box kAzimuthKnob{397, 69, 442, 114}, kElevationKnob{397, 171, 442, 216};
constexpr Box kInputSwitch{149, 87, 193, 131}, kNfcSwitch{149, 166, 193, 210};
constexpr Box kOutputSwitch{470, 125, 514, 169};

// The edition's badge in the title strip, right of the subtitle.
constexpr Box kEditionBadge{212, 8, 262, 26};

// The read-outs under the four knobs.
constexpr Box kAzimuthReadout{400, 118, 440, 142}, kElevationReadout{400, 220, 440, 244};
constexpr Box kDistanceReadout{273, 167, 313, 191}, kWidthReadout{273, 86, 313, 110};

} // namespace sferant::layout
