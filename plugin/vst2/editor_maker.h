// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plugin/vst2/Sferant.h"

// The effect's editor in the plug-in modules: the panel, with the edition's badge.
sferant::ParameterListener* makeSferantEditor(Sferant& effect);
