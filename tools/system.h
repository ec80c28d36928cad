// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// What sferant-host needs from the operating system; each platform's folder provides it
// (gui/platform/<platform>/hosting/HostSystem.cpp). Modules are loaded by the formats' loaders.

// A new empty file with a name of its own in `folder` ("" for the current one), readable and
// writable as any new file is; its descriptor and path, or -1.
int createUniqueFile(const std::string& folder, std::string& path);
// Moves `from` onto `to`, replacing a file that is there.
bool replaceFile(const std::string& from, const std::string& to);
// The folder part of a path with its trailing separator; "" for a bare name.
std::string folderOf(const std::string& path);
// Calls `handler` on an interrupt or a termination request, in a way that also ends a wait for
// window events.
void onStopSignals(void (*handler)(int));
