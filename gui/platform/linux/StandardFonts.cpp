// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CDrawContext.h"

// Sizes in pixels. "Helvetica" and "Symbol" resolve through fontconfig to whatever the
// system has installed under those names or their metric-compatible substitutes.
const long gStandardFontSize[kNumFonts] = {12, 18, 14, 12, 10, 9, 9, 12};

const char* const gStandardFontName[kNumFonts] = {
    "Helvetica", "Helvetica", "Helvetica", "Helvetica",
    "Helvetica", "Helvetica", "Helvetica", "Symbol",
};

const long gStandardFontStyle[kNumFonts] = {};
