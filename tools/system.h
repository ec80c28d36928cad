// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// What sferant-host needs from the operating system; system_posix.cpp and system_win32.cpp
// provide it.

// Loads a module the way a DAW does; null (and the system's reason in `error`) on failure.
void* openModule(const std::string& path, std::string& error);
void* findSymbol(void* module, const char* name);
void closeModule(void* module);

// A new empty file with a name of its own in `folder` ("" for the current one), readable and
// writable as any new file is; its descriptor and path, or -1.
int createUniqueFile(const std::string& folder, std::string& path);
// Moves `from` onto `to`, replacing a file that is there.
bool replaceFile(const std::string& from, const std::string& to);
// The folder part of a path with its trailing separator; "" for a bare name.
std::string folderOf(const std::string& path);
