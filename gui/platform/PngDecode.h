// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C"
{
#endif

    // Decodes PNG data held in memory into 32-bit pixels, one native-endian word 0xAARRGGBB per
    // pixel (blue, green, red, alpha bytes in memory on little-endian machines), rows top first,
    // `stride` pixels apart, colour channels premultiplied by alpha (c * a >> 8; alpha 0 gives
    // an all-zero pixel). Palette and grey images become RGB, a transparency chunk becomes
    // alpha, images without alpha get 255, 16-bit channels are reduced to 8.
    //
    // Two steps, so that the caller owns the pixel store: read the size, then decode into a
    // store of height rows of `stride` pixels. Both return 0 on any error (the data is not a
    // PNG, is truncated or corrupt, the image exceeds the limits below, or its size differs
    // from the one given); after a failed decode the store's contents are unspecified.
    int sferantPngSize(const void* data, size_t size, long* width, long* height);
    int sferantPngDecode(const void* data, size_t size, uint32_t* pixels, long width, long height,
                         long stride);

    // Limits that keep a hostile header from asking for gigabytes.
    enum
    {
        kSferantPngMaxSide = 32767,
        kSferantPngMaxPixels = 1 << 24
    };

#ifdef __cplusplus
}
#endif
