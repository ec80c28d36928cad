// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "tools/rgb_image.h"

// The top-level window a host gives an editor to live in: each platform's folder makes it
// (gui/platform/<platform>/hosting/HostWindow.cpp).
class HostWindow
{
  public:
    // Throws ToolError when no window can be made (no display to connect to).
    HostWindow(int width, int height, const std::string& title);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    // What an editor is opened in: the X11 Window id, or the HWND.
    void* parentForEditor() const;
    void resize(int width, int height);
    void show();

    // Handles the window's own events for up to timeoutMs; true once the user has closed it.
    bool pumpEvents(int timeoutMs);

    // What the window shows, the editor's windows inside it included; throws ToolError when
    // the system does not give it.
    RgbImage capture();

  private:
    struct System;
    std::unique_ptr<System> fSystem;
};
