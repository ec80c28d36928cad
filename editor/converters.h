// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The texts of the editor's four read-outs: one number printed with "%.1f", no unit; a
// number that rounds to zero reads "0.0", never "-0.0". `text` must hold 256 characters,
// as the parameter display's buffer does.

// Azimuth in degrees, (0.5 - value) x 360: 180.0 at 0, 0.0 at 0.5, -180.0 at 1.
void degreeStringConvert(float value, char* text);
// Elevation in degrees, (value - 0.5) x 180: -90.0 at 0, 90.0 at 1.
void elevationDegreeStringConvert(float value, char* text);
// Source distance in metres, value x 10 + 0.1: 0.1 at 0, 10.1 at 1.
void distanceStringConvert(float value, char* text);
// Stereo width in degrees, value x 180.
void widthDegreeStringConvert(float value, char* text);
