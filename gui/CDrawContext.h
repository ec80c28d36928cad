// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/CColor.h"
#include "gui/CGeometry.h"
#include "gui/CReferenceCounter.h"

#include <memory>

class CFrame;
class PlatformCanvas;

// Font ids of the standard font table; 7 is the symbol font.
enum CFont
{
    kSystemFont = 0,
    kHugeFont,
    kLargeFont,
    kNormalFont,
    kSmallFont,
    kSmallerFont,
    kTinyFont,
    kSymbolFont,
    kNumFonts
};

// Font style bits for setFont.
enum CTxtFace
{
    kNormalFace = 0,
    kBoldFace = 1,
    kItalicFace = 2,
    kUnderlineFace = 4
};

enum CLineStyle
{
    kLineSolid = 0,
    kLineDotted
};

// Modes 0 to 2 draw without antialiasing; only mode 3 smooths edges.
enum CDrawMode
{
    kCopyMode = 0,
    kOrMode,
    kXorMode,
    kAntialiasMode
};

enum CDrawStyle
{
    kDrawStroke = 0,
    kDrawFilled,
    kDrawFilledAndStroked
};

enum CHoriTxtAlign
{
    kLeftText = 0,
    kCenterText,
    kRightText
};

// Standard size of each font id, its face name and the style bits it always carries; each
// platform layer has its own table.
extern const long gStandardFontSize[kNumFonts];
extern const char* const gStandardFontName[kNumFonts];
extern const long gStandardFontStyle[kNumFonts];

// A reference-counted drawing surface with the current pen, colours, font, line style, clip
// rectangle and coordinate offsets. Every coordinate passed to a drawing operation has the
// drawing offset added; the clip rectangle is kept in device coordinates.
//
// `systemContext` is the surface to draw on: on Linux a cairo_surface_t* (the context takes
// its own reference), on Windows an HDC. Without one the context accepts every call and draws
// nothing.
class CDrawContext : public CReferenceCounter
{
  public:
    CDrawContext(CFrame* frame, void* systemContext, void* window);
    ~CDrawContext() override;

    void forget() override;

    // Offsets
    const CPoint& getOffset() const { return offset; }
    void setOffset(const CPoint& p) { offset = p; }
    const CPoint& getWindowOffset() const { return windowOffset; }
    void setWindowOffset(const CPoint& p) { windowOffset = p; }

    // Clipping; read back and set in the caller's coordinates (drawing offset removed).
    CRect& getClipRect(CRect& clip) const;
    void setClipRect(const CRect& clip);
    void resetClipRect();

    // State; each setter does nothing when the value is unchanged.
    void setFrameColor(CColor color);
    CColor getFrameColor() const { return frameColor; }
    void setFillColor(CColor color);
    CColor getFillColor() const { return fillColor; }
    void setFontColor(CColor color);
    CColor getFontColor() const { return fontColor; }
    void setLineWidth(long width);
    long getLineWidth() const { return lineWidth; }
    void setLineStyle(CLineStyle style);
    CLineStyle getLineStyle() const { return lineStyle; }
    void setDrawMode(CDrawMode mode);
    CDrawMode getDrawMode() const { return drawMode; }
    // An id outside 0..7 becomes 0; size 0 means the id's standard size.
    void setFont(CFont id, long size = 0, long style = 0);
    CFont getFont() const { return fontId; }
    long getFontSize() const { return fontSize; }
    long getFontStyle() const { return fontStyle; }

    // Lines and shapes
    void moveTo(const CPoint& p);
    void lineTo(const CPoint& p);
    // Points taken in pairs, each pair one segment.
    void drawLines(const CPoint* points, const long& count);
    void drawPolygon(const CPoint* points, long count, CDrawStyle style = kDrawStroke);
    void polyLine(const CPoint* points, long count);
    void fillPolygon(const CPoint* points, long count);
    void drawRect(const CRect& r, CDrawStyle style = kDrawStroke);
    void fillRect(const CRect& r);
    void drawEllipse(const CRect& r, CDrawStyle style = kDrawStroke);
    void fillEllipse(const CRect& r);
    // Angles in degrees, counter-clockwise from the positive x axis.
    void drawArc(const CRect& r, float startAngle, float endAngle, CDrawStyle style = kDrawStroke);
    // From the direction of `from` to the direction of `to`, seen from r's centre.
    void drawArc(const CRect& r, const CPoint& from, const CPoint& to);
    void fillArc(const CRect& r, const CPoint& from, const CPoint& to);
    void drawPoint(const CPoint& p, CColor color);
    CColor getPoint(const CPoint& p);
    // Not offered by this platform: does nothing.
    void floodFill(const CPoint& p);

    // Text
    long getStringWidth(const char* text);
    // One line, vertically centred in rect; `opaque` is ignored (the text background is
    // never painted).
    void drawString(const char* text, const CRect& rect, short opaque = 0,
                    CHoriTxtAlign align = kCenterText);

    // Mouse and keyboard, provided by the window half of the platform layer.
    // The mouse position relative to the window offset.
    void getMouseLocation(CPoint& point);
    // The button-state bits (kLeftButton ...) of the current button and modifier state.
    long getMouseButtons();
    bool waitDoubleClick();
    bool waitDrag();

    CFrame* getFrame() const { return frame; }
    void* getWindow() const { return window; }
    void* getSystemContext() const { return systemContext; }
    // The platform canvas; null when the context has no surface.
    PlatformCanvas* getCanvas() const { return canvas.get(); }

  protected:
    // For offscreen contexts, which bring a canvas of their own.
    void setCanvas(std::unique_ptr<PlatformCanvas> newCanvas);

  private:
    void applyLine(long width, CLineStyle style);

    CPoint windowOffset;
    CPoint offset;
    void* systemContext = nullptr;
    void* window = nullptr;
    CFrame* frame = nullptr;
    long fontSize = -1;
    long fontStyle = 0;
    CFont fontId = kNumFonts; // an invalid id, so that the first setFont always applies
    CColor fontColor = kWhiteCColor;
    CPoint penLocation;
    long lineWidth = 0;
    CColor frameColor = kWhiteCColor;
    CColor fillColor = kBlackCColor;
    CLineStyle lineStyle = kLineDotted;
    CDrawMode drawMode = kAntialiasMode;
    CRect clipRect;
    std::unique_ptr<PlatformCanvas> canvas;
};
