// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A new file under a temporary name in the folder of its target, renamed to the target on
// commit() and removed otherwise, so a failed or interrupted run never leaves a partial file.
class TemporaryFile
{
  public:
    explicit TemporaryFile(const std::string& target);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& path() const { return fPath; }
    const std::string& target() const { return fTarget; }

    // The open descriptor, handed over to the caller, who closes it.
    int releaseDescriptor();
    // Renames the file to its target; throws ToolError when that fails.
    void commit();

  private:
    std::string fTarget;
    std::string fPath;
    int fDescriptor = -1;
    bool fCommitted = false;
};
