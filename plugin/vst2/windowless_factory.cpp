// SPDX-License-Identifier: GPL-3.0-or-later
// The effect as programs without a window system make it (tests, benchmarks, fuzz
// targets): its editor never opens.
#include "plugin/vst2/Sferant.h"

AudioEffect* createEffectInstance(audioMasterCallback audioMaster)
{
    return new Sferant(audioMaster);
}
