// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <string>
#include <vector>

class LoadedPlugin;

// One parameter value to set by name before the module runs.
struct ParameterSetting
{
    std::string name;   // as effGetParamName gives it
    float value;        // normalised, 0 to 1
    std::string option; // what the user wrote, for error messages
    // The value in the units a user reads, for formats that take them; NaN for a raw --set.
    double units = std::nan("");
};

// A setParameter call the editor command makes from the host's side after a delay.
struct DelayedSetting
{
    int afterMs;
    int index;
    float value;
};

// render --azimuth-sweep START:END, in degrees, with a point every `every` frames at its frame
// (--points-every; 0: one at each block's first frame).
struct AzimuthSweep
{
    bool given = false;
    double from = 0, to = 0;
    int every = 0;
};

// Everything the subcommands take after their name. Which options a subcommand accepts is
// decided by the list given to parseOptions.
struct Options
{
    std::vector<std::string> positional;
    std::vector<ParameterSetting> parameters;
    std::vector<int> blocks;        // --block, repeatable for bench
    std::vector<std::string> moved; // --move NAME, repeatable for bench
    double rate = 0.0;              // 0: not given
    double seconds = -1.0;          // negative: not given
    double scale = 0.0;             // editor: screen pixels per editor pixel; 0: not given
    bool useDouble = false;
    bool demo = false;
    bool trace = false;
    bool dumpParams = false;
    bool ambix = false; // render: an AmbiX file
    bool acn = false;   // render: channels in ACN order
    std::string subtype;
    std::string screenshot;
    std::string map; // render: the energy map's PNG file
    std::vector<DelayedSetting> delayedSettings;
    AzimuthSweep azimuthSweep;
};

// The option names (without "--") of each group, for the accept list of parseOptions.
extern const std::vector<std::string> kParameterOptions;

// Parses args (after the subcommand name); an option outside `accepted`, a missing or malformed
// value or a value out of range throws ToolError.
Options parseOptions(const std::vector<std::string>& args,
                     const std::vector<std::string>& accepted);

// Sets each value on the effect by parameter name; an unknown name throws ToolError.
void applyParameters(LoadedPlugin& effect, const std::vector<ParameterSetting>& settings);

// The usage lines of the parameter options, shared by the subcommands that take them.
extern const char* const kParameterOptionsUsage;

// The position of a weight name (SN2D, N2D, SN3D, N3D, Fu-Ma) among the encoder's five, 0 to 4;
// -1 for any other name.
int weightChoice(const std::string& name);

// The setting that --weight NAME makes (NAME one of SN2D, N2D, SN3D, N3D, Fu-Ma), recorded as
// asked for by `option`.
ParameterSetting weightSetting(const std::string& name, const std::string& option);
