// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CDrawContext.h"

#include "gui/platform/PlatformDrawing.h"

#include <cmath>
#include <vector>

namespace
{
// Direction of p seen from r's centre, in degrees counter-clockwise from the positive x axis.
double angleOf(const CRect& r, const CPoint& p)
{
    const double dx = p.h - (r.left + r.right) / 2.0, dy = (r.top + r.bottom) / 2.0 - p.v;
    return std::atan2(dy, dx) * 180 / M_PI;
}

// The counter-clockwise span from `from` to `to`; equal directions give the full ellipse.
double endAngle(double start, double end)
{
    while (end <= start)
        end += 360;
    return end;
}

bool fills(CDrawStyle style)
{
    return style == kDrawFilled || style == kDrawFilledAndStroked;
}

bool strokes(CDrawStyle style)
{
    return style == kDrawStroke || style == kDrawFilledAndStroked;
}
} // namespace

void CDrawContext::moveTo(const CPoint& p)
{
    penLocation = p;
    penLocation.offset(offset);
}

void CDrawContext::lineTo(const CPoint& p)
{
    CPoint to = p;
    to.offset(offset);
    if (canvas) canvas->line(penLocation, to, frameColor);
    penLocation = to;
}

void CDrawContext::drawLines(const CPoint* points, const long& count)
{
    if (!points) return;
    for (long i = 0; i + 1 < 2 * count; i += 2)
    {
        moveTo(points[i]);
        lineTo(points[i + 1]);
    }
}

void CDrawContext::drawPolygon(const CPoint* points, long count, CDrawStyle style)
{
    if (!points || count <= 0 || !canvas) return;
    std::vector<CPoint> device(points, points + count);
    for (CPoint& p : device)
        p.offset(offset);
    if (fills(style)) canvas->polygon(device.data(), count, fillColor, true);
    if (strokes(style)) canvas->polygon(device.data(), count, frameColor, false);
}

void CDrawContext::polyLine(const CPoint* points, long count)
{
    drawPolygon(points, count, kDrawStroke);
}

void CDrawContext::fillPolygon(const CPoint* points, long count)
{
    drawPolygon(points, count, kDrawFilled);
}

void CDrawContext::drawRect(const CRect& r, CDrawStyle style)
{
    if (!canvas) return;
    CRect device = r;
    device.offset(offset);
    if (fills(style)) canvas->fillRect(device, fillColor);
    if (strokes(style)) canvas->strokeRect(device, frameColor);
}

void CDrawContext::fillRect(const CRect& r)
{
    drawRect(r, kDrawFilled);
}

void CDrawContext::drawEllipse(const CRect& r, CDrawStyle style)
{
    drawArc(r, 0.f, 360.f, style);
}

void CDrawContext::fillEllipse(const CRect& r)
{
    drawEllipse(r, kDrawFilled);
}

void CDrawContext::drawArc(const CRect& r, float startAngle, float endAngle, CDrawStyle style)
{
    if (!canvas) return;
    CRect device = r;
    device.offset(offset);
    if (fills(style)) canvas->arc(device, startAngle, endAngle, fillColor, true);
    if (strokes(style)) canvas->arc(device, startAngle, endAngle, frameColor, false);
}

void CDrawContext::drawArc(const CRect& r, const CPoint& from, const CPoint& to)
{
    const double start = angleOf(r, from);
    drawArc(r, float(start), float(endAngle(start, angleOf(r, to))), kDrawStroke);
}

void CDrawContext::fillArc(const CRect& r, const CPoint& from, const CPoint& to)
{
    const double start = angleOf(r, from);
    drawArc(r, float(start), float(endAngle(start, angleOf(r, to))), kDrawFilled);
}

// A one-pixel line of its own colour; the pen is put back afterwards.
void CDrawContext::drawPoint(const CPoint& p, CColor color)
{
    if (!canvas) return;
    CPoint device = p;
    device.offset(offset);
    canvas->setLine(1, false);
    canvas->line(device, device, color);
    applyLine(lineWidth, lineStyle);
}

CColor CDrawContext::getPoint(const CPoint& p)
{
    CPoint device = p;
    device.offset(offset);
    CColor color = kBlackCColor;
    if (canvas && !canvas->readPixel(device, color)) color = kBlackCColor;
    return color;
}

void CDrawContext::floodFill(const CPoint&) {}
