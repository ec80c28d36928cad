// SPDX-License-Identifier: GPL-3.0-or-later
// The mouse queries of drawing contexts, answered by the platform input.
#include "gui/CButtonState.h"
#include "gui/CDrawContext.h"
#include "gui/platform/PlatformInput.h"

namespace
{

constexpr long kButtons = kLeftButton | kMiddleButton | kRightButton;
constexpr uint32_t kPollInterval = 5;

} // namespace

void CDrawContext::getMouseLocation(CPoint& point)
{
    point = platformInput().getMouseLocation(frame);
    point.offset(-windowOffset.h, -windowOffset.v);
}

long CDrawContext::getMouseButtons()
{
    return platformInput().getMouseButtons(frame);
}

bool CDrawContext::waitDoubleClick()
{
    const uint32_t start = platformTicks();
    bool released = false;
    while (platformTicks() - start < platformDoubleClickTime())
    {
        const bool down = (platformInput().getMouseButtons(frame) & kButtons) != 0;
        if (released && down) return true;
        released = released || !down;
        platformSleep(kPollInterval);
    }
    return false;
}

bool CDrawContext::waitDrag()
{
    const CPoint start = platformInput().getMouseLocation(frame);
    while (platformInput().getMouseButtons(frame) & kButtons)
    {
        if (platformInput().getMouseLocation(frame) != start) return true;
        platformSleep(kPollInterval);
    }
    return false;
}
