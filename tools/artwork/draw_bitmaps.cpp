// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the editor's bitmaps as 8-bit RGBA PNG files: the panel and a strip for each bitmap of
// the control table (editor/layout.h), sized and framed as its controls show it.
//
//   draw-bitmaps OUTDIR [--scale N] [--preview FILE]
//
// --scale N draws every bitmap N times larger (N = 2 for screens of twice the density): the
// same drawing in the same panel coordinates, so each frame shows the same thing sharper.
// Film strips stack their frames vertically, frame 0 at the top; frame i of n
// shows the control at the value i / (n - 1). --preview also writes the panel
// with every control composited at its default value, for looking at the result.

#include "core/parameters.h"
#include "editor/layout.h"

#include <cairo.h>
#include <png.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{

constexpr double kPi = 3.14159265358979323846;
constexpr const char* kFace = "Liberation Sans";

struct Rgb
{
    double r, g, b;
};

Rgb mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb rgb8(int r, int g, int b)
{
    return {r / 255.0, g / 255.0, b / 255.0};
}

void setColor(cairo_t* cr, Rgb c, double alpha = 1.0)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

// Point on a circle; angles in degrees, mathematical sense (0 right, 90 up on screen).
void polar(double cx, double cy, double radius, double degrees, double& x, double& y)
{
    double a = degrees * kPi / 180.0;
    x = cx + radius * std::cos(a);
    y = cy - radius * std::sin(a);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

enum class Align
{
    left,
    centre,
    right
};

void text(cairo_t* cr, const char* s, double x, double baseline, double size, Rgb c,
          Align align = Align::centre, bool bold = true, double alpha = 1.0)
{
    cairo_select_font_face(cr, kFace, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, s, &e);
    double left = x;
    if (align == Align::centre) left = x - e.x_advance / 2;
    if (align == Align::right) left = x - e.x_advance;
    cairo_move_to(cr, std::round(left), baseline);
    setColor(cr, c, alpha);
    cairo_show_text(cr, s);
}

// Section titles are spaced capitals set into a divider line.
double spacedCapsWidth(cairo_t* cr, const char* s, double size, double spacing)
{
    cairo_select_font_face(cr, kFace, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    double w = 0;
    for (const char* p = s; *p; ++p)
    {
        char one[2] = {*p, 0};
        cairo_text_extents_t e;
        cairo_text_extents(cr, one, &e);
        w += e.x_advance + (p[1] ? spacing : 0);
    }
    return w;
}

void spacedCaps(cairo_t* cr, const char* s, double x, double baseline, double size, double spacing,
                Rgb c)
{
    cairo_select_font_face(cr, kFace, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    setColor(cr, c);
    for (const char* p = s; *p; ++p)
    {
        char one[2] = {*p, 0};
        cairo_text_extents_t e;
        cairo_text_extents(cr, one, &e);
        cairo_move_to(cr, x, baseline);
        cairo_show_text(cr, one);
        x += e.x_advance + spacing;
    }
}

// ---------------------------------------------------------------------------
// Colours shared by the panel and the controls.

const Rgb kPanelTop = rgb8(62, 56, 74);
const Rgb kPanelBottom = rgb8(42, 38, 52);
const Rgb kLabel = rgb8(222, 218, 232);
const Rgb kDimLabel = rgb8(150, 144, 166);
const Rgb kLine = rgb8(190, 184, 210);
const Rgb kPointer = rgb8(246, 134, 38); // azimuth and elevation pointer spike
const Rgb kReadout = rgb8(196, 226, 246);
const Rgb kReadoutBevel = rgb8(92, 132, 170);
const Rgb kUnlitDot = rgb8(78, 72, 90);

// ---------------------------------------------------------------------------
// Knobs seen from above (azimuth, elevation): 45 x 45 frames.

// A knob seen from above: drop shadow, a rim shaded from the upper left, and a
// body lit from the upper left.
struct KnobBody
{
    double shadowDy, shadowRadius, shadowAlpha;
    double rimSpan, rimRadius;
    Rgb rimLight, rimDark;
    double lightDx, lightDy, bodyRadius;
    Rgb bodyLight, bodyDark;
};

// clang-format off
//                            shadow dy, radius, alpha   rim span, radius, light, dark                   light dx, dy, body radius, light, dark
const KnobBody kDirectionKnob{1.2, 16.2, 0.45,           15, 15.6, {0.78, 0.76, 0.82}, {0.16, 0.15, 0.19}, -5, -6, 14.2, {0.47, 0.45, 0.52}, {0.20, 0.19, 0.24}};
const KnobBody kDialKnob{     1.4, 16.4, 0.5,            16, 16,   {0.42, 0.40, 0.46}, {0.06, 0.06, 0.08}, -4, -5, 14.4, {0.24, 0.23, 0.27}, {0.10, 0.10, 0.12}};
// clang-format on

void fillWith(cairo_t* cr, cairo_pattern_t* pattern, Rgb light, Rgb dark)
{
    cairo_pattern_add_color_stop_rgb(pattern, 0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(pattern, 1, dark.r, dark.g, dark.b);
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

void drawKnobBody(cairo_t* cr, double cx, double cy, const KnobBody& k)
{
    cairo_arc(cr, cx + 0.8, cy + k.shadowDy, k.shadowRadius, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0, 0, 0, k.shadowAlpha);
    cairo_fill(cr);

    cairo_arc(cr, cx, cy, k.rimRadius, 0, 2 * kPi);
    fillWith(
        cr,
        cairo_pattern_create_linear(cx - k.rimSpan, cy - k.rimSpan, cx + k.rimSpan, cy + k.rimSpan),
        k.rimLight, k.rimDark);

    cairo_arc(cr, cx, cy, k.bodyRadius, 0, 2 * kPi);
    fillWith(cr, cairo_pattern_create_radial(cx + k.lightDx, cy + k.lightDy, 1, cx, cy, 14.5),
             k.bodyLight, k.bodyDark);
}

void drawDirectionKnob(cairo_t* cr, double top, double pointerDeg, bool leftDotsOnly)
{
    const double cx = 22.5, cy = top + 22.5;

    // Compass dots; the elevation knob only spans the left half-circle.
    for (int k = 0; k < 8; ++k)
    {
        double deg = k * 45.0;
        if (leftDotsOnly && (deg < 90 || deg > 270)) continue;
        double x, y;
        polar(cx, cy, 20.3, deg, x, y);
        cairo_arc(cr, x, y, k % 2 == 0 ? 1.6 : 1.1, 0, 2 * kPi);
        setColor(cr, kLabel, k % 2 == 0 ? 0.95 : 0.6);
        cairo_fill(cr);
    }

    drawKnobBody(cr, cx, cy, kDirectionKnob);

    // Pointer spike from the hub towards the rim.
    double tipX, tipY, lx, ly, rx, ry;
    polar(cx, cy, 13.6, pointerDeg, tipX, tipY);
    polar(cx, cy, 3.2, pointerDeg + 90, lx, ly);
    polar(cx, cy, 3.2, pointerDeg - 90, rx, ry);
    cairo_move_to(cr, tipX, tipY);
    cairo_line_to(cr, lx, ly);
    cairo_line_to(cr, rx, ry);
    cairo_close_path(cr);
    setColor(cr, kPointer);
    cairo_fill(cr);

    cairo_arc(cr, cx, cy, 3.4, 0, 2 * kPi);
    setColor(cr, rgb8(58, 54, 66));
    cairo_fill_preserve(cr);
    setColor(cr, kPointer);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

// ---------------------------------------------------------------------------
// Dark dial with a ring of dots (distance, width): 50 x 50 frames.
// The pointer sweeps 270 degrees clockwise from the lower left.

constexpr int kRingDots = 31; // 9 degrees apart, so that dots sit at 0, 90 and 180
constexpr double kDialStart = 225.0;
constexpr double kDialSweep = 270.0;

Rgb distanceDotColour(double t)
{
    const Rgb orange = rgb8(255, 130, 20), yellow = rgb8(250, 222, 30), green = rgb8(60, 214, 70);
    return t < 0.5 ? mix(orange, yellow, t * 2) : mix(yellow, green, (t - 0.5) * 2);
}

void litDot(cairo_t* cr, double x, double y, Rgb c)
{
    cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, 0.5, x, y, 3.2);
    cairo_pattern_add_color_stop_rgba(glow, 0, c.r, c.g, c.b, 0.55);
    cairo_pattern_add_color_stop_rgba(glow, 1, c.r, c.g, c.b, 0.0);
    cairo_arc(cr, x, y, 3.2, 0, 2 * kPi);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    cairo_arc(cr, x, y, 1.5, 0, 2 * kPi);
    setColor(cr, c);
    cairo_fill(cr);
}

enum class Ring
{
    distance,
    width
};

void drawDial(cairo_t* cr, double top, double value, Ring ring)
{
    const double cx = 25, cy = top + 25;
    for (int j = 0; j < kRingDots; ++j)
    {
        double t = double(j) / (kRingDots - 1);
        double deg = kDialStart - kDialSweep * t;
        bool lit;
        Rgb colour;
        if (ring == Ring::distance)
        {
            lit = t <= value + 1e-6;
            colour = distanceDotColour(t);
        }
        else
        {
            lit = value > 0 && deg >= -1e-6 && deg <= 180 + 1e-6 &&
                  std::fabs(deg - 90) <= 90 * value + 1e-6;
            colour = rgb8(70, 226, 96);
        }
        double x, y;
        polar(cx, cy, 21.6, deg, x, y);
        if (lit)
        {
            litDot(cr, x, y, colour);
        }
        else
        {
            cairo_arc(cr, x, y, 1.3, 0, 2 * kPi);
            setColor(cr, kUnlitDot);
            cairo_fill(cr);
        }
    }

    drawKnobBody(cr, cx, cy, kDialKnob);

    double deg = kDialStart - kDialSweep * value, x0, y0, x1, y1;
    polar(cx, cy, 5.0, deg, x0, y0);
    polar(cx, cy, 12.6, deg, x1, y1);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 2.6);
    cairo_set_source_rgb(cr, 0.97, 0.97, 0.98);
    cairo_stroke(cr);
}

// ---------------------------------------------------------------------------
// Toggle lever (input, output, NFC): 44 x 44 frames, up in frame 0, down in frame 1.

void drawToggle(cairo_t* cr, double top, bool down)
{
    const double cx = 22, cy = top + 22;

    cairo_arc(cr, cx + 0.8, cy + 1.2, 11.5, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_fill(cr);

    cairo_pattern_t* bezel = cairo_pattern_create_linear(cx - 11, cy - 11, cx + 11, cy + 11);
    cairo_pattern_add_color_stop_rgb(bezel, 0, 0.86, 0.85, 0.88);
    cairo_pattern_add_color_stop_rgb(bezel, 1, 0.30, 0.29, 0.34);
    cairo_arc(cr, cx, cy, 11, 0, 2 * kPi);
    cairo_set_source(cr, bezel);
    cairo_fill(cr);
    cairo_pattern_destroy(bezel);

    cairo_arc(cr, cx, cy, 7.5, 0, 2 * kPi);
    cairo_set_source_rgb(cr, 0.13, 0.12, 0.15);
    cairo_fill(cr);

    // The bat tapers from the pivot to a rounded tip above or below it.
    double dir = down ? 1 : -1;
    double tipY = cy + dir * 17.5;
    cairo_move_to(cr, cx - 3.2, cy);
    cairo_line_to(cr, cx - 4.6, tipY);
    cairo_line_to(cr, cx + 4.6, tipY);
    cairo_line_to(cr, cx + 3.2, cy);
    cairo_close_path(cr);
    cairo_pattern_t* bat = cairo_pattern_create_linear(cx - 5, 0, cx + 5, 0);
    cairo_pattern_add_color_stop_rgb(bat, 0, 0.62, 0.62, 0.66);
    cairo_pattern_add_color_stop_rgb(bat, 0.4, 0.97, 0.97, 0.99);
    cairo_pattern_add_color_stop_rgb(bat, 1, 0.52, 0.52, 0.56);
    cairo_set_source(cr, bat);
    cairo_fill(cr);

    cairo_arc(cr, cx, tipY, 5.2, 0, 2 * kPi);
    cairo_set_source(cr, bat);
    cairo_fill(cr);
    cairo_pattern_destroy(bat);
    cairo_arc(cr, cx - 1.4, tipY - 1.6, 1.8, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
    cairo_fill(cr);
}

// ---------------------------------------------------------------------------
// Five-position slide switch (order, weight): 75 x 75 frames; thumb at the top in frame 0.

constexpr double kTrackX = 14.5;

void drawSlideSwitch(cairo_t* cr, double top, int position, const char* const* labels)
{
    roundedRect(cr, 0.5, top + 0.5, 74, 74, 5);
    cairo_set_source_rgb(cr, 0.12, 0.11, 0.14);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.18);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);

    roundedRect(cr, kTrackX - 3, top + 5, 6, 65, 3);
    cairo_set_source_rgb(cr, 0.02, 0.02, 0.03);
    cairo_fill(cr);

    for (int i = 0; i < 5; ++i)
    {
        double y = top + 7.5 + 15 * i;
        cairo_move_to(cr, 23, y);
        cairo_line_to(cr, 27, y);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
        cairo_stroke(cr);
        bool on = i == position;
        text(cr, labels[i], 31, y + 3.6, 10, on ? rgb8(150, 210, 255) : kDimLabel, Align::left, on);
    }

    double y = top + 7.5 + 15 * position;
    roundedRect(cr, kTrackX - 9, y - 5.5, 18, 11, 2.5);
    cairo_pattern_t* thumb = cairo_pattern_create_linear(0, y - 5.5, 0, y + 5.5);
    cairo_pattern_add_color_stop_rgb(thumb, 0, 0.96, 0.96, 0.98);
    cairo_pattern_add_color_stop_rgb(thumb, 1, 0.66, 0.66, 0.70);
    cairo_set_source(cr, thumb);
    cairo_fill(cr);
    cairo_pattern_destroy(thumb);
    cairo_move_to(cr, kTrackX - 6, y + 0.5);
    cairo_line_to(cr, kTrackX + 6, y + 0.5);
    cairo_set_source_rgba(cr, 0.2, 0.2, 0.25, 0.8);
    cairo_stroke(cr);
}

// ---------------------------------------------------------------------------
// Read-out box: light blue with a darker bevel at its top and left edges.

void drawReadoutBox(cairo_t* cr, double x, double y, double w, double h)
{
    cairo_rectangle(cr, x, y, w, h);
    setColor(cr, kReadout);
    cairo_fill(cr);
    cairo_rectangle(cr, x, y, w, 2);
    cairo_rectangle(cr, x, y + 2, 2, h - 2);
    setColor(cr, kReadoutBevel);
    cairo_fill(cr);
    cairo_rectangle(cr, x + 2, y + 2, w - 2, 1);
    cairo_rectangle(cr, x + 2, y + 3, 1, h - 3);
    setColor(cr, mix(kReadoutBevel, kReadout, 0.5));
    cairo_fill(cr);
}

// ---------------------------------------------------------------------------
// Panel, 535 x 275. Positions are the editor's control rectangles.

struct Box
{
    double left, top, right, bottom;
    double cx() const { return (left + right) / 2; }
    double cy() const { return (top + bottom) / 2; }
};

constexpr Box boxOf(const sferant::layout::Box& b)
{
    return {double(b.left), double(b.top), double(b.right), double(b.bottom)};
}

namespace layout = sferant::layout;
using layout::Kind;
using sferant::kParameters;

constexpr Box boxOf(int parameter, Kind kind)
{
    return boxOf(layout::controlOf(parameter, kind).box);
}

constexpr Box kOrderSwitch = boxOf(sferant::kOrder, Kind::verticalSwitch);
constexpr Box kWeightSwitch = boxOf(sferant::kWeight, Kind::verticalSwitch);
constexpr Box kWidthKnob = boxOf(sferant::kWidth, Kind::knob);
constexpr Box kDistanceKnob = boxOf(sferant::kDistance, Kind::knob);
constexpr Box kAzimuthKnob = boxOf(sferant::kAzimuth, Kind::knob);
constexpr Box kElevationKnob = boxOf(sferant::kElevation, Kind::knob);
constexpr Box kInputSwitch = boxOf(sferant::kInput, Kind::verticalSwitch);
constexpr Box kNfcSwitch = boxOf(sferant::kNFC, Kind::verticalSwitch);
constexpr Box kOutputSwitch = boxOf(sferant::kOutput, Kind::verticalSwitch);
constexpr Box kWidthReadout = boxOf(sferant::kWidth, Kind::readout);
constexpr Box kDistanceReadout = boxOf(sferant::kDistance, Kind::readout);

// A toggle's two choices, printed above and below its lever.
const char* choice(int parameter, int position)
{
    return kParameters[parameter].choices[position];
}

// Small deterministic generator for the brushed-metal streaks.
uint32_t nextRandom(uint32_t& state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

void drawMetalPlate(cairo_t* cr, const Box& b)
{
    roundedRect(cr, b.left, b.top, b.right - b.left, b.bottom - b.top, 6);
    cairo_pattern_t* metal = cairo_pattern_create_linear(b.left, b.top, b.right, b.bottom);
    cairo_pattern_add_color_stop_rgb(metal, 0, 0.64, 0.63, 0.67);
    cairo_pattern_add_color_stop_rgb(metal, 0.5, 0.53, 0.52, 0.56);
    cairo_pattern_add_color_stop_rgb(metal, 1, 0.44, 0.43, 0.47);
    cairo_set_source(cr, metal);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(metal);

    cairo_save(cr);
    cairo_clip(cr);
    uint32_t seed = 12345;
    cairo_set_line_width(cr, 1);
    for (double y = b.top + 0.5; y < b.bottom; y += 1)
    {
        double shade = (nextRandom(seed) % 1000) / 1000.0;
        double x0 = b.left + (nextRandom(seed) % 40);
        cairo_move_to(cr, x0, y);
        cairo_line_to(cr, b.right - (nextRandom(seed) % 40), y);
        cairo_set_source_rgba(cr, shade > 0.5 ? 1 : 0, shade > 0.5 ? 1 : 0, shade > 0.5 ? 1 : 0,
                              0.05 + 0.06 * std::fabs(shade - 0.5));
        cairo_stroke(cr);
    }
    cairo_restore(cr);

    roundedRect(cr, b.left + 0.5, b.top + 0.5, b.right - b.left - 1, b.bottom - b.top - 1, 6);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_stroke(cr);

    const double screws[4][2] = {{b.left + 8, b.top + 8},
                                 {b.right - 8, b.top + 8},
                                 {b.left + 8, b.bottom - 8},
                                 {b.right - 8, b.bottom - 8}};
    for (auto& s : screws)
    {
        cairo_arc(cr, s[0], s[1], 3, 0, 2 * kPi);
        cairo_set_source_rgb(cr, 0.36, 0.35, 0.39);
        cairo_fill_preserve(cr);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.4);
        cairo_stroke(cr);
        cairo_move_to(cr, s[0] - 2, s[1] + 1.2);
        cairo_line_to(cr, s[0] + 2, s[1] - 1.2);
        cairo_set_source_rgb(cr, 0.18, 0.17, 0.2);
        cairo_stroke(cr);
    }
}

void line(cairo_t* cr, double x0, double y0, double x1, double y1)
{
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    setColor(cr, kLine, 0.45);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// A divider line from x0 to x1 with a section title set into a gap at titleX.
void titledLine(cairo_t* cr, const char* title, double x0, double titleX, double x1, double y)
{
    const double size = 9, spacing = 1.6;
    double w = spacedCapsWidth(cr, title, size, spacing);
    line(cr, x0, y, titleX - 4, y);
    spacedCaps(cr, title, titleX, y + 3.5, size, spacing, kLabel);
    line(cr, titleX + w + 4, y, x1, y);
}

// A ring raised like a superscript: the font's own degree sign is a 3-pixel ring at this
// size, which reads as a dot.
void drawDegreeSign(cairo_t* cr, double cx, double cy)
{
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 2.3, 0, 2 * kPi);
    setColor(cr, kDimLabel);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
}

void drawTitleStrip(cairo_t* cr)
{
    cairo_pattern_t* strip = cairo_pattern_create_linear(0, 0, 300, 0);
    cairo_pattern_add_color_stop_rgba(strip, 0, 0.09, 0.08, 0.12, 0.95);
    cairo_pattern_add_color_stop_rgba(strip, 0.75, 0.09, 0.08, 0.12, 0.6);
    cairo_pattern_add_color_stop_rgba(strip, 1, 0.09, 0.08, 0.12, 0.0);
    cairo_rectangle(cr, 0, 0, 300, 30);
    cairo_set_source(cr, strip);
    cairo_fill(cr);
    cairo_pattern_destroy(strip);

    cairo_rectangle(cr, 0, 29, 300, 1);
    cairo_pattern_t* accent = cairo_pattern_create_linear(0, 0, 300, 0);
    cairo_pattern_add_color_stop_rgba(accent, 0, 0.96, 0.53, 0.15, 1);
    cairo_pattern_add_color_stop_rgba(accent, 1, 0.96, 0.53, 0.15, 0);
    cairo_set_source(cr, accent);
    cairo_fill(cr);
    cairo_pattern_destroy(accent);

    text(cr, "Sferant", 14, 22, 20, rgb8(246, 244, 250), Align::left);
    text(cr, "AMBISONIC ENCODER", 98, 21, 9, kDimLabel, Align::left);
}

void drawPanel(cairo_t* cr)
{
    cairo_pattern_t* bg = cairo_pattern_create_linear(0, 0, 0, 275);
    cairo_pattern_add_color_stop_rgb(bg, 0, kPanelTop.r, kPanelTop.g, kPanelTop.b);
    cairo_pattern_add_color_stop_rgb(bg, 1, kPanelBottom.r, kPanelBottom.g, kPanelBottom.b);
    cairo_rectangle(cr, 0, 0, 535, 275);
    cairo_set_source(cr, bg);
    cairo_fill(cr);
    cairo_pattern_destroy(bg);
    cairo_rectangle(cr, 0.5, 0.5, 534, 274);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
    cairo_stroke(cr);

    drawTitleStrip(cr);

    drawMetalPlate(cr, {12, 38, 121, 262});
    const Rgb engraved = rgb8(34, 31, 40);
    text(cr, "Order", kOrderSwitch.cx(), kOrderSwitch.top - 6, 11, engraved);
    text(cr, "Weighting", kWeightSwitch.cx(), kWeightSwitch.top - 6, 11, engraved);

    // Section dividers: Input above NFC, then Direction, then Output.
    // The Input and NFC titles stand over the knob column, clear of the toggle labels.
    titledLine(cr, "INPUT", 134, kWidthKnob.left + 4, 326, 44);
    titledLine(cr, "NFC", 134, kDistanceKnob.left + 4, 326, 148);
    titledLine(cr, "DIRECTION", 334, 344, 454, 44);
    titledLine(cr, "OUTPUT", 462, 472, 525, 44);
    line(cr, 330.5, 40, 330.5, 262);
    line(cr, 458.5, 40, 458.5, 262);

    // Each toggle's labels sit 3 pixels from its lever, so that Stereo and Off keep about 7
    // pixels to the NFC divider between them and read as the labels of their own toggles.
    using sferant::kInput, sferant::kNFC, sferant::kOutput;
    text(cr, choice(kInput, 0), kInputSwitch.cx(), kInputSwitch.top - 3, 10, kLabel);
    text(cr, choice(kInput, 1), kInputSwitch.cx(), kInputSwitch.bottom + 10, 10, kLabel);
    text(cr, choice(kNFC, 0), kNfcSwitch.cx(), kNfcSwitch.top - 3, 10, kLabel);
    text(cr, choice(kNFC, 1), kNfcSwitch.cx(), kNfcSwitch.bottom + 10, 10, kLabel);
    text(cr, choice(kOutput, 0), kOutputSwitch.cx(), kOutputSwitch.top - 6, 11, kLabel);
    text(cr, choice(kOutput, 1), kOutputSwitch.cx(), kOutputSwitch.bottom + 14, 11, kLabel);

    text(cr, "Width", kWidthReadout.cx(), kWidthReadout.bottom + 13, 10, kLabel);
    text(cr, "Distance", kDistanceReadout.cx(), kDistanceReadout.bottom + 13, 10, kLabel);
    text(cr, "Azimuth", kAzimuthKnob.left - 6, kAzimuthKnob.cy() + 4, 10, kLabel, Align::right);
    text(cr, "Elevation", kElevationKnob.left - 6, kElevationKnob.cy() + 4, 10, kLabel,
         Align::right);

    // Each read-out's box, with its unit beside it.
    for (const layout::Control& row : layout::kControls)
    {
        if (row.kind != Kind::readout) continue;
        const Box r = boxOf(row.box);
        if (kParameters[row.parameter].unit == sferant::Unit::kDegrees)
            drawDegreeSign(cr, r.right + 6, r.cy() - 4);
        else
            text(cr, kParameters[row.parameter].label, r.right + 3, r.cy() + 4, 10, kDimLabel,
                 Align::left, false);
        drawReadoutBox(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
}

// ---------------------------------------------------------------------------
// Surfaces and PNG output.

// The pixel density of the set being drawn: every drawing is in panel coordinates, scaled.
int gScale = 1;

struct Image
{
    cairo_surface_t* surface;
    cairo_t* cr;
    Image(int w, int h)
        : surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w * gScale, h * gScale)),
          cr(cairo_create(surface))
    {
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_BEST);
        cairo_scale(cr, gScale, gScale);
    }
    ~Image()
    {
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
};

// Cairo keeps premultiplied native-endian ARGB; the files hold straight RGBA.
bool writePng(cairo_surface_t* s, const std::string& path)
{
    cairo_surface_flush(s);
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    int stride = cairo_image_surface_get_stride(s);
    const unsigned char* data = cairo_image_surface_get_data(s);

    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)))
    {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<unsigned char> row(size_t(w) * 4);
    for (int y = 0; y < h; ++y)
    {
        const uint32_t* src = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < w; ++x)
        {
            uint32_t p = src[x];
            unsigned a = p >> 24;
            unsigned c[3] = {(p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff};
            for (int k = 0; k < 3; ++k)
                row[x * 4 + k] = a ? static_cast<unsigned char>((c[k] * 255 + a / 2) / a) : 0;
            row[x * 4 + 3] = static_cast<unsigned char>(a);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}

// Draws frame i of a strip of n frames whose top is at top.
using DrawFrame = void (*)(cairo_t* cr, double top, int i, int n);

bool writeStrip(const std::string& path, int width, int frameHeight, int frames, DrawFrame draw)
{
    Image img(width, frameHeight * frames);
    for (int i = 0; i < frames; ++i)
    {
        cairo_save(img.cr);
        cairo_rectangle(img.cr, 0, i * frameHeight, width, frameHeight);
        cairo_clip(img.cr);
        draw(img.cr, double(i * frameHeight), i, frames);
        cairo_restore(img.cr);
    }
    return writePng(img.surface, path);
}

double frameValue(int i, int n)
{
    return double(i) / (n - 1);
}

// The first row of the control table that shows the bitmap: its box and frame count.
const layout::Control& rowOf(int bitmap)
{
    int row = 0;
    while (layout::kControls[row].bitmap != bitmap)
        ++row;
    return layout::kControls[row];
}

// What each bitmap of the control table shows.
struct Painter
{
    int bitmap;
    DrawFrame draw;
};
const Painter kPainters[] = {
    {layout::kAzimuthBitmap,
     [](cairo_t* cr, double top, int i, int) { drawDirectionKnob(cr, top, 270.0 - i, false); }},
    {layout::kElevationBitmap,
     [](cairo_t* cr, double top, int i, int) { drawDirectionKnob(cr, top, 270.0 - i, true); }},
    {layout::kDistanceBitmap, [](cairo_t* cr, double top, int i, int n)
     { drawDial(cr, top, frameValue(i, n), Ring::distance); }},
    {layout::kWidthBitmap, [](cairo_t* cr, double top, int i, int n)
     { drawDial(cr, top, frameValue(i, n), Ring::width); }},
    {layout::kToggleBitmap,
     [](cairo_t* cr, double top, int i, int) { drawToggle(cr, top, i == 1); }},
    {layout::kOrderBitmap, [](cairo_t* cr, double top, int i, int)
     { drawSlideSwitch(cr, top, i, kParameters[sferant::kOrder].choices); }},
    {layout::kWeightBitmap, [](cairo_t* cr, double top, int i, int)
     { drawSlideSwitch(cr, top, i, kParameters[sferant::kWeight].choices); }},
    {layout::kReadoutBitmap,
     [](cairo_t* cr, double top, int, int)
     {
         const layout::Box& box = rowOf(layout::kReadoutBitmap).box;
         drawReadoutBox(cr, 0, top, box.width(), box.height());
     }},
};

const Painter& painterOf(int bitmap)
{
    int k = 0;
    while (kPainters[k].bitmap != bitmap)
        ++k;
    return kPainters[k];
}

bool writeAll(const std::string& dir)
{
    auto file = [&](int id) { return dir + "/" + std::to_string(id) + ".png"; };
    bool ok = true;
    {
        Image panel(layout::kPanelWidth, layout::kPanelHeight);
        drawPanel(panel.cr);
        ok &= writePng(panel.surface, file(layout::kPanelBitmap));
    }
    for (const Painter& painter : kPainters)
    {
        const layout::Control& row = rowOf(painter.bitmap);
        ok &= writeStrip(file(painter.bitmap), row.box.width(), row.box.height(), row.frames,
                         painter.draw);
    }
    return ok;
}

// The panel with each control drawn at its default value, as the editor first shows it: a
// knob half-way, a switch at its first position.
bool writePreview(const std::string& path)
{
    Image img(layout::kPanelWidth, layout::kPanelHeight);
    cairo_t* cr = img.cr;
    drawPanel(cr);
    for (const layout::Control& row : layout::kControls)
    {
        const Box b = boxOf(row.box);
        if (row.kind == Kind::readout)
        {
            char reading[256];
            row.text(0.5f, reading);
            text(cr, reading, b.cx(), b.cy() + 4, 11, rgb8(0, 0, 0), Align::centre, false);
            continue;
        }
        cairo_save(cr);
        cairo_translate(cr, b.left, b.top);
        cairo_rectangle(cr, 0, 0, b.right - b.left, b.bottom - b.top);
        cairo_clip(cr);
        const int frame = row.kind == Kind::knob ? (row.frames - 1) / 2 : 0;
        painterOf(row.bitmap).draw(cr, 0, frame, row.frames);
        cairo_restore(cr);
    }
    return writePng(img.surface, path);
}

} // namespace

int main(int argc, char** argv)
{
    const char* preview = nullptr;
    bool usage = argc < 2 || argc % 2 != 0;
    for (int i = 2; i + 1 < argc && !usage; i += 2)
    {
        if (std::strcmp(argv[i], "--preview") == 0)
            preview = argv[i + 1];
        else if (std::strcmp(argv[i], "--scale") == 0)
            gScale = std::atoi(argv[i + 1]);
        else
            usage = true;
    }
    if (usage || gScale < 1 || gScale > 4)
    {
        std::fprintf(stderr, "usage: %s OUTDIR [--scale 1..4] [--preview FILE]\n", argv[0]);
        return 2;
    }
    bool ok = writeAll(argv[1]);
    if (preview) ok &= writePreview(preview);
    if (!ok) std::fprintf(stderr, "%s: could not write every file\n", argv[0]);
    return ok ? 0 : 1;
}
