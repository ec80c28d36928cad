// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CDrawContext.h"

#include "gui/CFrame.h"
#include "gui/platform/PlatformDrawing.h"

namespace
{
// The frame's rectangle, or 0, 0, 1000, 1000 without a frame.
CRect frameSize(const CFrame* frame)
{
    CRect size(0, 0, 1000, 1000);
    if (frame) frame->getViewSize(size);
    return size;
}
} // namespace

CDrawContext::CDrawContext(CFrame* frame, void* systemContext, void* window)
    : systemContext(systemContext), window(window), frame(frame), clipRect(frameSize(frame))
{
    setCanvas(PlatformCanvas::onSurface(systemContext));
    setFrameColor(kWhiteCColor);
    setLineStyle(kLineSolid);
    setLineWidth(1);
    setFillColor(kBlackCColor);
    setFontColor(kWhiteCColor);
    setFont(kSystemFont, 0, 0);
    setDrawMode(kCopyMode);
}

CDrawContext::~CDrawContext() = default;

// Pending drawing reaches the surface before the reference goes.
void CDrawContext::forget()
{
    if (canvas) canvas->flush();
    CReferenceCounter::forget();
}

// A new canvas takes over the whole current state.
void CDrawContext::setCanvas(std::unique_ptr<PlatformCanvas> newCanvas)
{
    canvas = std::move(newCanvas);
    if (!canvas) return;
    canvas->setClip(clipRect);
    applyLine(lineWidth, lineStyle);
    canvas->setAntialias(drawMode == kAntialiasMode);
    if (fontId >= 0 && fontId < kNumFonts)
        canvas->setFont(gStandardFontName[fontId], fontSize,
                        fontStyle | gStandardFontStyle[fontId]);
}

CRect& CDrawContext::getClipRect(CRect& clip) const
{
    clip = clipRect;
    clip.offset(-offset.h, -offset.v);
    return clip;
}

void CDrawContext::setClipRect(const CRect& clip)
{
    clipRect = clip;
    clipRect.offset(offset);
    if (canvas) canvas->setClip(clipRect);
}

void CDrawContext::resetClipRect()
{
    clipRect = frameSize(frame);
    if (canvas) canvas->setClip(clipRect);
}

void CDrawContext::setFrameColor(CColor color)
{
    frameColor = color;
}

void CDrawContext::setFillColor(CColor color)
{
    fillColor = color;
}

void CDrawContext::setFontColor(CColor color)
{
    fontColor = color;
}

void CDrawContext::setLineWidth(long width)
{
    if (width != lineWidth) applyLine(width, lineStyle);
}

void CDrawContext::setLineStyle(CLineStyle style)
{
    if (style != lineStyle) applyLine(lineWidth, style);
}

void CDrawContext::applyLine(long width, CLineStyle style)
{
    lineWidth = width;
    lineStyle = style;
    if (canvas) canvas->setLine(lineWidth, lineStyle == kLineDotted);
}

// Only the antialiased mode smooths edges; the others draw plain pixels.
void CDrawContext::setDrawMode(CDrawMode mode)
{
    if (mode == drawMode) return;
    drawMode = mode;
    if (canvas) canvas->setAntialias(drawMode == kAntialiasMode);
}

void CDrawContext::setFont(CFont id, long size, long style)
{
    if (id < 0 || id >= kNumFonts) id = kSystemFont;
    if (size == 0) size = gStandardFontSize[id];
    if (id == fontId && size == fontSize && style == fontStyle) return;
    fontId = id;
    fontSize = size;
    fontStyle = style;
    if (canvas) canvas->setFont(gStandardFontName[id], size, style | gStandardFontStyle[id]);
}
