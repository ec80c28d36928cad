// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/options.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/parameters.h"
#include "plugin/hosting/LoadedPlugin.h"
#include "tools/sound_io.h"
#include "tools/tool_error.h"

namespace
{

constexpr int kMaxBlock = 1 << 20;

using sferant::kParameters;

// The encoder's parameters that an option sets in the units a user reads (its name is the
// parameter's symbol), and the switches that a flag turns to their second position.
const int kUserValueOptions[] = {sferant::kAzimuth, sferant::kElevation, sferant::kWidth,
                                 sferant::kDistance, sferant::kOrder};

struct SwitchOption
{
    const char* option;
    int parameter;
};

const SwitchOption kSwitchOptions[] = {
    {"nfc", sferant::kNFC}, {"2d", sferant::kOutput}, {"stereo", sferant::kInput}};

const sferant::Parameter& kWeight = kParameters[sferant::kWeight];

// Options that take no value; all others do.
const char* const kFlags[] = {"nfc",   "2d",    "stereo",      "double", "demo",
                              "trace", "ambix", "dump-params", "acn"};

[[noreturn]] void fail(const std::string& option, const std::string& message)
{
    throw ToolError("--" + option + ": " + message);
}

double parseNumber(const std::string& option, const std::string& text)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value))
        fail(option, "'" + text + "' is not a number");
    return value;
}

std::string formatNumber(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

double parseInRange(const std::string& option, const std::string& text, double min, double max)
{
    const double value = parseNumber(option, text);
    if (value < min || value > max)
        fail(option,
             text + " is out of range (" + formatNumber(min) + " to " + formatNumber(max) + ")");
    return value;
}

int parseInteger(const std::string& option, const std::string& text, int min, int max)
{
    const double value = parseInRange(option, text, min, max);
    if (value != std::floor(value)) fail(option, text + " is not a whole number");
    return static_cast<int>(value);
}

// NAME=VALUE with VALUE a normalised parameter value.
ParameterSetting parseRawSetting(const std::string& option, const std::string& text)
{
    const size_t equals = text.rfind('=');
    if (equals == std::string::npos || equals == 0)
        fail(option, "expected NAME=VALUE, got '" + text + "'");
    const std::string value = text.substr(equals + 1);
    return {text.substr(0, equals), float(parseInRange(option, value, 0.0, 1.0)), "--" + option};
}

// MS:INDEX=VALUE for a host-side setParameter after MS milliseconds.
DelayedSetting parseDelayedSetting(const std::string& option, const std::string& text)
{
    const size_t colon = text.find(':');
    const size_t equals = text.find('=', colon == std::string::npos ? 0 : colon);
    if (colon == std::string::npos || equals == std::string::npos)
        fail(option, "expected MS:INDEX=VALUE, got '" + text + "'");
    return {parseInteger(option, text.substr(0, colon), 0, 3600000),
            parseInteger(option, text.substr(colon + 1, equals - colon - 1), 0, 1 << 16),
            float(parseInRange(option, text.substr(equals + 1), 0.0, 1.0))};
}

// START:END, two angles in degrees; any number of turns.
AzimuthSweep parseAzimuthSweep(const std::string& option, const std::string& text)
{
    const size_t colon = text.find(':', 1);
    if (colon == std::string::npos) fail(option, "expected START:END, got '" + text + "'");
    return {true, parseNumber(option, text.substr(0, colon)),
            parseNumber(option, text.substr(colon + 1))};
}

// The user value of a parameter option; a switch (the order) takes whole numbers only.
double parseUserValue(const std::string& option, const std::string& text,
                      const sferant::Parameter& p)
{
    if (p.positions) return parseInteger(option, text, int(p.minimum), int(p.maximum));
    return parseInRange(option, text, p.minimum, p.maximum);
}

std::string choiceList(const sferant::Parameter& p)
{
    std::string list;
    for (int i = 0; i < p.positions; ++i)
        list += (i ? ", " : "") + std::string(p.choices[i]);
    return list;
}

bool applyParameterOption(Options& options, const std::string& option, const std::string& value)
{
    for (int index : kUserValueOptions)
    {
        const sferant::Parameter& p = kParameters[index];
        if (option != p.symbol) continue;
        const float normalised = sferant::normalisedValue(index, parseUserValue(option, value, p));
        options.parameters.push_back({p.name, normalised, "--" + option});
        return true;
    }
    for (const SwitchOption& s : kSwitchOptions)
    {
        if (option == s.option)
        {
            const sferant::Parameter& p = kParameters[s.parameter];
            options.parameters.push_back(
                {p.name, sferant::normalisedValue(s.parameter, p.maximum), "--" + option});
            return true;
        }
    }
    if (option == "weight")
    {
        if (weightChoice(value) < 0)
            fail(option, "'" + value + "' is none of " + choiceList(kWeight));
        options.parameters.push_back(weightSetting(value, "--weight"));
        return true;
    }
    if (option == "set")
    {
        options.parameters.push_back(parseRawSetting(option, value));
        return true;
    }
    return false;
}

void applyOption(Options& options, const std::string& option, const std::string& value)
{
    if (applyParameterOption(options, option, value)) return;
    if (option == "block")
        options.blocks.push_back(parseInteger(option, value, 1, kMaxBlock));
    else if (option == "rate")
        options.rate = parseInteger(option, value, 1000, 768000);
    else if (option == "seconds")
        options.seconds = parseInRange(option, value, 0.0, 86400.0);
    else if (option == "move")
        options.moved.push_back(value);
    else if (option == "subtype" && isKnownSubtype(value))
        options.subtype = value;
    else if (option == "subtype")
        fail(option, "'" + value + "' is none of PCM_16, PCM_24, PCM_32, FLOAT, DOUBLE");
    else if (option == "screenshot")
        options.screenshot = value;
    else if (option == "map")
        options.map = value;
    else if (option == "host-set-after")
        options.delayedSettings.push_back(parseDelayedSetting(option, value));
    else if (option == "azimuth-sweep")
        options.azimuthSweep = parseAzimuthSweep(option, value);
    else if (option == "double")
        options.useDouble = true;
    else if (option == "demo")
        options.demo = true;
    else if (option == "trace")
        options.trace = true;
    else if (option == "dump-params")
        options.dumpParams = true;
    else if (option == "ambix")
        options.ambix = true;
    else if (option == "acn")
        options.acn = true;
}

bool isFlag(const std::string& option)
{
    return std::find(std::begin(kFlags), std::end(kFlags), option) != std::end(kFlags);
}

} // namespace

