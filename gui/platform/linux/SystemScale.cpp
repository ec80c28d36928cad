// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/SystemServices.h"

#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <cstdlib>

namespace
{

// Xft.dpi of the X server's resources, which desktops set to their scale times 96; 0 when
// absent.
double xftDpi()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 0;
    double dpi = 0;
    if (const char* resources = XResourceManagerString(display))
    {
        XrmInitialize();
        XrmDatabase database = XrmGetStringDatabase(resources);
        char* type = nullptr;
        XrmValue value{};
        if (database && XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr)
            dpi = std::atof(value.addr);
        if (database) XrmDestroyDatabase(database);
    }
    XCloseDisplay(display);
    return dpi;
}

} // namespace

// SFERANT_SCALE first: for desktops that scale without telling the X server.
double systemScale()
{
    if (const char* forced = std::getenv("SFERANT_SCALE"))
        if (const double scale = std::atof(forced); scale > 0) return scale;
    const double dpi = xftDpi();
    return dpi > 0 ? dpi / 96 : 1;
}
