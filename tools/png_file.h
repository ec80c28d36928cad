// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/rgb_image.h"
#include "tools/temporary_file.h"

// Writes the image as an 8-bit RGB PNG file into the temporary file, which the caller commits;
// throws ToolError when it cannot.
void writePng(const RgbImage& image, TemporaryFile& file);
