// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/edition.h"
#include "host/aeffect.h"

// An edition of the encoder as a VST 2.4 plug-in: what a host tells it apart by.
struct VstEdition
{
    const sferant::Edition& edition;
    const char* effectName; // also its product string
    VstInt32 uniqueID;
};

extern const VstEdition kVstSferant;      // "Sferant Alpha-version", 'Sfrt'
extern const VstEdition kVstSferantAmbiX; // "Sferant AmbiX", 'SfAX'
