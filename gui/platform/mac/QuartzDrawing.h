// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/platform/PlatformDrawing.h"
#include "gui/platform/mac/MacSystem.h"

#include <string>
#include <vector>

// The Core Graphics implementation of the drawing seam.

// The pixels in memory of our own, in the layout a bitmap context takes as it is.
class QuartzImage final : public PlatformImage
{
  public:
    QuartzImage(long width, long height) : w(width), h(height), store(size_t(width * height)) {}

    long width() const override { return w; }
    long height() const override { return h; }
    long stride() const override { return w; }
    uint32_t* pixels() override { return store.data(); }
    const uint32_t* pixels() const override { return store.data(); }
    void pixelsChanged() override {}
    bool setDensity(double value) override;
    double density() const override { return pixelsPerUnit; }

    // A bitmap context on the pixels (released by the caller); a copy-free image of them
    // (released by the caller, used before the pixels change).
    CGContextRef createContext();
    CGImageRef createImage() const;

  private:
    long w, h;
    std::vector<uint32_t> store;
    double pixelsPerUnit = 1;
};

// Draws with top-left origin and y growing downwards, as the toolkit counts.
class QuartzCanvas final : public PlatformCanvas
{
  public:
    // Takes a reference to the context; image is the one it draws on, if any.
    QuartzCanvas(CGContextRef context, long height, QuartzImage* image);
    ~QuartzCanvas() override;

    double density() const override { return image ? image->density() : 1; }
    void setClip(const CRect& clip) override;
    void setLine(long width, bool dotted) override;
    void setAntialias(bool on) override;

    void fillRect(const CRect& r, CColor color) override;
    void strokeRect(const CRect& r, CColor color) override;
    void line(const CPoint& from, const CPoint& to, CColor color) override;
    void polygon(const CPoint* points, long count, CColor color, bool filled) override;
    void ellipse(const CRect& r, CColor color, bool filled) override;
    void arc(const CRect& r, double startDegrees, double endDegrees, CColor color,
             bool filled) override;

    void setFont(const char* face, long size, long style) override;
    long textWidth(const char* text) override;
    void drawText(const char* text, const CPoint& origin, CColor color) override;

    void drawImage(const PlatformImage& image, const CRect& dest, const CPoint& srcOffset,
                   uint8_t alpha) override;
    void copyArea(PlatformCanvas& source, const CRect& dest, const CPoint& srcOffset) override;

    bool readPixel(const CPoint& p, CColor& color) override;
    void flush() override;

  private:
    void resetState();
    void setColors(CColor color);
    void finishPath(bool filled);
    void blit(const QuartzImage& image, const CRect& dest, const CPoint& srcOffset,
              int32_t blendMode, uint8_t alpha);
    CTLineRef createLine(const char* text, CGFloat& width);

    CGContextRef context;
    QuartzImage* image;
    CRect clip{0, 0, 0, 0};
    bool hasClip = false;
    long lineWidth = 1;
    bool dotted = false;
    bool antialias = false;
    CTFontRef font = nullptr;
    long fontStyle = 0;
    long fontSize = 12;
};
