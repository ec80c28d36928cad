#pragma once

#include <string>
#include <sys/types.h>

// A private Xvfb for one test process; DISPLAY points at it while it lives.
class XServer
{
  public:
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool running() const { return !display.empty(); }
    const std::string& name() const { return display; }

  private:
    pid_t pid = -1;
    std::string display;
};
