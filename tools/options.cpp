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
// parameter's symbol; the weight takes a choice's name), and what the help adds to the range.
struct ValueOption
{
    int parameter;
    const char* note;
};

const ValueOption kValueOptions[] = {
    {sferant::kAzimuth, ", positive to the left"},
    {sferant::kElevation, ", positive up"},
    {sferant::kWidth, ""},
    {sferant::kDistance, ""},
    {sferant::kOrder, ""},
    {sferant::kWeight, ""},
};

// The switches that a flag turns to their last position.
struct SwitchOption
{
    const char* option;
    int parameter;
    const char* help;
};

const SwitchOption kSwitchOptions[] = {
    {"nfc", sferant::kNFC, "near-field compensation on"},
    {"2d", sferant::kOutput, "horizontal-only output"},
    {"stereo", sferant::kInput, "stereo input (automatic for a 2-channel input file)"},
};

const sferant::Parameter& kWeight = kParameters[sferant::kWeight];

// Options that take no value besides the switches' flags; all others do.
const char* const kFlags[] = {"double", "demo", "trace", "ambix", "dump-params", "acn"};

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

// The choices' names, the last one after `last` (", " or " or ").
std::string choiceList(const sferant::Parameter& p, const char* last = ", ")
{
    std::string list;
    for (int i = 0; i < p.positions; ++i)
        list += (i == 0 ? "" : i + 1 < p.positions ? ", " : last) + std::string(p.choices[i]);
    return list;
}

bool applyParameterOption(Options& options, const std::string& option, const std::string& value)
{
    for (const ValueOption& v : kValueOptions)
    {
        const sferant::Parameter& p = kParameters[v.parameter];
        if (option != p.symbol || v.parameter == sferant::kWeight) continue;
        const double units = parseUserValue(option, value, p);
        options.parameters.push_back(
            {p.name, sferant::normalisedValue(v.parameter, units), "--" + option, units});
        return true;
    }
    for (const SwitchOption& s : kSwitchOptions)
    {
        if (option == s.option)
        {
            const sferant::Parameter& p = kParameters[s.parameter];
            options.parameters.push_back({p.name, sferant::normalisedValue(s.parameter, p.maximum),
                                          "--" + option, p.maximum});
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
    else if (option == "scale")
        options.scale = parseInRange(option, value, 0.25, 8.0);
    else if (option == "map")
        options.map = value;
    else if (option == "host-set-after")
        options.delayedSettings.push_back(parseDelayedSetting(option, value));
    else if (option == "azimuth-sweep")
    {
        const int every = options.azimuthSweep.every;
        options.azimuthSweep = parseAzimuthSweep(option, value);
        options.azimuthSweep.every = every;
    }
    else if (option == "points-every")
        options.azimuthSweep.every = parseInteger(option, value, 1, 1 << 16);
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
    return std::find(std::begin(kFlags), std::end(kFlags), option) != std::end(kFlags) ||
           std::any_of(std::begin(kSwitchOptions), std::end(kSwitchOptions),
                       [&](const SwitchOption& s) { return option == s.option; });
}

// What a value option takes: degrees, metres, a number (the order) or a choice's name.
std::string argumentOf(int parameter)
{
    const sferant::Parameter& p = kParameters[parameter];
    if (parameter == sferant::kWeight) return "W";
    if (p.positions) return "N";
    return p.unit == sferant::Unit::kMetres ? "M" : "DEG";
}

std::string rangeOf(int parameter)
{
    const sferant::Parameter& p = kParameters[parameter];
    if (parameter == sferant::kWeight) return choiceList(p, " or ");
    return formatNumber(p.minimum) + ".." + formatNumber(p.maximum);
}

std::string usageLine(const std::string& option, const std::string& help)
{
    char line[160];
    std::snprintf(line, sizeof line, "  --%-16s %s\n", option.c_str(), help.c_str());
    return line;
}

std::string parameterOptionsUsage()
{
    std::string usage;
    for (const ValueOption& v : kValueOptions)
        usage += usageLine(kParameters[v.parameter].symbol + (" " + argumentOf(v.parameter)),
                           rangeOf(v.parameter) + v.note);
    for (const SwitchOption& s : kSwitchOptions)
        usage += usageLine(s.option, s.help);
    return usage + usageLine("set NAME=VALUE", "any parameter by name, normalised 0..1");
}

std::vector<std::string> parameterOptions()
{
    std::vector<std::string> names;
    for (const ValueOption& v : kValueOptions)
        names.push_back(kParameters[v.parameter].symbol);
    for (const SwitchOption& s : kSwitchOptions)
        names.push_back(s.option);
    names.push_back("set");
    return names;
}

} // namespace

const std::vector<std::string> kParameterOptions = parameterOptions();

const char* const kParameterOptionsUsage = []
{
    static const std::string usage = parameterOptionsUsage();
    return usage.c_str();
}();

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
        if (std::isnan(setting.units) || !effect.setParameterInUnits(index, setting.units))
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
    const int choice = weightChoice(name);
    return {kWeight.name, sferant::normalisedValue(sferant::kWeight, choice), option,
            kWeight.minimum + choice};
}
