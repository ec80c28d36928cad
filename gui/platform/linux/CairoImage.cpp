// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/linux/CairoDrawing.h"

std::unique_ptr<PlatformImage> PlatformImage::create(long width, long height)
{
    if (width <= 0 || height <= 0) return nullptr;
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(width), int(height));
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return std::make_unique<CairoImage>(surface);
}

// Cairo's ARGB32 is exactly the seam's pixel format: premultiplied native-endian 0xAARRGGBB.
uint32_t* CairoImage::pixels()
{
    cairo_surface_flush(surface);
    return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface));
}

const uint32_t* CairoImage::pixels() const
{
    cairo_surface_flush(surface);
    return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface));
}

// Cairo's device scale does exactly this: drawing on the surface and with it as a source
// both take units, and text and lines are rasterised at the full pixel density.
bool CairoImage::setDensity(double density)
{
    cairo_surface_set_device_scale(surface, density, density);
    return true;
}

double CairoImage::density() const
{
    double x = 1, y = 1;
    cairo_surface_get_device_scale(surface, &x, &y);
    return x;
}
