// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// The module's resources: the editor bitmaps as PNG bytes, by numeric id.
struct SferantResource
{
    const unsigned char* data = nullptr; // null when the module has no such resource
    size_t size = 0;
};

// The resource with that id. On Linux the bytes are embedded in the module as a table; on
// Windows they are the module's resources of type "PNG" (the platform layer finds them).
SferantResource findResource(long id);
