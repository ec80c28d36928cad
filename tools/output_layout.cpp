// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/output_layout.h"

#include <algorithm>
#include <cctype>

#include "plugin/hosting/LoadedPlugin.h"
#include "tools/options.h"
#include "tools/sound_io.h"
#include "tools/tool_error.h"

namespace
{

using Format = OutputRequest::Format;

// The encoder's settings as its parameter displays show them.
struct AmbisonicSettings
{
    int order;          // "1st" to "5th"
    std::string weight; // "SN2D", "N2D", "SN3D", "N3D" or "Fu-Ma"
    bool horizontal;    // "2D" rather than "3D"
};

std::string trimmed(const std::string& text)
{
    const auto isSpace = [](unsigned char c) { return std::isspace(c) != 0; };
    const auto first = std::find_if_not(text.begin(), text.end(), isSpace);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isSpace).base();
    return first < last ? std::string(first, last) : std::string();
}

std::string display(LoadedPlugin& effect, const std::string& name, const std::string& asker)
{
    const int index = effect.findParameter(name);
    if (index < 0) throw ToolError(asker + ": the module has no parameter named \"" + name + "\"");
    return trimmed(effect.parameterDisplay(index));
}

AmbisonicSettings readSettings(LoadedPlugin& effect, const std::string& asker)
{
    const std::string order = display(effect, "Order", asker);
    const int n = order.empty() ? 0 : order[0] - '0';
    if (n < 1 || n > 5)
        throw ToolError(asker + ": the module shows its order as \"" + order + "\", not 1 to 5");
    return {n, display(effect, "Weight", asker), display(effect, "Output", asker) == "2D"};
}

std::string fileName(const std::string& path)
{
    return path.substr(path.find_last_of('/') + 1);
}

void checkAmbix(const AmbisonicSettings& settings)
{
    if (settings.weight != "SN3D")
        throw ToolError("--ambix: AmbiX holds SN3D, the weight is set to " + settings.weight +
                        " (leave --weight out, or use --acn to keep " + settings.weight + ")");
    if (settings.horizontal)
        throw ToolError("--ambix: AmbiX is full-sphere (leave --2d out, or use --acn for "
                        "horizontal-only output)");
}

void checkAmb(const std::string& path, const AmbisonicSettings& settings)
{
    const std::string holds = fileName(path) + ": a .amb file holds ";
    if (settings.weight != "Fu-Ma")
        throw ToolError(holds + "Fu-Ma weighting only, the weight is set to " + settings.weight +
                        " (leave --weight out)");
    if (settings.horizontal) throw ToolError(holds + "full-sphere output only (leave --2d out)");
    if (settings.order > 3)
        throw ToolError(holds + "orders 1 to 3 only (use --order 3 or lower, or --ambix)");
}

// An encoder writes its outputs in the Furse-Malham sequence unless its product name says it
// follows the AmbiX convention (as Sferant AmbiX does): then in ACN order. Every format
// follows from the components of the module's outputs.
ChannelOrder moduleOutputOrder(LoadedPlugin& effect)
{
    const bool ambix = effect.product().find("AmbiX") != std::string::npos;
    return ambix ? ChannelOrder::kAcn : ChannelOrder::kFurseMalham;
}

std::vector<int> firstOutputs(int count)
{
    std::vector<int> sources(count);
    for (int c = 0; c < count; ++c)
        sources[c] = c;
    return sources;
}

// For each channel of the file, the module output that carries its component; -1 for a silent
// channel.
std::vector<int> sourcesOf(const std::vector<Component>& file,
                           const std::vector<Component>& outputs)
{
    std::vector<int> sources;
    for (const Component& component : file)
    {
        const auto found = std::find(outputs.begin(), outputs.end(), component);
        if (!component.silent() && found == outputs.end())
            throw ToolError("the module has " + std::to_string(outputs.size()) +
                            " outputs, too few for " + std::to_string(file.size()) +
                            " Ambisonic channels");
        sources.push_back(component.silent() ? -1 : static_cast<int>(found - outputs.begin()));
    }
    return sources;
}

