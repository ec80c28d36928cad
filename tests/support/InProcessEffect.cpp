// SPDX-License-Identifier: GPL-3.0-or-later
// Apart from HostedEffect.cpp: only programs that link an effect use this constructor.
#include "HostedEffect.h"

#include "host/AudioEffect.h"

sferant_test::HostedEffect::HostedEffect(audioMasterCallback host)
    : record(createEffectInstance(host)->getAeffect())
{
}
