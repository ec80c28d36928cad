#include "resources/ResourceTable.h"

// Written by the embedding step at build time.
extern const SferantResource kSferantResources[];
extern const size_t kSferantResourceCount;

const SferantResource* findResource(long id)
{
    for (size_t i = 0; i < kSferantResourceCount; ++i)
        if (kSferantResources[i].id == id) return &kSferantResources[i];
    return nullptr;
}
