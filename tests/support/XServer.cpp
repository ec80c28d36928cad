// SPDX-License-Identifier: GPL-3.0-or-later
#include "XServer.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace sferant_test
{

namespace
{

bool saveDisplay(std::string& saved)
{
    const char* display = std::getenv("DISPLAY");
    if (display) saved = display;
    return display != nullptr;
}

void restoreDisplay(bool had, const std::string& saved)
{
    if (had)
        setenv("DISPLAY", saved.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

// The display number Xvfb writes to the pipe once it accepts connections.
std::string readDisplayNumber(int fd)
{
    std::string number;
    char c;
    ssize_t got;
    while ((got = read(fd, &c, 1)) == 1 && c != '\n')
        number += c;
    if (got < 0 && errno == EINTR) return readDisplayNumber(fd);
    return number;
}

} // namespace

XServer::XServer() : hadDisplay(saveDisplay(savedDisplay))
{
    if (const char* display = std::getenv("SFERANT_TEST_DISPLAY"))
    {
        shared = true;
        setenv("DISPLAY", display, 1);
        return;
    }
    int ready[2];
    if (pipe(ready) != 0) return;
    server = fork();
    if (server == 0)
    {
        close(ready[0]);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDERR_FILENO);
        const std::string fd = std::to_string(ready[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x720x24", "-nolisten",
               "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    const std::string number = server > 0 ? readDisplayNumber(ready[0]) : "";
    close(ready[0]);
    if (number.empty())
    {
        if (server > 0) waitpid(server, nullptr, 0);
        server = -1;
        return;
    }
    setenv("DISPLAY", (":" + number).c_str(), 1);
}

XServer::~XServer()
{
    if (server > 0)
    {
        kill(server, SIGTERM);
        waitpid(server, nullptr, 0);
    }
    restoreDisplay(hadDisplay, savedDisplay);
}

NoDisplay::NoDisplay() : hadDisplay(saveDisplay(savedDisplay))
{
    unsetenv("DISPLAY");
}

NoDisplay::~NoDisplay()
{
    restoreDisplay(hadDisplay, savedDisplay);
}

void dragAzimuthKnobUp(unsigned long window, const std::function<void()>& tick)
{
    const std::string w = std::to_string(window);
    std::thread drag(
        [&]
        {
            std::system(("xdotool mousemove --window " + w + " 420 92 mousedown 1 sleep 0.2 " +
                         "mousemove --window " + w + " 420 72 sleep 0.2 mousemove --window " + w +
                         " 420 62 sleep 0.2 mouseup 1")
                            .c_str());
        });
    for (int i = 0; i < 40; ++i)
    {
        tick();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    drag.join();
}

} // namespace sferant_test
