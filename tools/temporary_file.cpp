// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/temporary_file.h"

#include <cstdio>
#include <unistd.h>

#include "tools/system.h"
#include "tools/tool_error.h"

TemporaryFile::TemporaryFile(const std::string& target) : fTarget(target)
{
    const std::string folder = folderOf(target);
    fDescriptor = createUniqueFile(folder, fPath);
    if (fDescriptor < 0)
        throw ToolError("cannot create a file in " + (folder.empty() ? std::string(".") : folder));
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
    if (!replaceFile(fPath, fTarget)) throw ToolError("cannot write " + fTarget);
    fCommitted = true;
}
