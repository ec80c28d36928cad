// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorSession.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <regex>
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

// The whole scale an editor session was started at (--scale F), 1 without one.
int scaleOf(const std::vector<std::string>& args)
{
    for (size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--scale") return std::max(1, std::atoi(args[i + 1].c_str()));
    return 1;
}

} // namespace

EditorHost builtEditorHost()
{
    return {"linux", {SFERANT_BINARY_DIR "/tools/sferant-host", "editor", SFERANT_MODULE_PATH}};
}

EditorSession::EditorSession(std::vector<std::string> extraArgs, EditorHost host)
    : stopSignal(host.stopSignal)
{
    char path[] = "/tmp/sferant-e2e-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) return;
    outputPath = path;

    std::vector<std::string> args = host.command;
    args.insert(args.end(), {"--trace", "--dump-params", "--seconds", "60"});
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
    if (host.framed && !window.empty()) findEditorCorner(scaleOf(extraArgs));
    settle(); // the editor's first expose and paint
}

// A system frame has equal borders left, right and below, and the caption above; the editor
// inside is the panel times the scale.
void EditorSession::findEditorCorner(int scale)
{
    const std::string geometry = firstLineOf("xdotool getwindowgeometry " + window +
                                             " 2>/dev/null | sed -n 's/.*Geometry: //p'");
    int width = 0, height = 0;
    if (std::sscanf(geometry.c_str(), "%dx%d", &width, &height) != 2) return;
    cornerX = (width - scale * sferant::layout::kPanelWidth) / 2;
    cornerY = height - scale * sferant::layout::kPanelHeight - cornerX;
}

EditorSession::~EditorSession()
{
    if (pid > 0) finish();
    if (!outputPath.empty()) unlink(outputPath.c_str());
}

bool EditorSession::xdo(const std::string& commands) const
{
    static const std::regex editorPoint("--window \\{w\\} (\\d+) (\\d+)");
    std::string expanded;
    auto last = commands.cbegin();
    for (std::sregex_iterator it(commands.begin(), commands.end(), editorPoint), end; it != end;
         ++it)
    {
        const std::smatch& match = *it;
        expanded.append(last, match[0].first);
        expanded += "--window " + window + " " + std::to_string(std::stoi(match[1]) + cornerX) +
                    " " + std::to_string(std::stoi(match[2]) + cornerY);
        last = match[0].second;
    }
    expanded.append(last, commands.cend());
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
        kill(pid, stopSignal);
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

std::vector<Callback> gesture(const std::string& trace)
{
    std::vector<Callback> result;
    for (const Callback& c : callbacks(trace))
        if (c.opcode == 43 || c.opcode == 0 || c.opcode == 44) result.push_back(c);
    return result;
}

int differingPixels(const RgbaImage& a, const RgbaImage& b, const sferant::layout::Box& area,
                    int tolerance)
{
    const int all = (area.right - area.left) * (area.bottom - area.top);
    if (a.width < area.right || b.width < area.right || a.height < area.bottom ||
        b.height < area.bottom)
        return all;
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
        {
            const auto &p = a.at(x, y), &q = b.at(x, y);
            count += std::abs(p.r - q.r) > tolerance || std::abs(p.g - q.g) > tolerance ||
                     std::abs(p.b - q.b) > tolerance;
        }
    return count;
}

std::string shotPath(const char* name)
{
    return "/tmp/sferant-e2e-" + std::to_string(getpid()) + "-" + name + ".png";
}

RgbaImage referenceShot(const std::string& setting, const EditorHost& host)
{
    std::string path = shotPath("reference");
    {
        EditorSession session({"--set", setting, "--screenshot", path}, host);
        session.finish();
    }
    RgbaImage image = readPng(path);
    unlink(path.c_str());
    return image;
}
