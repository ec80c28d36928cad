// SPDX-License-Identifier: GPL-3.0-or-later
// A private X server (Xvfb) for the length of a test, and the DISPLAY setting that points at
// it; or no display at all. Linux only: the rest of the test support builds everywhere.
#pragma once

#include <functional>
#include <string>
#include <sys/types.h>

namespace sferant_test
{

// Starts Xvfb on a free display number and sets DISPLAY; restores DISPLAY and stops the
// server on destruction. started() is false when Xvfb cannot run. When SFERANT_TEST_DISPLAY
// names a display, that one serves instead: the wine stage runs all its tests on one display,
// as wine's desktop process stays with the first display it meets.
class XServer
{
  public:
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool started() const { return server > 0 || shared; }

  private:
    pid_t server = -1;
    bool shared = false;
    std::string savedDisplay;
    bool hadDisplay = false;
};

// Drags the azimuth knob of the editor in `window` up from its centre with xdotool, as the
// editor's drag tests do, while `tick` (the host's idle) runs 40 times 20 ms apart.
void dragAzimuthKnobUp(unsigned long window, const std::function<void()>& tick);

// Unsets DISPLAY for the length of a scope.
class NoDisplay
{
  public:
    NoDisplay();
    ~NoDisplay();
    NoDisplay(const NoDisplay&) = delete;
    NoDisplay& operator=(const NoDisplay&) = delete;

  private:
    std::string savedDisplay;
    bool hadDisplay = false;
};

} // namespace sferant_test
