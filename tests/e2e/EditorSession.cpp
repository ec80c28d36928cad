#include "EditorSession.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace
{

std::string firstLineOf(const std::string& command)
{
    std::string line;
    if (FILE* p = popen(command.c_str(), "r"))
    {
        char buffer[256];
        if (fgets(buffer, sizeof buffer, p)) line = buffer;
        pclose(p);
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

} // namespace

EditorSession::EditorSession(std::vector<std::string> extraArgs)
{
    char path[] = "/tmp/sferant-e2e-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) return;
    outputPath = path;

    std::vector<std::string> args = {SFERANT_BINARY_DIR "/tools/sferant-host",
                                     "editor",
                                     SFERANT_MODULE_PATH,
                                     "--trace",
                                     "--dump-params",
                                     "--seconds",
                                     "60"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    pid = fork();
    if (pid == 0)
    {
        dup2(fd, STDOUT_FILENO);
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(fd);
    window =
        firstLineOf("timeout 20 xdotool search --sync --onlyvisible --name Sferant 2>/dev/null");
    settle(); // the editor's first expose and paint
}

EditorSession::~EditorSession()
{
    if (pid > 0) finish();
    if (!outputPath.empty()) unlink(outputPath.c_str());
}

bool EditorSession::xdo(const std::string& commands) const
{
    std::string expanded = commands;
    for (size_t at; (at = expanded.find("{w}")) != std::string::npos;)
        expanded.replace(at, 3, window);
    return std::system(("xdotool " + expanded).c_str()) == 0;
}

void EditorSession::settle(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::string EditorSession::finish()
{
    if (pid > 0)
    {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
    std::ifstream in(outputPath);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<Callback> callbacks(const std::string& trace)
{
    std::vector<Callback> result;
    std::istringstream lines(trace);
    std::string line;
    while (std::getline(lines, line))
    {
        Callback c{};
        float value;
        if (std::sscanf(line.c_str(), "callback opcode=%d index=%d value=%f opt=%f", &c.opcode,
                        &c.index, &value, &c.opt) == 4)
            result.push_back(c);
    }
    return result;
}

float dumpedValue(const std::string& output, int index)
{
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line))
    {
        int i;
        float value;
        if (std::sscanf(line.c_str(), "param index=%d value=%f", &i, &value) == 2 && i == index)
            return value;
    }
    return -1;
}

std::string dumpedDisplay(const std::string& output, int index)
{
    std::string key = "param index=" + std::to_string(index) + " ";
    size_t at = output.find(key);
    if (at == std::string::npos) return {};
    size_t start = output.find("display=\"", at);
    if (start == std::string::npos) return {};
    start += 9;
    return output.substr(start, output.find('"', start) - start);
}
