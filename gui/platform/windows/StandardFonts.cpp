// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CDrawContext.h"

// Character heights in pixels; the system font (id 0) is always bold.
const long gStandardFontSize[kNumFonts] = {12, 18, 14, 12, 11, 10, 9, 13};

const char* const gStandardFontName[kNumFonts] = {
    "Arial", "Arial", "Arial", "Arial", "Arial", "Arial", "Arial", "Symbol",
};

const long gStandardFontStyle[kNumFonts] = {kBoldFace};
