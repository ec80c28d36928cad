// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/linux/X11ErrorTrap.h"

#include <algorithm>
#include <vector>

namespace
{

struct OurDisplay
{
    Display* display;
    bool lost;
};

std::vector<OurDisplay> ourDisplays;
XErrorHandler hostHandler = nullptr;
XIOErrorHandler hostIOHandler = nullptr;
int trapDepth = 0;
unsigned long errorCount = 0;

OurDisplay* find(Display* display)
{
    for (OurDisplay& ours : ourDisplays)
        if (ours.display == display) return &ours;
    return nullptr;
}

int trapHandler(Display* display, XErrorEvent* event)
{
    if (find(display))
    {
        errorCount++;
        return 0;
    }
    return hostHandler ? hostHandler(display, event) : 0;
}

int trapIOHandler(Display* display)
{
    if (OurDisplay* ours = find(display))
    {
        ours->lost = true;
        return 0;
    }
    return hostIOHandler ? hostIOHandler(display) : 0;
}

// Xlib ends the process after a lost connection unless this says otherwise.
void stayAlive(Display* display, void*)
{
    if (OurDisplay* ours = find(display)) ours->lost = true;
}

} // namespace

X11ErrorTrap::X11ErrorTrap(Display* display, bool collect)
    : display(display), collect(collect), errorsAtStart(errorCount)
{
    if (trapDepth++ == 0)
    {
        hostHandler = XSetErrorHandler(trapHandler);
        hostIOHandler = XSetIOErrorHandler(trapIOHandler);
    }
}

X11ErrorTrap::~X11ErrorTrap()
{
    if (collect && !connectionLost(display)) XSync(display, False);
    if (--trapDepth == 0)
    {
        XSetErrorHandler(hostHandler);
        XSetIOErrorHandler(hostIOHandler);
        hostHandler = nullptr;
        hostIOHandler = nullptr;
    }
}

bool X11ErrorTrap::failed()
{
    if (connectionLost(display)) return true;
    XSync(display, False);
    return errorCount != errorsAtStart || connectionLost(display);
}

void X11ErrorTrap::registerDisplay(Display* display)
{
    ourDisplays.push_back({display, false});
    XSetIOErrorExitHandler(display, stayAlive, nullptr);
}

void X11ErrorTrap::unregisterDisplay(Display* display)
{
    ourDisplays.erase(std::remove_if(ourDisplays.begin(), ourDisplays.end(),
                                     [display](const OurDisplay& ours)
                                     { return ours.display == display; }),
                      ourDisplays.end());
}

bool X11ErrorTrap::connectionLost(Display* display)
{
    const OurDisplay* ours = find(display);
    return ours && ours->lost;
}
