#pragma once

#include <string>

#include <X11/Xlib.h>

// The top-level X11 window a host gives an editor to live in. Owns its display connection.
class HostWindow
{
  public:
    // Throws ToolError when there is no display to connect to.
    HostWindow(int width, int height, const std::string& title);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    Window id() const { return fWindow; }
    void resize(int width, int height);
    void show();

    // Handles the window's own events for up to timeoutMs; true once the user has closed it.
    bool pumpEvents(int timeoutMs);

    // Writes what the window shows, the editor's windows inside it included, as a PNG file.
    void savePng(const std::string& path);

  private:
    Display* fDisplay = nullptr;
    Window fWindow = 0;
    Atom fDeleteWindow = 0;
    bool fClosed = false;
};
