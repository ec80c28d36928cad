// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/ResourceTable.h"

#include "resources/EmbeddedResources.h"

SferantResource findResource(long id)
{
    for (size_t i = 0; i < kSferantResourceCount; ++i)
        if (kSferantResources[i].id == id)
            return {kSferantResources[i].data, kSferantResources[i].size};
    return {};
}
