// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/system.h"

#include <csignal>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

// Tries names until one is free: creation fails when the file exists.
int createUniqueFile(const std::string& folder, std::string& path)
{
    const unsigned long base = GetCurrentProcessId() * 7919ul + GetTickCount();
    for (unsigned long attempt = 0; attempt < 100; ++attempt)
    {
        const std::string name = folder + ".sferant-host-" + std::to_string(base + attempt);
        const int fd =
            _open(name.c_str(), _O_CREAT | _O_EXCL | _O_RDWR | _O_BINARY, _S_IREAD | _S_IWRITE);
        if (fd >= 0)
        {
            path = name;
            return fd;
        }
    }
    return -1;
}

bool replaceFile(const std::string& from, const std::string& to)
{
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

std::string folderOf(const std::string& path)
{
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? "" : path.substr(0, separator + 1);
}

void onStopSignals(void (*handler)(int))
{
    std::signal(SIGINT, handler);
    std::signal(SIGTERM, handler);
}
