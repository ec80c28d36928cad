// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CDrawContext.h"

// Sizes in pixels; Core Text finds both faces on every Mac.
const long gStandardFontSize[kNumFonts] = {12, 18, 14, 12, 10, 9, 9, 12};

const char* const gStandardFontName[kNumFonts] = {
    "Helvetica", "Helvetica", "Helvetica", "Helvetica",
    "Helvetica", "Helvetica", "Helvetica", "Symbol",
};

const long gStandardFontStyle[kNumFonts] = {};
