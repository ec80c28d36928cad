// SPDX-License-Identifier: GPL-3.0-or-later
// libpng reports errors by longjmp, so the decoding lives in C with plain locals only:
// everything allocated is released on the error path after setjmp returns.
#include "PngDecode.h"

#include <png.h>
#include <string.h>

// libpng delivers blue, green, red, alpha bytes, which read as one word only here.
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "pixel words 0xAARRGGBB are assembled from bytes in little-endian order"
#endif

struct Source
{
    const unsigned char* data;
    size_t size;
    size_t position;
};

// Where decoded rows go; null pixels reads the header only.
struct Target
{
    uint32_t* pixels;
    long width;
    long height;
    long stride;
};

static void readFromMemory(png_structp png, png_bytep out, png_size_t length)
{
    struct Source* source = (struct Source*)png_get_io_ptr(png);
    if (length > source->size - source->position) png_error(png, "truncated data");
    memcpy(out, source->data + source->position, length);
    source->position += length;
}

// The default handlers print; the caller only needs to know that decoding failed.
static void onError(png_structp png, png_const_charp message)
{
    (void)message;
    png_longjmp(png, 1);
}

static void onWarning(png_structp png, png_const_charp message)
{
    (void)png;
    (void)message;
}

static void checkSize(png_structp png, png_uint_32 width, png_uint_32 height)
{
    if (width == 0 || height == 0 || (unsigned long)width * height > kSferantPngMaxPixels)
        png_error(png, "image too large");
}

// Asks libpng for 8-bit blue, green, red, alpha samples whatever the stored format.
static void requestBgra(png_structp png, png_infop info)
{
    const png_byte colourType = png_get_color_type(png, info);
    const png_byte bitDepth = png_get_bit_depth(png, info);
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    else if (!(colourType & PNG_COLOR_MASK_ALPHA))
        png_set_filler(png, 0xff, PNG_FILLER_AFTER);
    if (bitDepth == 16) png_set_strip_16(png);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != 4 * (png_size_t)png_get_image_width(png, info))
        png_error(png, "unexpected pixel format");
}

// Colour channels times alpha, shifted by 8; alpha 0 clears the whole pixel.
static uint32_t premultiply(uint32_t pixel)
{
    const uint32_t a = pixel >> 24;
    if (a == 0) return 0;
    const uint32_t r = (pixel >> 16 & 0xff) * a >> 8;
    const uint32_t g = (pixel >> 8 & 0xff) * a >> 8;
    const uint32_t b = (pixel & 0xff) * a >> 8;
    return a << 24 | r << 16 | g << 8 | b;
}

static void readPixels(png_structp png, png_infop info, const struct Target* target,
                       png_bytep* rows)
{
    if (png_get_image_width(png, info) != (png_uint_32)target->width ||
        png_get_image_height(png, info) != (png_uint_32)target->height ||
        target->stride < target->width)
        png_error(png, "unexpected image size");
    requestBgra(png, info);
    for (long y = 0; y < target->height; ++y)
        rows[y] = (png_bytep)(target->pixels + y * target->stride);
    png_read_image(png, rows);
    png_read_end(png, NULL);
    for (long y = 0; y < target->height; ++y)
        for (long x = 0; x < target->width; ++x)
            target->pixels[y * target->stride + x] =
                premultiply(target->pixels[y * target->stride + x]);
}

// Reads the header into width and height and, with target pixels, the image. 1 on success.
static int decode(const void* data, size_t size, long* width, long* height,
                  const struct Target* target)
{
    struct Source source = {(const unsigned char*)data, size, 0};
    png_structp png = NULL;
    png_infop info = NULL;
    png_bytep* volatile rows = NULL;
    volatile int ok = 0;

    if (!data || size < 8 || png_sig_cmp((png_const_bytep)data, 0, 8) != 0) return 0;
    png = png_create_read_struct(PNG_LIBPNG_VER_STRING, NULL, onError, onWarning);
    if (!png) return 0;
    info = png_create_info_struct(png);
    if (info && setjmp(png_jmpbuf(png)) == 0)
    {
        png_set_read_fn(png, &source, readFromMemory);
        png_set_user_limits(png, kSferantPngMaxSide, kSferantPngMaxSide);
        png_read_info(png, info);
        checkSize(png, png_get_image_width(png, info), png_get_image_height(png, info));
        *width = (long)png_get_image_width(png, info);
        *height = (long)png_get_image_height(png, info);
        if (target->pixels)
        {
            rows = (png_bytep*)png_malloc(png, sizeof(png_bytep) * (png_size_t)*height);
            readPixels(png, info, target, rows);
        }
        ok = 1;
    }
    if (rows) png_free(png, rows);
    png_destroy_read_struct(&png, info ? &info : NULL, NULL);
    return ok;
}

int sferantPngSize(const void* data, size_t size, long* width, long* height)
{
    const struct Target none = {NULL, 0, 0, 0};
    return decode(data, size, width, height, &none);
}

int sferantPngDecode(const void* data, size_t size, uint32_t* pixels, long width, long height,
                     long stride)
{
    const struct Target target = {pixels, width, height, stride};
    long foundWidth = 0, foundHeight = 0;
    return pixels ? decode(data, size, &foundWidth, &foundHeight, &target) : 0;
}
