// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/system.h"

#include <cstdio>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

void* openModule(const std::string& path, std::string& error)
{
    // A name without a slash would make dlopen search the library path instead of the folder.
    const std::string name = path.find('/') == std::string::npos ? "./" + path : path;
    void* module = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module)
    {
        const char* reason = dlerror();
        error = reason ? reason : "unknown error";
    }
    return module;
}

void* findSymbol(void* module, const char* name)
{
    return dlsym(module, name);
}

void closeModule(void* module)
{
    dlclose(module);
}

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
