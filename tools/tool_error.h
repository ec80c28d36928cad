// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

// A failure the user can act on: main prints its one-line message and exits with status 2.
struct ToolError : std::runtime_error
{
    explicit ToolError(const std::string& message) : std::runtime_error(message) {}
};
