// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Texts reach the toolkit from converters and hosts in whatever 8-bit encoding they use. The
// platform layers read a text as UTF-8 when it is valid UTF-8 and as Latin-1 otherwise.
bool isUtf8(const char* text);
