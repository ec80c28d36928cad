// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/linux/CairoDrawing.h"

#include <cmath>

// Pixel rules: integer coordinates name pixels, so outlines and lines run through pixel
// centres (x + 0.5) and fills cover whole pixels; with antialiasing off every pixel is
// either painted or not.

std::unique_ptr<PlatformCanvas> PlatformCanvas::onSurface(void* systemSurface)
{
    auto* surface = static_cast<cairo_surface_t*>(systemSurface);
    if (!surface || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return nullptr;
    return std::make_unique<CairoCanvas>(surface);
}

std::unique_ptr<PlatformCanvas> PlatformCanvas::onImage(PlatformImage& image)
{
    return std::make_unique<CairoCanvas>(static_cast<CairoImage&>(image).getSurface());
}

CairoCanvas::CairoCanvas(cairo_surface_t* surface) : surface(cairo_surface_reference(surface))
{
    createContext();
}

CairoCanvas::~CairoCanvas()
{
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

void CairoCanvas::createContext()
{
    cr = cairo_create(surface);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_set_antialias(cr, antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
    applyLine();
    if (hasClip) setClip(clip);
    if (!fontFace.empty()) setFont(fontFace.c_str(), fontSize, fontStyle);
}

// A cairo context that met an error ignores all further drawing; a bad call (a degenerate
// transformation, say) must not silence the surface for good.
void CairoCanvas::recoverFromError()
{
    if (cairo_status(cr) == CAIRO_STATUS_SUCCESS) return;
    cairo_destroy(cr);
    createContext();
}

double CairoCanvas::density() const
{
    double x = 1, y = 1;
    cairo_surface_get_device_scale(surface, &x, &y);
    return x;
}

void CairoCanvas::setClip(const CRect& r)
{
    clip = r;
    hasClip = true;
    cairo_reset_clip(cr);
    cairo_rectangle(cr, r.left, r.top, std::max(0, r.getWidth()), std::max(0, r.getHeight()));
    cairo_clip(cr);
}

void CairoCanvas::setLine(long width, bool isDotted)
{
    lineWidth = std::max(1L, width);
    dotted = isDotted;
    applyLine();
}

void CairoCanvas::applyLine()
{
    cairo_set_line_width(cr, double(lineWidth));
    const double dash = double(lineWidth);
    cairo_set_dash(cr, &dash, dotted ? 1 : 0, 0);
}

void CairoCanvas::setAntialias(bool on)
{
    antialias = on;
    cairo_set_antialias(cr, on ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

void CairoCanvas::setColor(CColor c)
{
    cairo_set_source_rgba(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0, c.alpha / 255.0);
}

void CairoCanvas::strokeOrFill(bool filled, CColor color)
{
    setColor(color);
    if (filled)
        cairo_fill(cr);
    else
        cairo_stroke(cr);
    recoverFromError();
}

void CairoCanvas::fillRect(const CRect& r, CColor color)
{
    if (r.isEmpty()) return;
    cairo_rectangle(cr, r.left, r.top, r.getWidth(), r.getHeight());
    strokeOrFill(true, color);
}

// The pen runs half its width inside the edges, so the outline covers the border pixels of
// the area fillRect fills.
void CairoCanvas::strokeRect(const CRect& r, CColor color)
{
    if (r.isEmpty()) return;
    if (r.getWidth() <= lineWidth || r.getHeight() <= lineWidth) return fillRect(r, color);
    const double half = lineWidth / 2.0;
    cairo_rectangle(cr, r.left + half, r.top + half, r.getWidth() - 2 * half,
                    r.getHeight() - 2 * half);
    strokeOrFill(false, color);
}

// Both end pixels are painted: the segment between the pixel centres is lengthened by half
// a pixel at each end.
void CairoCanvas::line(const CPoint& from, const CPoint& to, CColor color)
{
    const double dx = to.h - from.h, dy = to.v - from.v;
    const double length = std::hypot(dx, dy);
    if (length == 0) return fillRect(CRect(from.h, from.v, from.h + 1, from.v + 1), color);
    const double ex = dx / length / 2, ey = dy / length / 2;
    cairo_move_to(cr, from.h + 0.5 - ex, from.v + 0.5 - ey);
    cairo_line_to(cr, to.h + 0.5 + ex, to.v + 0.5 + ey);
    strokeOrFill(false, color);
}

void CairoCanvas::polygon(const CPoint* points, long count, CColor color, bool filled)
{
    if (!points || count < 2) return;
    cairo_move_to(cr, points[0].h + 0.5, points[0].v + 0.5);
    for (long i = 1; i < count; ++i)
        cairo_line_to(cr, points[i].h + 0.5, points[i].v + 0.5);
    // Square caps paint the end pixels as line() does; dashes keep their butt ends.
    if (!dotted) cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    strokeOrFill(filled, color);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void CairoCanvas::ellipse(const CRect& r, CColor color, bool filled)
{
    arc(r, 0, 360, color, filled);
}

// Screen y grows downwards, so counter-clockwise on screen is cairo's negative direction.
void CairoCanvas::arc(const CRect& r, double startDegrees, double endDegrees, CColor color,
                      bool filled)
{
    const double inset = filled ? 0 : lineWidth / 2.0;
    const double rx = r.getWidth() / 2.0 - inset, ry = r.getHeight() / 2.0 - inset;
    if (rx <= 0 || ry <= 0) return;
    const double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
    const bool full = std::fabs(endDegrees - startDegrees) >= 360;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    if (filled && !full) cairo_move_to(cr, 0, 0);
    cairo_arc_negative(cr, 0, 0, 1, -startDegrees * M_PI / 180, -endDegrees * M_PI / 180);
    if (filled && !full) cairo_close_path(cr);
    cairo_restore(cr); // the pen keeps its width in pixels, not in ellipse units
    strokeOrFill(filled, color);
}

void CairoCanvas::paintSurface(cairo_surface_t* source, const CRect& dest, const CPoint& srcOffset,
                               cairo_operator_t op, uint8_t alpha)
{
    if (dest.isEmpty() || alpha == 0) return;
    cairo_save(cr);
    cairo_rectangle(cr, dest.left, dest.top, dest.getWidth(), dest.getHeight());
    cairo_clip(cr);
    cairo_set_operator(cr, op);
    cairo_set_source_surface(cr, source, dest.left - srcOffset.h, dest.top - srcOffset.v);
    // Only the clipped part is sampled: a film strip is never scaled as a whole.
    double sourceDensity = 1, unused = 1;
    cairo_surface_get_device_scale(source, &sourceDensity, &unused);
    const double ratio = density() / sourceDensity;
    const bool wholeFactor = ratio >= 1 && ratio == std::floor(ratio);
    cairo_pattern_set_filter(cairo_get_source(cr),
                             wholeFactor ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_BILINEAR);
    if (alpha == 255)
        cairo_paint(cr);
    else
        cairo_paint_with_alpha(cr, alpha / 255.0);
    cairo_restore(cr);
    recoverFromError();
}

void CairoCanvas::drawImage(const PlatformImage& image, const CRect& dest, const CPoint& srcOffset,
                            uint8_t alpha)
{
    paintSurface(static_cast<const CairoImage&>(image).getSurface(), dest, srcOffset,
                 CAIRO_OPERATOR_OVER, alpha);
}

// Copying within one surface goes through a snapshot, as source and destination may overlap.
void CairoCanvas::copyArea(PlatformCanvas& source, const CRect& dest, const CPoint& srcOffset)
{
    cairo_surface_t* from = static_cast<CairoCanvas&>(source).getSurface();
    if (from != surface) return paintSurface(from, dest, srcOffset, CAIRO_OPERATOR_SOURCE, 255);
    const double scale = density();
    cairo_surface_t* copy = cairo_surface_create_similar_image(
        from, CAIRO_FORMAT_ARGB32, int(std::ceil(dest.getWidth() * scale)),
        int(std::ceil(dest.getHeight() * scale)));
    cairo_surface_set_device_scale(copy, scale, scale);
    cairo_t* copier = cairo_create(copy);
    cairo_set_source_surface(copier, from, -srcOffset.h, -srcOffset.v);
    cairo_set_operator(copier, CAIRO_OPERATOR_SOURCE);
    cairo_paint(copier);
    cairo_destroy(copier);
    paintSurface(copy, dest, CPoint(0, 0), CAIRO_OPERATOR_SOURCE, 255);
    cairo_surface_destroy(copy);
}

bool CairoCanvas::readPixel(const CPoint& p, CColor& color)
{
    if (cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) return false;
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const long x = std::lround(p.h * density()), y = std::lround(p.v * density());
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    const unsigned char* row =
        cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    const uint32_t pixel = reinterpret_cast<const uint32_t*>(row)[x];
    const uint32_t a = pixel >> 24;
    auto straight = [a](uint32_t c) { return uint8_t(a ? std::min(255u, c * 255 / a) : 0); };
    color = {straight(pixel >> 16 & 0xff), straight(pixel >> 8 & 0xff), straight(pixel & 0xff),
             uint8_t(a)};
    return true;
}

void CairoCanvas::flush()
{
    cairo_surface_flush(surface);
}