const std::vector<std::string> kParameterOptions = {
    "azimuth", "elevation", "width", "distance", "nfc", "order", "weight", "2d", "stereo", "set"};

const char* const kParameterOptionsUsage =
    "  --azimuth DEG      -180..180, positive to the left\n"
    "  --elevation DEG    -90..90, positive up\n"
    "  --width DEG        0..180\n"
    "  --distance M       0.1..10.1\n"
    "  --order N          1..5\n"
    "  --weight W         SN2D, N2D, SN3D, N3D or Fu-Ma\n"
    "  --nfc              near-field compensation on\n"
    "  --2d               horizontal-only output\n"
    "  --stereo           stereo input (automatic for a 2-channel input file)\n"
    "  --set NAME=VALUE   any parameter by name, normalised 0..1\n";

Options parseOptions(const std::vector<std::string>& args, const std::vector<std::string>& accepted)
{
    Options options;
    for (size_t i = 0; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        if (arg.size() < 3 || arg.compare(0, 2, "--") != 0)
        {
            options.positional.push_back(arg);
            continue;
        }
        // Both "--name value" and "--name=value".
        const size_t equals = arg.find('=');
        const std::string option =
            arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        if (std::find(accepted.begin(), accepted.end(), option) == accepted.end())
            throw ToolError("unknown option " + arg.substr(0, equals));
        std::string value;
        if (equals != std::string::npos)
            value = arg.substr(equals + 1);
        else if (!isFlag(option) && i + 1 < args.size())
            value = args[++i];
        else if (!isFlag(option))
            fail(option, "needs a value");
        applyOption(options, option, value);
    }
    return options;
}

void applyParameters(LoadedPlugin& effect, const std::vector<ParameterSetting>& settings)
{
    for (const ParameterSetting& setting : settings)
    {
        const int index = effect.findParameter(setting.name);
        if (index < 0)
            throw ToolError(setting.option + ": the module has no parameter named \"" +
                            setting.name + "\"");
        effect.setParameter(index, setting.value);
    }
}

int weightChoice(const std::string& name)
{
    const auto* end = kWeight.choices + kWeight.positions;
    const auto* found = std::find(kWeight.choices, end, name);
    return found == end ? -1 : static_cast<int>(found - kWeight.choices);
}

ParameterSetting weightSetting(const std::string& name, const std::string& option)
{
    return {kWeight.name, sferant::normalisedValue(sferant::kWeight, weightChoice(name)), option};
}
