// SPDX-License-Identifier: GPL-3.0-or-later
// Builds without libambix (Windows: the library is not available for MinGW here) refuse
// --ambix; every other output works as elsewhere.
#include "tools/ambix_writer.h"

#include "tools/tool_error.h"

AmbixWriter::AmbixWriter(const std::string& path, int, double, const std::string&)
    : fTemporary(path)
{
    throw ToolError("--ambix: this build of sferant-host has no AmbiX writer (libambix)");
}

AmbixWriter::~AmbixWriter() = default;

void AmbixWriter::write(const float*, int64_t) {}

void AmbixWriter::write(const double*, int64_t) {}

void AmbixWriter::commit() {}

void AmbixWriter::check(int64_t, int64_t) {}
