// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolRun.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

void setEnvironment(const Environment& environment)
{
    for (const auto& [name, value] : environment)
    {
        if (value.empty())
            unsetenv(name.c_str());
        else
            setenv(name.c_str(), value.c_str(), 1);
    }
}

// Runs argv (looked up on PATH) with stdout and stderr captured.
ToolRun runCommand(const std::vector<std::string>& command, const Environment& environment)
{
    ScratchFolder streams;
    const std::string outPath = streams.path("out"), errPath = streams.path("err");
    const pid_t child = fork();
    if (child == 0)
    {
        dup2(open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDOUT_FILENO);
        dup2(open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO);
        setEnvironment(environment);
        std::vector<char*> argv;
        for (const std::string& arg : command)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readText(outPath), readText(errPath)};
}

std::vector<std::string> withHost(const std::vector<std::string>& args)
{
    std::vector<std::string> command{SFERANT_HOST_PATH};
    command.insert(command.end(), args.begin(), args.end());
    return command;
}

} // namespace

ToolRun runTool(const std::vector<std::string>& args, const Environment& environment)
{
    return runCommand(withHost(args), environment);
}

bool haveVirtualDisplay()
{
    return std::system("command -v xvfb-run >/dev/null 2>&1") == 0;
}

ToolRun runToolOnVirtualDisplay(const std::vector<std::string>& args,
                                const Environment& environment)
{
    // xvfb-run -a takes the first free display from 99 on: tests that start at once may race
    // for it. Each test program starts its search at a display of its own.
    std::vector<std::string> command{"xvfb-run", "-a", "-n", std::to_string(100 + getpid() % 800)};
    const std::vector<std::string> host = withHost(args);
    command.insert(command.end(), host.begin(), host.end());
    return runCommand(command, environment);
}

std::string testModule(const std::string& name)
{
    return std::string(TEST_MODULE_DIR) + "/" + name + ".so";
}

ScratchFolder::ScratchFolder()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "sferant-tools-XXXXXX").string();
    fPath = mkdtemp(pattern.data());
}

ScratchFolder::~ScratchFolder()
{
    std::filesystem::remove_all(fPath);
}

std::vector<std::string> ScratchFolder::entries() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(fPath))
        names.push_back(entry.path().filename().string());
    return names;
}

std::string readText(const std::string& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}
