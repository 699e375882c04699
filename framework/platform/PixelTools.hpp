#pragma once
// Small pixel helpers shared by the drawing and window backends of every platform.

#include "framework/platform/DrawingBackend.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace Vantor::Platform::PixelTools
{

// A straight 0xAARRGGBB colour as a premultiplied pixel (rounded).
inline uint32_t premultiply(uint32_t colour)
{
    const uint32_t alpha = colour >> 24;
    const auto scale = [alpha](uint32_t component) { return (component * alpha + 127) / 255; };
    return (alpha << 24) | (scale((colour >> 16) & 0xFF) << 16) | (scale((colour >> 8) & 0xFF) << 8) |
           scale(colour & 0xFF);
}

// Common part of two areas; empty (zero size) when they do not meet.
inline SPixelRect intersect(const SPixelRect& a, const SPixelRect& b)
{
    const int left = std::max(a.x, b.x);
    const int top = std::max(a.y, b.y);
    const int right = std::min(a.right(), b.right());
    const int bottom = std::min(a.bottom(), b.bottom());
    if (right <= left || bottom <= top)
    {
        return {};
    }
    return {left, top, right - left, bottom - top};
}

// Smallest area holding both; an empty area adds nothing.
inline SPixelRect unite(const SPixelRect& a, const SPixelRect& b)
{
    if (a.isEmpty())
    {
        return b;
    }
    if (b.isEmpty())
    {
        return a;
    }
    const int left = std::min(a.x, b.x);
    const int top = std::min(a.y, b.y);
    return {left, top, std::max(a.right(), b.right()) - left, std::max(a.bottom(), b.bottom()) - top};
}

// Areas waiting for a paint: a few separate rectangles, so that small changes far
// apart (a meter at one end of a panel, a knob at the other) repaint only themselves.
// A new area merges with one it overlaps or lies close to (the union wastes at most a
// quarter, or fewer pixels than a paint of its own costs); past kMaximum areas, the two
// whose union wastes least merge.
class CDamage
{
public:
    static constexpr int kMaximum = 4;

    void add(const SPixelRect& area)
    {
        if (area.isEmpty())
        {
            return;
        }
        SPixelRect merged = area;
        // Merging can bring the result close to another area: go on until none is.
        for (bool again = true; again;)
        {
            again = false;
            for (int index = 0; index < m_count; ++index)
            {
                if (worthMerging(m_areas[index], merged))
                {
                    merged = unite(m_areas[index], merged);
                    remove(index);
                    again = true;
                    break;
                }
            }
        }
        if (m_count == kMaximum)
        {
            mergeCheapestPair(merged);
            return;
        }
        m_areas[m_count++] = merged;
    }
    bool isEmpty() const { return m_count == 0; }
    void clear() { m_count = 0; }
    int count() const { return m_count; }
    const SPixelRect& at(int index) const { return m_areas[index]; }
    // The smallest area holding every one.
    SPixelRect bounds() const
    {
        SPixelRect all;
        for (int index = 0; index < m_count; ++index)
        {
            all = unite(all, m_areas[index]);
        }
        return all;
    }

private:
    static long long areaOf(const SPixelRect& area)
    {
        return static_cast<long long>(area.width) * area.height;
    }
    static bool worthMerging(const SPixelRect& a, const SPixelRect& b)
    {
        constexpr long long kCheapWaste = 8192;
        const long long united = areaOf(unite(a, b));
        const long long apart = areaOf(a) + areaOf(b);
        return 4 * united <= 5 * apart || united - apart <= kCheapWaste;
    }
    void remove(int index) { m_areas[index] = m_areas[--m_count]; }
    void mergeCheapestPair(const SPixelRect& extra)
    {
        SPixelRect all[kMaximum + 1];
        for (int index = 0; index < m_count; ++index)
        {
            all[index] = m_areas[index];
        }
        all[kMaximum] = extra;
        int first = 0;
        int second = 1;
        long long cheapest = -1;
        for (int a = 0; a <= kMaximum; ++a)
        {
            for (int b = a + 1; b <= kMaximum; ++b)
            {
                const long long waste = areaOf(unite(all[a], all[b])) - areaOf(all[a]) - areaOf(all[b]);
                if (cheapest < 0 || waste < cheapest)
                {
                    cheapest = waste;
                    first = a;
                    second = b;
                }
            }
        }
        const SPixelRect merged = unite(all[first], all[second]);
        m_count = 0;
        for (int index = 0; index <= kMaximum; ++index)
        {
            if (index != first && index != second)
            {
                m_areas[m_count++] = all[index];
            }
        }
        add(merged);
    }

    SPixelRect m_areas[kMaximum];
    int m_count = 0;
};

// Calls plot(x, y) for each pixel of an aliased one-pixel line, leaving out the end point
// (a pen line: the next segment starts there).
template <typename TPlot> void forEachPenLinePixel(SPixelPoint from, SPixelPoint to, TPlot&& plot)
{
    const int dx = std::abs(to.x - from.x);
    const int dy = -std::abs(to.y - from.y);
    const int stepX = from.x < to.x ? 1 : -1;
    const int stepY = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    int x = from.x;
    int y = from.y;
    while (x != to.x || y != to.y)
    {
        plot(x, y);
        const int doubled = 2 * error;
        if (doubled >= dy)
        {
            error += dy;
            x += stepX;
        }
        if (doubled <= dx)
        {
            error += dx;
            y += stepY;
        }
    }
}

// Where an alignment puts text along one axis.
enum class EPlace
{
    Start,
    Centre,
    End
};

// Horizontal placement of the framework's text alignments (0..10; others act as 0).
inline EPlace horizontalPlaceOf(int alignment)
{
    switch (alignment)
    {
    case TextAlignment::CentreTop:
    case TextAlignment::CentreCentre:
    case TextAlignment::CentreBottom:
    case TextAlignment::DefaultSingleLine:
        return EPlace::Centre;
    case TextAlignment::RightTop:
    case TextAlignment::RightCentre:
    case TextAlignment::RightBottom:
        return EPlace::End;
    default:
        return EPlace::Start;
    }
}

// Vertical placement of the framework's text alignments.
inline EPlace verticalPlaceOf(int alignment)
{
    switch (alignment)
    {
    case TextAlignment::LeftCentre:
    case TextAlignment::CentreCentre:
    case TextAlignment::RightCentre:
    case TextAlignment::DefaultLabel:
    case TextAlignment::DefaultSingleLine:
        return EPlace::Centre;
    case TextAlignment::LeftBottom:
    case TextAlignment::CentreBottom:
    case TextAlignment::RightBottom:
        return EPlace::End;
    default:
        return EPlace::Start;
    }
}

} // namespace Vantor::Platform::PixelTools
