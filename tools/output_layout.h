// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/sound_field.h"

class LoadedPlugin;

// What render writes, as --ambix, --acn and the output's extension ask for it.
struct OutputRequest
{
    enum class Format
    {
        Plain, // the container of the extension, every module output in the module's order
        Amb,   // .amb: WAVE-EX marked as B-Format, Furse-Malham sequence, Fu-Ma weighting
        Ambix, // AmbiX basic through libambix: ACN order, SN3D
    };
    Format format = Format::Plain;
    bool acn = false; // ACN order in whatever container
    std::string path;
    std::string mapPath; // --map: also a picture of the energy by direction; "" for none
};

// Refuses combinations that no module setting could satisfy (--ambix with a .wav name, ...).
OutputRequest requestOutput(const std::string& path, bool ambix, bool acn,
                            const std::string& mapPath);

// What asked for the format, for messages: "--ambix", "--acn", the .amb file's name or "--map".
std::string askedBy(const OutputRequest& request);

// The weight the format holds ("SN3D", "Fu-Ma"), or "" when it leaves the choice to the user.
std::string requiredWeight(const OutputRequest& request);

// The file's channels: for each, the module output it carries, or -1 for a silent channel.
struct OutputLayout
{
    std::vector<int> sources;
    std::string description; // for the summary, e.g. "AmbiX basic (CAF), ACN order, SN3D"
    // What the file's channels carry: known for the Ambisonic formats and for a map, none for
    // a plain render of a module that need not be an encoder.
    std::optional<SoundField> field;
};

// Reads the module's Order, Weight and Output parameters once the options are applied and
// refuses what the format cannot hold, naming what to change.
OutputLayout layOutOutput(const OutputRequest& request, LoadedPlugin& effect);
