// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/output_layout.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "tools/hosted_effect.h"
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

std::string display(HostedEffect& effect, const std::string& name, const std::string& asker)
{
    const int index = effect.findParameter(name);
    if (index < 0) throw ToolError(asker + ": the module has no parameter named \"" + name + "\"");
    return trimmed(effect.parameterDisplay(index));
}

AmbisonicSettings readSettings(HostedEffect& effect, const std::string& asker)
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

// The encoder output carrying component (n, m) of its Furse-Malham sequence, the sine terms at
// m < 0; -1 for a component that horizontal-only output does not carry.
int furseMalhamOutput(int n, int m, bool horizontal)
{
    const int k = std::abs(m);
    const int sine = m < 0 ? 1 : 0;
    if (horizontal) return k == n ? std::max(0, 2 * n - 1 + sine) : -1;
    if (n == 1) return m == 0 ? 3 : 1 + sine; // X, Y, then Z
    return m == 0 ? n * n : n * n + 2 * k - 1 + sine;
}

// ACN numbers component (n, m) n² + n + m.
std::vector<int> acnSources(const AmbisonicSettings& settings)
{
    std::vector<int> sources;
    for (int n = 0; n <= settings.order; ++n)
        for (int m = -n; m <= n; ++m)
            sources.push_back(furseMalhamOutput(n, m, settings.horizontal));
    return sources;
}

std::vector<int> firstOutputs(int count)
{
    std::vector<int> sources(count);
    for (int c = 0; c < count; ++c)
        sources[c] = c;
    return sources;
}

std::string upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

OutputLayout ambisonicLayout(const OutputRequest& request, HostedEffect& effect)
{
    const AmbisonicSettings settings = readSettings(effect, askedBy(request));
    const int channels = (settings.order + 1) * (settings.order + 1);
    if (request.format == Format::Ambix) checkAmbix(settings);
    if (request.format == Format::Amb)
    {
        checkAmb(request.path, settings);
        return {firstOutputs(channels), ".amb (B-Format WAVE-EX), Furse-Malham order, Fu-Ma"};
    }
    const std::string container =
        request.format == Format::Ambix ? "AmbiX basic (CAF)" : upper(lowerExtension(request.path));
    return {acnSources(settings), container + ", ACN order, " + settings.weight};
}

} // namespace

OutputRequest requestOutput(const std::string& path, bool ambix, bool acn)
{
    const std::string extension = lowerExtension(path);
    if (ambix && extension != "caf")
        throw ToolError("--ambix: an AmbiX file is a CAF file (name the output .caf)");
    if (acn && extension == "amb")
        throw ToolError("--acn: a .amb file holds the Furse-Malham sequence (leave --acn out, or "
                        "name the output .wav)");
    const Format format = ambix ? Format::Ambix : extension == "amb" ? Format::Amb : Format::Plain;
    return {format, acn || ambix, path};
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
    return request.acn ? "--acn" : "";
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

OutputLayout layOutOutput(const OutputRequest& request, HostedEffect& effect)
{
    const int outputs = effect.record().numOutputs;
    if (request.format == Format::Plain && !request.acn)
        return {firstOutputs(outputs),
                upper(lowerExtension(request.path)) + ", the module's channel order"};
    OutputLayout layout = ambisonicLayout(request, effect);
    if (*std::max_element(layout.sources.begin(), layout.sources.end()) >= outputs)
        throw ToolError("the module has " + std::to_string(outputs) + " outputs, too few for " +
                        std::to_string(layout.sources.size()) + " Ambisonic channels");
    return layout;
}
