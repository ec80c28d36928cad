// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>

// A point in integer pixels: h grows to the right, v grows downwards.
struct CPoint
{
    int32_t h = 0;
    int32_t v = 0;

    constexpr CPoint() = default;
    constexpr CPoint(long h, long v) : h(int32_t(h)), v(int32_t(v)) {}

    CPoint& offset(long x, long y)
    {
        h += int32_t(x);
        v += int32_t(y);
        return *this;
    }
    CPoint& offset(const CPoint& p) { return offset(p.h, p.v); }

    constexpr bool operator==(const CPoint& p) const { return h == p.h && v == p.v; }
    constexpr bool operator!=(const CPoint& p) const { return !(*this == p); }
};

// A rectangle in integer pixels; the right and bottom edges are exclusive.
struct CRect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(long left, long top, long right, long bottom)
        : left(int32_t(left)), top(int32_t(top)), right(int32_t(right)), bottom(int32_t(bottom))
    {
    }
    constexpr CRect(const CPoint& topLeft, const CPoint& size)
        : CRect(topLeft.h, topLeft.v, topLeft.h + size.h, topLeft.v + size.v)
    {
    }

    constexpr int32_t getWidth() const { return right - left; }
    constexpr int32_t getHeight() const { return bottom - top; }
    constexpr CPoint getTopLeft() const { return {left, top}; }

    void setWidth(long width) { right = left + int32_t(width); }
    void setHeight(long height) { bottom = top + int32_t(height); }

    CRect& offset(long x, long y)
    {
        left += int32_t(x);
        right += int32_t(x);
        top += int32_t(y);
        bottom += int32_t(y);
        return *this;
    }
    CRect& offset(const CPoint& p) { return offset(p.h, p.v); }

    // Keeps width and height.
    CRect& moveTo(long x, long y) { return offset(x - left, y - top); }

    // Shrinks by dx on the left and right and by dy on the top and bottom.
    CRect& inset(long x, long y)
    {
        left += int32_t(x);
        right -= int32_t(x);
        top += int32_t(y);
        bottom -= int32_t(y);
        return *this;
    }

    constexpr bool pointInside(const CPoint& p) const
    {
        return left <= p.h && p.h < right && top <= p.v && p.v < bottom;
    }
    constexpr bool isEmpty() const { return left >= right || top >= bottom; }

    // Overlap or a shared edge (edges inclusive).
    constexpr bool touches(const CRect& r) const
    {
        return left <= r.right && r.left <= right && top <= r.bottom && r.top <= bottom;
    }

    // Intersects in place; a disjoint result keeps a valid zero-sized rectangle.
    CRect& bound(const CRect& r)
    {
        left = std::max(left, r.left);
        top = std::max(top, r.top);
        right = std::min(right, r.right);
        bottom = std::min(bottom, r.bottom);
        bottom = std::max(bottom, top);
        right = std::max(right, left);
        return *this;
    }

    // Grows to hold r as well; an empty rectangle on either side counts as nothing.
    CRect& unite(const CRect& r)
    {
        if (r.isEmpty()) return *this;
        if (isEmpty()) return *this = r;
        left = std::min(left, r.left);
        top = std::min(top, r.top);
        right = std::max(right, r.right);
        bottom = std::max(bottom, r.bottom);
        return *this;
    }

    constexpr bool operator==(const CRect& r) const
    {
        return left == r.left && top == r.top && right == r.right && bottom == r.bottom;
    }
    constexpr bool operator!=(const CRect& r) const { return !(*this == r); }
};
