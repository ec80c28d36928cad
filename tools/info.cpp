// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <memory>
#include <string>

#include "plugin/hosting/LoadedPlugin.h"
#include "tools/commands.h"
#include "tools/options.h"
#include "tools/tool_error.h"

namespace
{

void printParameters(LoadedPlugin& effect)
{
    std::printf("\n%5s  %-24s %-10s %-10s %s\n", "index", "name", "label", "value", "display");
    for (int i = 0; i < effect.parameterCount(); ++i)
        std::printf("%5d  %-24s %-10s %-10.6f %s\n", i, effect.parameterName(i).c_str(),
                    effect.parameterLabel(i).c_str(), effect.getParameter(i),
                    effect.parameterDisplay(i).c_str());
}

} // namespace

int runInfo(const std::vector<std::string>& args)
{
    std::vector<std::string> accepted = kParameterOptions;
    accepted.push_back("trace");
    const Options options = parseOptions(args, accepted);
    if (options.positional.size() != 1)
        throw ToolError("usage: sferant-host info MODULE.so [parameter options]");
    const std::unique_ptr<LoadedPlugin> effect = loadModule(options);
    applyParameters(*effect, options.parameters);
    effect->describe(stdout);
    printParameters(*effect);
    return 0;
}
