// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/pixel_font.h"

#include <cstdint>

namespace
{

constexpr int kGlyphWidth = 3;
// The second byte of "°" in UTF-8; the first has no glyph and so takes no room.
constexpr unsigned char kDegree = 0xB0;

struct Glyph
{
    unsigned char character;
    uint8_t rows[kGlyphHeight]; // three bits each, the leftmost pixel the highest
};

constexpr Glyph kGlyphs[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}},
    {'3', {7, 1, 7, 1, 7}}, {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}},
    {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 1, 1, 1}}, {'8', {7, 5, 7, 5, 7}},
    {'9', {7, 5, 7, 1, 7}}, {'-', {0, 0, 7, 0, 0}}, {' ', {0, 0, 0, 0, 0}},
    {'d', {1, 1, 7, 5, 7}}, {'B', {6, 5, 6, 5, 6}}, {kDegree, {2, 5, 2, 0, 0}},
};

const Glyph* glyphOf(unsigned char c)
{
    for (const Glyph& glyph : kGlyphs)
        if (glyph.character == c) return &glyph;
    return nullptr;
}

} // namespace

int textWidth(const std::string& text, int scale)
{
    int glyphs = 0;
    for (const char c : text)
        glyphs += glyphOf(static_cast<unsigned char>(c)) ? 1 : 0;
    return glyphs == 0 ? 0 : (glyphs * (kGlyphWidth + 1) - 1) * scale;
}

void drawText(RgbImage& image, int x, int y, const std::string& text, Rgb colour, int scale)
{
    for (const char c : text)
    {
        const Glyph* glyph = glyphOf(static_cast<unsigned char>(c));
        if (!glyph) continue;
        for (int row = 0; row < kGlyphHeight * scale; ++row)
            for (int column = 0; column < kGlyphWidth * scale; ++column)
                if (glyph->rows[row / scale] >> (kGlyphWidth - 1 - column / scale) & 1)
                    image.set(x + column, y + row, colour);
        x += (kGlyphWidth + 1) * scale;
    }
}
