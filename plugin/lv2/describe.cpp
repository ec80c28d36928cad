// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the bundle's description at build time, from the parameter table, the editions and
// their channel orders, so that the Turtle files cannot drift from the binaries:
//   sferant-lv2-describe BUNDLE_DIR DSP_BINARY UI_BINARY MINOR_VERSION MICRO_VERSION
#include "core/channels.h"
#include "core/edition.h"
#include "core/parameters.h"
#include "plugin/lv2/ports.h"

#include <cctype>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

using namespace sferant;
using namespace sferant::lv2;

namespace
{

const char* const kPrefixes = R"(@prefix doap: <http://usefulinc.com/ns/doap#> .
@prefix foaf: <http://xmlns.com/foaf/0.1/> .
@prefix lv2: <http://lv2plug.in/ns/lv2core#> .
@prefix opts: <http://lv2plug.in/ns/ext/options#> .
@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .
@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .
@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .
@prefix units: <http://lv2plug.in/ns/extensions/units#> .
@prefix urid: <http://lv2plug.in/ns/ext/urid#> .

)";

// The Furse-Malham letters of outputs 0 to 15, orders 0 to 3; higher orders have none.
const char kLetters[] = "WXYZRSTUVKLMNOPQ";

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

std::string quoted(const std::string& text)
{
    return '"' + text + '"';
}

// The 3D component an output carries in this channel order (in 2D the outputs hold other
// components, see the README): its letter, or "(n,m)" with "cos" or "sin" for m other than 0.
std::string outputName(ChannelOrder order, int c)
{
    const Component k = componentOfOutput(order, false, c);
    for (int letter = 0; letter < int(sizeof kLetters) - 1; ++letter)
        if (componentOfOutput(ChannelOrder::kFurseMalham, false, letter) == k)
            return std::string(1, kLetters[letter]);
    const std::string name = "(" + std::to_string(k.n) + "," + std::to_string(std::abs(k.m)) + ")";
    return k.m == 0 ? name : name + (k.m < 0 ? " sin" : " cos");
}

// A valid port symbol from a name: "(4,1) cos" gives out_4_1_cos, "W" out_w.
std::string outputSymbol(const std::string& name)
{
    std::string symbol = "out_";
    for (char ch : name)
        if (std::isalnum(static_cast<unsigned char>(ch)))
            symbol += char(std::tolower(static_cast<unsigned char>(ch)));
        else if (symbol.back() != '_')
            symbol += '_';
    if (symbol.back() == '_') symbol.pop_back();
    return symbol;
}

void writeAudioPort(std::ostream& out, uint32_t index, const char* kind, const std::string& symbol,
                    const std::string& name, const char* comment)
{
    out << "    [\n        a lv2:AudioPort, lv2:" << kind << " ;\n"
        << "        lv2:index " << index << " ;\n"
        << "        lv2:symbol " << quoted(symbol) << " ;\n"
        << "        lv2:name " << quoted(name);
    if (comment) out << " ;\n        rdfs:comment " << quoted(comment);
    out << "\n    ]";
}

// Off/On switches are toggles; the other switches are enumerations.
bool isToggle(const Parameter& p)
{
    return p.positions == 2 && !std::strcmp(p.choices[0], "Off") &&
           !std::strcmp(p.choices[1], "On");
}

const char* unitOf(const Parameter& p)
{
    switch (p.unit)
    {
    case Unit::kDegrees:
        return "units:degree";
    case Unit::kMetres:
        return "units:m";
    default:
        return nullptr;
    }
}

void writeControlPort(std::ostream& out, const Edition& edition, int parameter)
{
    const Parameter& p = kParameters[parameter];
    out << "    [\n        a lv2:ControlPort, lv2:InputPort ;\n"
        << "        lv2:index " << controlPort(parameter) << " ;\n"
        << "        lv2:symbol " << quoted(p.symbol) << " ;\n"
        << "        lv2:name " << quoted(p.name) << " ;\n"
        << "        lv2:default " << number(userValue(parameter, defaultValue(edition, parameter)))
        << " ;\n"
        << "        lv2:minimum " << number(p.minimum) << " ;\n"
        << "        lv2:maximum " << number(p.maximum);
    if (const char* unit = unitOf(p)) out << " ;\n        units:unit " << unit;
    if (parameter == kAzimuth) out << " ;\n        rdfs:comment \"Positive to the left\"";
    if (p.positions)
    {
        out << " ;\n        lv2:portProperty lv2:integer, "
            << (isToggle(p) ? "lv2:toggled" : "lv2:enumeration") << " ;\n"
            << "        lv2:scalePoint";
        for (int i = 0; i < p.positions; ++i)
            out << (i ? ",\n            " : " ") << "[ rdfs:label " << quoted(p.choices[i])
                << " ; rdf:value " << number(p.minimum + i) << " ]";
    }
    out << "\n    ]";
}

