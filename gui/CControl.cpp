// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CControl.h"

#include "gui/CBitmap.h"
#include "gui/CButtonState.h"
#include "gui/CDrawContext.h"
#include "gui/CFrame.h"
#include "gui/platform/PlatformInput.h"

#include <algorithm>
#include <cstring>

namespace
{

constexpr long kShortestDoubleClickDelay = 250;

constexpr long kModifierBits = kShiftKey | kControlKey | kAltKey | kMacControlKey;

} // namespace

CControl::CControl(const CRect& size, CControlListener* listener, long tag, CBitmap* background)
    : CView(size), listener(listener), tag(tag),
      doubleClickDelay(std::max(long(platformDoubleClickTime()), kShortestDoubleClickDelay))
{
    setMouseEnabled(true);
    setTransparency(false);
    setBackground(background);
}

CControl::~CControl() = default;

bool CControl::isDirty() const
{
    // Written as a negated equality so that a NaN on either side counts as a change.
    return !(oldValue == value) || CView::isDirty();
}

void CControl::setDirty(bool state)
{
    CView::setDirty(state);
    if (state)
        oldValue = value == -1.0f ? 0.0f : -1.0f;
    else
        oldValue = value;
}

bool CControl::isTypeOf(const char* type) const
{
    return std::strcmp(type, "CControl") == 0 || CView::isTypeOf(type);
}

void CControl::doIdleStuff()
{
    if (getFrame()) getFrame()->doIdleStuff();
}

void CControl::beginEdit()
{
    if (CFrame* frame = getFrame())
    {
        frame->setFocusView(this);
        frame->beginEdit(tag);
    }
}

void CControl::endEdit()
{
    if (CFrame* frame = getFrame()) frame->endEdit(tag);
}

void CControl::copyBackOffset()
{
    backOffset = CPoint(size.left, size.top);
}

void CControl::bounceValue()
{
    if (value > vmax)
        value = vmax;
    else if (value < vmin)
        value = vmin;
}

bool CControl::checkDefaultValue(CDrawContext* context, long buttons)
{
    if (buttons != (kLeftButton | kControlKey)) return false;
    beginEdit();
    value = getDefaultValue();
    reportIfChanged(context);
    endEdit();
    return true;
}

bool CControl::isDoubleClick()
{
    long now = getFrame() ? long(getFrame()->getTicks()) : 0;
    if (lastTicks > 0 && now < lastTicks + doubleClickDelay)
    {
        lastTicks = 0;
        return true;
    }
    lastTicks = now;
    return false;
}

bool CControl::acceptsClick(CDrawContext* context, long& buttons)
{
    if (!getMouseEnabled()) return false;
    if (buttons == kReadButtonsFromPlatform)
    {
        if (!context) return false;
        buttons = context->getMouseButtons();
    }
    if (!(buttons & kLeftButton)) return false;
    if (listener && (buttons & kModifierBits) &&
        listener->controlModifierClicked(context, this, buttons) != 0)
        return false;
    return !checkDefaultValue(context, buttons);
}

void CControl::reportIfChanged(CDrawContext* context)
{
    if (isDirty() && listener) listener->valueChanged(context, this);
}

void CControl::drawBitmap(CDrawContext* context, CBitmap* bitmap, const CPoint& offset)
{
    CRect where = size;
    if (getTransparency())
        bitmap->drawTransparent(context, where, offset);
    else
        bitmap->draw(context, where, offset);
}