std::string upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

SoundField fieldOf(const AmbisonicSettings& settings, std::vector<Component> channels)
{
    return {std::move(channels), weightChoice(settings.weight), settings.horizontal};
}

// The file's channels in ACN order, or the Furse-Malham sequence of a .amb file, taken from the
// module outputs that carry them.
OutputLayout ambisonicLayout(const OutputRequest& request, const AmbisonicSettings& settings,
                             const std::vector<Component>& outputs)
{
    const int channels = (settings.order + 1) * (settings.order + 1);
    if (request.format == Format::Ambix) checkAmbix(settings);
    if (request.format == Format::Amb) checkAmb(request.path, settings);
    const ChannelOrder order =
        request.format == Format::Amb ? ChannelOrder::kFurseMalham : ChannelOrder::kAcn;
    SoundField field =
        fieldOf(settings, channelComponents(order, channels, settings.order, settings.horizontal));
    std::string description = ".amb (B-Format WAVE-EX), Furse-Malham order, Fu-Ma";
    if (order == ChannelOrder::kAcn)
    {
        const std::string container = request.format == Format::Ambix
                                          ? "AmbiX basic (CAF)"
                                          : upper(lowerExtension(request.path));
        description = container + ", ACN order, " + settings.weight;
    }
    return {sourcesOf(field.channels, outputs), description, std::move(field)};
}

} // namespace

OutputRequest requestOutput(const std::string& path, bool ambix, bool acn,
                            const std::string& mapPath)
{
    const std::string extension = lowerExtension(path);
    if (ambix && extension != "caf")
        throw ToolError("--ambix: an AmbiX file is a CAF file (name the output .caf)");
    if (acn && extension == "amb")
        throw ToolError("--acn: a .amb file holds the Furse-Malham sequence (leave --acn out, or "
                        "name the output .wav)");
    if (!mapPath.empty() && lowerExtension(mapPath) != "png")
        throw ToolError("--map: the map is a PNG file (name it .png)");
    const Format format = ambix ? Format::Ambix : extension == "amb" ? Format::Amb : Format::Plain;
    return {format, acn || ambix, path, mapPath};
}

std::string askedBy(const OutputRequest& request)
{
    switch (request.format)
    {
    case Format::Ambix:
        return "--ambix";
    case Format::Amb:
        return fileName(request.path);
    case Format::Plain:
        break;
    }
    return request.acn ? "--acn" : "--map";
}

std::string requiredWeight(const OutputRequest& request)
{
    switch (request.format)
    {
    case Format::Ambix:
        return "SN3D";
    case Format::Amb:
        return "Fu-Ma";
    case Format::Plain:
        break;
    }
    return "";
}

OutputLayout layOutOutput(const OutputRequest& request, LoadedPlugin& effect)
{
    const int outputs = effect.numOutputs();
    OutputLayout plain{firstOutputs(outputs),
                       upper(lowerExtension(request.path)) + ", the module's channel order",
                       std::nullopt};
    const bool ambisonic = request.format != Format::Plain || request.acn;
    if (!ambisonic && request.mapPath.empty()) return plain;

    const AmbisonicSettings settings = readSettings(effect, askedBy(request));
    if (!request.mapPath.empty() && weightChoice(settings.weight) < 0)
        throw ToolError("--map: the module shows its weight as \"" + settings.weight +
                        "\", none of SN2D, N2D, SN3D, N3D, Fu-Ma");
    const std::vector<Component> carried =
        channelComponents(moduleOutputOrder(effect), outputs, settings.order, settings.horizontal);
    if (ambisonic) return ambisonicLayout(request, settings, carried);
    plain.field = fieldOf(settings, carried);
    return plain;
}
