// SPDX-License-Identifier: GPL-3.0-or-later
// The libFuzzer entry points of one target, chosen by SFERANT_FUZZ_TARGET.
#include "FuzzTargets.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // No window system: nothing a target does may reach a display.
    unsetenv("DISPLAY");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::SFERANT_FUZZ_TARGET(data, size);
    return 0;
}
