#include "tools/temporary_file.h"

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "tools/tool_error.h"

TemporaryFile::TemporaryFile(const std::string& target) : fTarget(target)
{
    const size_t slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    std::vector<char> name(folder.begin(), folder.end());
    const std::string pattern = ".sferant-host-XXXXXX";
    name.insert(name.end(), pattern.begin(), pattern.end());
    name.push_back('\0');
    fDescriptor = mkstemp(name.data());
    if (fDescriptor < 0)
        throw ToolError("cannot create a file in " + (folder.empty() ? std::string(".") : folder));
    fPath = name.data();
    // mkstemp makes the file private; the output gets the mode any new file would get.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fDescriptor, 0666 & ~mask);
}

TemporaryFile::~TemporaryFile()
{
    if (fDescriptor >= 0) close(fDescriptor);
    if (!fCommitted) std::remove(fPath.c_str());
}

int TemporaryFile::releaseDescriptor()
{
    const int descriptor = fDescriptor;
    fDescriptor = -1;
    return descriptor;
}

void TemporaryFile::commit()
{
    if (std::rename(fPath.c_str(), fTarget.c_str()) != 0)
        throw ToolError("cannot write " + fTarget);
    fCommitted = true;
}
