// SPDX-License-Identifier: GPL-3.0-or-later
// sferant-host: loads a plug-in module the way a DAW does and drives it from the command line.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "plugin/hosting/LoadedPlugin.h"
#include "tools/commands.h"
#include "tools/options.h"
#include "tools/tool_error.h"

namespace
{

const char* const kUsage =
    "usage: sferant-host COMMAND MODULE.so ...\n"
    "\n"
    "  info MODULE.so                     the effect record, strings and parameter table\n"
    "  render MODULE.so IN OUT [options]  processes IN (a sound file, or 'demo') into OUT\n"
    "  render MODULE.so OUT --demo [...]  the same with the built-in demo signal\n"
    "  bench MODULE.so [options]          ns per sample frame for each --block size\n"
    "  editor MODULE.so [options]         opens the module's editor in a window of its own\n"
    "\n"
    "parameter options (render, bench, editor; each looks the parameter up by name):\n"
    "%s"
    "\n"
    "render and bench:\n"
    "  --block N          frames per process call (default 512; bench: repeatable, default 64 "
    "512)\n"
    "  --rate HZ          sample rate of the generated input (default 48000)\n"
    "  --double           processDoubleReplacing instead of processReplacing\n"
    "  --subtype T        render: PCM_16, PCM_24, PCM_32, FLOAT (default) or DOUBLE\n"
    "  --seconds S        bench: time spent per block size (default 2)\n"
    "  --move NAME        bench: sweep the parameter of that name before every block, 0 to 1\n"
    "                     and back once a second of audio (repeatable; a moving source)\n"
    "  --azimuth-sweep START:END  render: move the azimuth from START to END degrees over the\n"
    "                     input, set at every block's first frame (any number of turns)\n"
    "  --points-every N   render: the sweep's points every N frames, at their frames within\n"
    "                     the block (events in formats that take them, else split blocks)\n"
    "\n"
    "render's output (the extension of OUT picks the container: .wav, .amb, .aiff, .flac, .caf,\n"
    ".w64, .rf64, .au):\n"
    "  --ambix            an AmbiX file, OUT.caf: (order + 1)^2 channels, ACN order, SN3D\n"
    "  --acn              (order + 1)^2 channels in ACN order, in any container\n"
    "  OUT.amb            a Furse-Malham .amb file: Fu-Ma weighting, full sphere, orders 1 to 3\n"
    "  --map F.png        also a map of OUT's energy by direction (azimuth 180 at the left\n"
    "                     edge to -180 at the right, elevation -90 to 90), its peak in the\n"
    "                     summary: direction  azimuth A  elevation E (degrees)\n"
    "\n"
    "editor:\n"
    "  --seconds S        close after S seconds (default: when the window is closed)\n"
    "  --screenshot F.png save the window's contents at close\n"
    "  --scale F          show the editor F times larger, as on a screen of F x 96 dpi\n"
    "                     (the module sees SFERANT_SCALE=F; it clamps F to 1..4)\n"
    "  --dump-params      print every parameter at close:\n"
    "                       param index=0 value=0.500000 name=\"Azimuth\" display=\"0.000000\" "
    "label=\"deg\"\n"
    "  --host-set-after MS:INDEX=VALUE  call setParameter from the host after MS milliseconds\n"
    "\n"
    "every command:\n"
    "  --trace            log each host callback on stdout, one line each:\n"
    "                       callback opcode=43 index=0 value=0 opt=0\n"
    "\n"
    "Errors print one line on stderr and exit with status 2.\n"
    "\n"
    "  --version          the version of sferant-host\n";

struct Command
{
    const char* name;
    int (*run)(const std::vector<std::string>&);
};

const Command kCommands[] = {
    {"info", runInfo}, {"render", runRender}, {"bench", runBench}, {"editor", runEditor}};

// One line on stderr and status 2, for every failure the user can act on.
int reportError(const std::exception& error)
{
    std::fflush(stdout);
    std::fprintf(stderr, "sferant-host: %s\n", error.what());
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))
    {
        std::printf(kUsage, kParameterOptionsUsage);
        return argc < 2 ? 2 : 0;
    }
    if (!std::strcmp(argv[1], "--version"))
    {
        std::printf("sferant-host %s\n", SFERANT_VERSION);
        return 0;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    try
    {
        for (const Command& command : kCommands)
            if (!std::strcmp(argv[1], command.name)) return command.run(args);
        throw ToolError(std::string("unknown command '") + argv[1] + "' (try --help)");
    }
    catch (const ToolError& error)
    {
        return reportError(error);
    }
    catch (const PluginError& error)
    {
        return reportError(error);
    }
}
