#pragma once

#include <cstddef>

// The module's embedded resources: the editor bitmaps as PNG bytes, by numeric id.
struct SferantResource
{
    long id;
    const unsigned char* data;
    size_t size;
};

// The resource with that id, or null when the module has none.
const SferantResource* findResource(long id);
