// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/system.h"

#include <csignal>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

int createUniqueFile(const std::string& folder, std::string& path)
{
    std::string pattern = folder + ".sferant-host-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0) return -1;
    path = name.data();
    // mkstemp makes the file private; the output gets the mode any new file would get.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    return fd;
}

bool replaceFile(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0;
}

std::string folderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

void onStopSignals(void (*handler)(int))
{
    // Without SA_RESTART, so that a signal also ends the wait for window events.
    struct sigaction action
    {
    };
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}
