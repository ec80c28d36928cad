// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// The table the embedding step writes at build time (sferant-embed).
struct EmbeddedResource
{
    long id;
    const unsigned char* data;
    size_t size;
};

extern const EmbeddedResource kSferantResources[];
extern const size_t kSferantResourceCount;
