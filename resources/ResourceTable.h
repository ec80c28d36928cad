// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// The module's resources: the editor bitmaps as PNG bytes, by numeric id.
struct SferantResource
{
    const unsigned char* data = nullptr; // null when the module has no such resource
    size_t size = 0;
};

// The bitmaps drawn at twice the density (png@2x/<id>.png) are resources id + this offset.
constexpr long kDoubleDensityIdOffset = 1000;

// The resource with that id. On Linux the bytes are embedded in the module as a table; on
// Windows they are the module's resources of type "PNG" (the platform layer finds them).
SferantResource findResource(long id);
