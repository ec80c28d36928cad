#include "gui/platform/linux/X11ErrorTrap.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<Display*> ourDisplays;
XErrorHandler hostHandler = nullptr;
int trapDepth = 0;
unsigned long errorCount = 0;

int trapHandler(Display* display, XErrorEvent* event)
{
    if (std::find(ourDisplays.begin(), ourDisplays.end(), display) != ourDisplays.end()) {
        errorCount++;
        return 0;
    }
    return hostHandler ? hostHandler(display, event) : 0;
}

} // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display(display), errorsAtStart(errorCount)
{
    if (trapDepth++ == 0)
        hostHandler = XSetErrorHandler(trapHandler);
}

X11ErrorTrap::~X11ErrorTrap()
{
    XSync(display, False);
    if (--trapDepth == 0) {
        XSetErrorHandler(hostHandler);
        hostHandler = nullptr;
    }
}

bool X11ErrorTrap::failed()
{
    XSync(display, False);
    return errorCount != errorsAtStart;
}

void X11ErrorTrap::registerDisplay(Display* display)
{
    ourDisplays.push_back(display);
}

void X11ErrorTrap::unregisterDisplay(Display* display)
{
    ourDisplays.erase(std::remove(ourDisplays.begin(), ourDisplays.end(), display), ourDisplays.end());
}