const char* orderText(ChannelOrder order)
{
    return order == ChannelOrder::kAcn ? "in ACN order" : "in the Furse-Malham sequence";
}

void writePlugin(std::ostream& out, const Lv2Plugin& plugin, const char* minor, const char* micro)
{
    const ChannelOrder order = plugin.edition.channelOrder;
    out << kPrefixes << "<" << plugin.uri << ">\n"
        << "    a lv2:Plugin, lv2:SpatialPlugin, doap:Project ;\n"
        << "    doap:name " << quoted(plugin.edition.name) << " ;\n"
        << "    doap:license <https://spdx.org/licenses/GPL-3.0-or-later> ;\n"
        << "    doap:maintainer [ foaf:name \"Sferant Project\" ] ;\n"
        << "    rdfs:comment \"Ambisonic encoder: one mono or stereo source into B-Format of "
           "orders 1 to 5, 36 outputs "
        << orderText(order) << ".\" ;\n"
        << "    lv2:minorVersion " << minor << " ;\n"
        << "    lv2:microVersion " << micro << " ;\n"
        << "    lv2:optionalFeature lv2:hardRTCapable, opts:options, urid:map ;\n"
        << "    lv2:port\n";
    for (int i = 0; i < kNumInputs; ++i)
    {
        const std::string n = std::to_string(i + 1);
        writeAudioPort(out, kFirstInputPort + i, "InputPort", "in_" + n, "Input " + n,
                       i == 1 ? "Read only with Input set to Stereo" : nullptr);
        out << ",\n";
    }
    for (int c = 0; c < kNumOutputs; ++c)
    {
        const std::string name = outputName(order, c);
        writeAudioPort(out, kFirstOutputPort + c, "OutputPort", outputSymbol(name), name, nullptr);
        out << ",\n";
    }
    for (int i = 0; i < kNumParams; ++i)
    {
        writeControlPort(out, plugin.edition, i);
        out << (i + 1 < kNumParams ? ",\n" : " .\n");
    }
}

void writeUis(std::ostream& out)
{
    out << kPrefixes;
    for (const Lv2Plugin& plugin : kPlugins)
        out << "<" << plugin.uiUri << ">\n"
            << "    a ui:X11UI ;\n"
            << "    lv2:requiredFeature ui:parent ;\n"
            << "    lv2:optionalFeature ui:idleInterface, ui:resize, ui:touch, opts:options, "
               "urid:map ;\n"
            << "    opts:supportedOption ui:scaleFactor ;\n"
            << "    lv2:extensionData ui:idleInterface .\n\n";
}

void writeManifest(std::ostream& out, const char* dspBinary, const char* uiBinary)
{
    out << kPrefixes;
    for (const Lv2Plugin& plugin : kPlugins)
        out << "<" << plugin.uri << ">\n"
            << "    a lv2:Plugin ;\n"
            << "    lv2:binary <" << dspBinary << "> ;\n"
            << "    rdfs:seeAlso <" << plugin.description << "> ;\n"
            << "    ui:ui <" << plugin.uiUri << "> .\n\n"
            << "<" << plugin.uiUri << ">\n"
            << "    a ui:X11UI ;\n"
            << "    ui:binary <" << uiBinary << "> ;\n"
            << "    rdfs:seeAlso <sferant_ui.ttl> .\n\n";
}

template <class Write> bool writeFile(const std::string& path, Write write)
{
    std::ofstream out(path);
    write(out);
    out.close();
    if (out) return true;
    std::cerr << "sferant-lv2-describe: cannot write " << path << "\n";
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 6)
    {
        std::cerr << "usage: sferant-lv2-describe BUNDLE_DIR DSP_BINARY UI_BINARY MINOR MICRO\n";
        return 2;
    }
    const std::string bundle = argv[1];
    bool written = writeFile(bundle + "/manifest.ttl",
                             [&](std::ostream& out) { writeManifest(out, argv[2], argv[3]); }) &&
                   writeFile(bundle + "/sferant_ui.ttl", writeUis);
    for (const Lv2Plugin& plugin : kPlugins)
        written = written && writeFile(bundle + "/" + plugin.description, [&](std::ostream& out)
                                       { writePlugin(out, plugin, argv[4], argv[5]); });
    return written ? 0 : 1;
}
