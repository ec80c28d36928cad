// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

// The module this code is linked into (the plug-in's DLL, or a test program): where its
// window class is registered and its bitmaps are found. The host executable's handle
// would find nothing.
HINSTANCE thisModule();
