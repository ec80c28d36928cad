// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CVerticalSwitch.h"

#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"

#include <algorithm>
#include <cstring>

CVerticalSwitch::CVerticalSwitch(const CRect& size, CControlListener* listener, long tag,
                                 long subPixmaps, long heightOfOneImage, long maxPositions,
                                 CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), subPixmaps(subPixmaps),
      heightOfOneImage(heightOfOneImage), maxPositions(maxPositions)
{
    // A control-click selects the first position.
    setDefaultValue(0.0f);
}

CVerticalSwitch::~CVerticalSwitch() = default;

bool CVerticalSwitch::isTypeOf(const char* type) const
{
    return std::strcmp(type, "CVerticalSwitch") == 0 || CControl::isTypeOf(type);
}

long CVerticalSwitch::shownPosition() const
{
    // Values outside 0..1 (only reachable through setValue) and NaN stay within the strip.
    float shown = value > 1.0f ? 1.0f : (value >= 0.0f ? value : 0.0f);
    long position = long(float(maxPositions - 1) * shown + 0.5f);
    return std::max(0L, std::min(position, maxPositions - 1));
}

void CVerticalSwitch::draw(CDrawContext* context)
{
    if (background) drawBitmap(context, background, CPoint(0, heightOfOneImage * shownPosition()));
    setDirty(false);
}

float CVerticalSwitch::valueAt(const CPoint& where, double band) const
{
    if (maxPositions < 2 || band <= 0) return 0.0f;
    long i = long((where.v - size.top) / band);
    float v = float(i) / float(maxPositions - 1);
    // The clamp is to 0..1, not to min..max.
    return v > 1.0f ? 1.0f : (v < 0.0f ? 0.0f : v);
}

void CVerticalSwitch::mouse(CDrawContext* context, CPoint& where, long buttons)
{
    if (!context || !acceptsClick(context, buttons)) return;
    double band = double(heightOfOneImage) / maxPositions;
    beginEdit();
    // The control stays dirty until the next repaint: reporting while dirty would tell the
    // listener (and the host, which records an automation point each time) the same position
    // on every pass. Each position is reported once.
    bool reported = false;
    float lastReported = 0.0f;
    do
    {
        value = valueAt(where, band);
        if (!reported || value != lastReported)
        {
            reportIfChanged(context);
            reported = true;
            lastReported = value;
        }
        getMouseLocation(context, where);
        doIdleStuff();
    } while (context->getMouseButtons() == buttons);
    endEdit();
}
