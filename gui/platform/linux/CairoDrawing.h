// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/platform/PlatformDrawing.h"

#include <cairo.h>
#include <string>

// The cairo implementation of the drawing seam.

class CairoImage final : public PlatformImage
{
  public:
    explicit CairoImage(cairo_surface_t* surface) : surface(surface) {}
    ~CairoImage() override { cairo_surface_destroy(surface); }

    long width() const override { return cairo_image_surface_get_width(surface); }
    long height() const override { return cairo_image_surface_get_height(surface); }
    long stride() const override { return cairo_image_surface_get_stride(surface) / 4; }
    uint32_t* pixels() override;
    const uint32_t* pixels() const override;
    void pixelsChanged() override { cairo_surface_mark_dirty(surface); }
    bool setDensity(double density) override;
    double density() const override;

    cairo_surface_t* getSurface() const { return surface; }

  private:
    cairo_surface_t* surface;
};

class CairoCanvas final : public PlatformCanvas
{
  public:
    // Draws on the surface, holding a reference to it.
    explicit CairoCanvas(cairo_surface_t* surface);
    ~CairoCanvas() override;

    double density() const override;
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

    cairo_surface_t* getSurface() const { return surface; }

  private:
    void createContext();
    void recoverFromError();
    void applyLine();
    void setColor(CColor color);
    void strokeOrFill(bool filled, CColor color);
    void paintSurface(cairo_surface_t* source, const CRect& dest, const CPoint& srcOffset,
                      cairo_operator_t op, uint8_t alpha);

    cairo_surface_t* surface;
    cairo_t* cr = nullptr;
    CRect clip{0, 0, 0, 0};
    bool hasClip = false;
    long lineWidth = 1;
    bool dotted = false;
    bool antialias = false;
    std::string fontFace;
    long fontSize = 12;
    long fontStyle = 0;
};
