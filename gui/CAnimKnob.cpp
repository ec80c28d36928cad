// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CAnimKnob.h"

#include <algorithm>
#include <cstring>

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, long tag, long subPixmaps,
                     long heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset), subPixmaps(subPixmaps),
      heightOfOneImage(heightOfOneImage)
{
    inset = 0;
}

CAnimKnob::~CAnimKnob() = default;

bool CAnimKnob::isTypeOf(const char* type) const
{
    return std::strcmp(type, "CAnimKnob") == 0 || CKnob::isTypeOf(type);
}

long CAnimKnob::frameOffset() const
{
    // Negative values and NaN show frame 0.
    if (!(value >= 0.0f) || heightOfOneImage <= 0) return 0;
    // Values above 1 (only reachable through setValue) show the last frame.
    float shown = std::min(value, 1.0f);
    long span = heightOfOneImage * (subPixmaps - 1);
    long y = long((inverseBitmap ? 1.0f - shown : shown) * float(span));
    // Snap down to the top of the frame that y falls in.
    for (long k = 0; k <= span; k += heightOfOneImage)
    {
        if (y < k) return std::max(k - heightOfOneImage, 0L);
    }
    return std::max(std::min(y, span), 0L);
}

void CAnimKnob::draw(CDrawContext* context)
{
    if (background) drawBitmap(context, background, CPoint(0, frameOffset()));
    valueToPoint(lastDrawnPoint);
    setDirty(false);
}

bool CAnimKnob::isDirty() const
{
    if (!CView::isDirty())
    {
        CPoint point;
        valueToPoint(point);
        if (point == lastDrawnPoint) return false;
    }
    return CControl::isDirty();
}
