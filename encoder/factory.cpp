// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoder/Sferant.h"

AudioEffect* createEffectInstance(audioMasterCallback audioMaster)
{
    return new Sferant(audioMaster);
}
