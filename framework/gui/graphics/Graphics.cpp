#include "framework/gui/graphics/Graphics.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/basics/Exception.hpp"
#include "framework/gui/fonts/Font.hpp"
#include "framework/gui/graphics/DeviceScale.hpp"
#include "framework/gui/graphics/Image.hpp"
#include "framework/gui/graphics/Resampler.hpp"
#include "framework/platform/DrawingBackend.hpp"
#include "framework/platform/PixelTools.hpp"

namespace Vantor::GUI::Graphics
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Graphics::CGraphics, "CGraphics", "CCountedObject")

namespace
{
std::uint32_t opaque(const CColour& colour)
{
    return colour.getOpaqueARGB();
}

// Straight colour of a premultiplied pixel (the back buffer is opaque, so this is exact there).
CColour unpremultiply(std::uint32_t pixel)
{
    const long alpha = Platform::alphaOf(pixel);
    if (alpha == 0)
    {
        return CColour(0, 0, 0);
    }
    auto component = [alpha](long value) { return std::min(255L, (value * 255 + alpha / 2) / alpha); };
    return CColour(component(Platform::redOf(pixel)), component(Platform::greenOf(pixel)),
                   component(Platform::blueOf(pixel)));
}

double luminance(const CColour& colour)
{
    return 0.299 * colour.getRed() + 0.587 * colour.getGreen() + 0.114 * colour.getBlue();
}

std::vector<Platform::SPixelPoint> devicePoints(const MathTools::CPolygon& polygon,
                                                const MathTools::CPoint& offset, double scale)
{
    std::vector<Platform::SPixelPoint> points;
    for (long i = 0; i < polygon.getNumberOfPoints(); i++)
    {
        const MathTools::CPoint* point = polygon.getPoint(i);
        points.push_back(
            {static_cast<int>(DeviceScale::toDevice(point->getXPosition() + offset.getXPosition(), scale)),
             static_cast<int>(DeviceScale::toDevice(point->getYPosition() + offset.getYPosition(), scale))});
    }
    return points;
}

Platform::SPixelRect pixelRect(const MathTools::CRect& rect)
{
    return {static_cast<int>(rect.getLeft()), static_cast<int>(rect.getTop()),
            static_cast<int>(rect.getWidth()), static_cast<int>(rect.getHeight())};
}
} // namespace

CGraphics::CGraphics() : m_textColour(0, 0, 0, 255) {}

CGraphics::~CGraphics()
{
    end();
}

bool CGraphics::begin(const MathTools::CDimension& size)
{
    end();
    if (m_backBuffer.isCreated() && !(m_backBuffer.getSize() == size))
    {
        m_backBuffer.releaseImage();
    }
    if (!m_backBuffer.createImage(size))
    {
        return false;
    }
    begin(m_backBuffer.getSurface());
    return true;
}

void CGraphics::setKeepBackBuffer(bool keep)
{
    m_keepBackBuffer = keep;
    if (!keep && m_target == nullptr)
    {
        m_backBuffer.releaseImage();
    }
}

void CGraphics::setScale(double scale)
{
    m_scale = DeviceScale::clampScale(scale);
    m_clip.setScale(m_scale);
}

MathTools::CRect CGraphics::getDeviceRect(const MathTools::CRect& rect) const
{
    MathTools::CRect moved = rect;
    moved.offset(m_offset);
    return DeviceScale::toDevice(moved, m_scale);
}

void CGraphics::begin(Platform::IDrawingSurface* target)
{
    if (target == nullptr)
    {
        throw Exceptions::CException("Drawing surface is NULL", "Vantor::GUI::Graphics::CGraphics::begin");
    }
    m_target = target;
    m_size.setDimension(target->getWidth(), target->getHeight());
    m_pen = CPen();
    m_brush = CBrush();
    m_antiAliasingMode = kDefaultSmoothing;
    m_clip.initialise(target, MathTools::CRect(0, 0, m_size.getWidth(), m_size.getHeight()));
}

void CGraphics::end()
{
    if (m_target == nullptr)
    {
        return;
    }
    m_clip.release();
    m_target = nullptr;
    if (!m_keepBackBuffer)
    {
        m_backBuffer.releaseImage();
    }
}

void CGraphics::setAntiAliasingMode(long mode)
{
    if (mode >= kHighQualitySmoothing && mode <= kAntiAliasSmoothing)
    {
        m_antiAliasingMode = mode;
    }
}

Platform::SPixelPoint CGraphics::toDevice(const MathTools::CPoint& point) const
{
    return {static_cast<int>(DeviceScale::toDevice(point.getXPosition() + m_offset.getXPosition(), m_scale)),
            static_cast<int>(DeviceScale::toDevice(point.getYPosition() + m_offset.getYPosition(), m_scale))};
}

Platform::SPixelRect CGraphics::toDevice(const MathTools::CRect& rect) const
{
    return pixelRect(getDeviceRect(rect));
}

int CGraphics::deviceLength(long length) const
{
    return static_cast<int>(DeviceScale::sizeToDevice(length, m_scale));
}

int CGraphics::penWidth() const
{
    return std::max(1, deviceLength(std::max(m_pen.getWidth(), 1L)));
}

bool CGraphics::smoothing() const
{
    return m_antiAliasingMode != kDefaultSmoothing;
}

// ---- pixels and lines ----

void CGraphics::drawPixel(const MathTools::CPoint& point)
{
    if (!m_target)
    {
        return;
    }
    if (m_scale != 1.0)
    {
        m_target->fillRectangle(toDevice(MathTools::CRect(point.getXPosition(), point.getYPosition(), 1, 1)),
                                opaque(m_pen.getColour()));
        return;
    }
    const Platform::SPixelPoint p = toDevice(point);
    m_target->setPixel(p.x, p.y, opaque(m_pen.getColour()));
}

void CGraphics::drawAlphaPixel(const MathTools::CPoint& point, long alpha)
{
    if (!m_target)
    {
        return;
    }
    const Platform::SPixelPoint p = toDevice(point);
    const CColour old = unpremultiply(m_target->getPixel(p.x, p.y));
    const CAlphaColour& pen = m_pen.getColour();
    auto mix = [alpha](long before, long colour)
    {
        const long w = (255 - alpha) * before + alpha * colour + 128;
        return (w + (w >> 8)) >> 8;
    };
    const CColour mixed(mix(old.getRed(), pen.getRed()), mix(old.getGreen(), pen.getGreen()),
                        mix(old.getBlue(), pen.getBlue()));
    if (m_scale != 1.0)
    {
        m_target->fillRectangle(toDevice(MathTools::CRect(point.getXPosition(), point.getYPosition(), 1, 1)),
                                opaque(mixed));
        return;
    }
    m_target->setPixel(p.x, p.y, opaque(mixed));
}

void CGraphics::moveTo(const MathTools::CPoint& point)
{
    m_penPosition = point;
}

void CGraphics::lineTo(const MathTools::CPoint& point)
{
    if (m_target && !m_pen.isNullPen())
    {
        if (m_pen.getWidth() <= 1 && m_scale == 1.0)
        {
            m_target->drawPenLine(toDevice(m_penPosition), toDevice(point), opaque(m_pen.getColour()));
        }
        else
        {
            m_target->strokeLine(toDevice(m_penPosition), toDevice(point), opaque(m_pen.getColour()),
                                 penWidth(), static_cast<Platform::ELineCap>(m_pen.getLineCap()), false);
        }
    }
    m_penPosition = point;
}

void CGraphics::drawLine(const MathTools::CPoint& from, const MathTools::CPoint& to)
{
    moveTo(from);
    lineTo(to);
}

void CGraphics::drawAntiAliasedLine(const MathTools::CPoint& from, const MathTools::CPoint& to)
{
    if (!m_target)
    {
        return;
    }
    if (!m_smoothingPath)
    {
        drawWuLine(from, to);
        return;
    }
    m_target->strokeLine(toDevice(from), toDevice(to), m_pen.getColour().getARGB(),
                         m_scale == 1.0 ? static_cast<int>(m_pen.getWidth()) : penWidth(),
                         static_cast<Platform::ELineCap>(m_pen.getLineCap()), smoothing());
}

void CGraphics::drawPolyLine(const MathTools::CPolygon& polygon)
{
    if (polygon.getNumberOfPoints() < 1)
    {
        return;
    }
    moveTo(*polygon.getPoint(0));
    for (long i = 1; i < polygon.getNumberOfPoints(); i++)
    {
        lineTo(*polygon.getPoint(i));
    }
}

void CGraphics::drawAntiAliasedPolygon(const MathTools::CPolygon& polygon)
{
    if (polygon.getNumberOfPoints() < 3)
    {
        return;
    }
    for (long i = 1; i < polygon.getNumberOfPoints(); i++)
    {
        drawAntiAliasedLine(*polygon.getPoint(i - 1), *polygon.getPoint(i));
    }
}

// The anti-aliased line without the smoothing path: a 16-bit error accumulator
// steps along the major axis and its high byte weighs the two pixels across the line.
void CGraphics::drawWuLine(const MathTools::CPoint& from, const MathTools::CPoint& to)
{
    MathTools::CPoint start = from;
    MathTools::CPoint finish = to;
    if (start.getYPosition() > finish.getYPosition())
    {
        std::swap(start, finish);
    }
    const Platform::SPixelPoint a = toDevice(start);
    const Platform::SPixelPoint b = toDevice(finish);
    const std::uint32_t penColour = opaque(m_pen.getColour());
    m_target->setPixel(a.x, a.y, penColour);

    int x = a.x;
    int y = a.y;
    const int xDirection = (b.x >= a.x) ? 1 : -1;
    const int dx = std::abs(b.x - a.x);
    const int dy = b.y - a.y;

    if (dx == 0 || dy == 0 || dx == dy)
    {
        // Straight and diagonal lines need no blending.
        const int steps = std::max(dx, dy);
        const int stepX = (dx == 0) ? 0 : xDirection;
        const int stepY = (dy == 0) ? 0 : 1;
        for (int i = 1; i <= steps; i++)
        {
            m_target->setPixel(x + i * stepX, y + i * stepY, penColour);
        }
        return;
    }

    std::uint16_t accumulator = 0;
    if (dy > dx)
    {
        const std::uint16_t adjust = static_cast<std::uint16_t>((static_cast<std::uint32_t>(dx) << 16) / dy);
        for (int i = 1; i < dy; i++)
        {
            const std::uint16_t before = accumulator;
            accumulator = static_cast<std::uint16_t>(accumulator + adjust);
            if (accumulator <= before)
            {
                x += xDirection;
            }
            y++;
            const int weight = accumulator >> 8;
            blendWuPixel(x, y, weight);
            blendWuPixel(x + xDirection, y, weight ^ 255);
        }
    }
    else
    {
        const std::uint16_t adjust = static_cast<std::uint16_t>((static_cast<std::uint32_t>(dy) << 16) / dx);
        for (int i = 1; i < dx; i++)
        {
            const std::uint16_t before = accumulator;
            accumulator = static_cast<std::uint16_t>(accumulator + adjust);
            if (accumulator <= before)
            {
                y++;
            }
            x += xDirection;
            const int weight = accumulator >> 8;
            blendWuPixel(x, y, weight);
            blendWuPixel(x, y + 1, weight ^ 255);
        }
    }
    m_target->setPixel(b.x, b.y, penColour);
}

// weight 0 is the pen colour, 255 the background; on a background darker than the
// pen the complement applies, so that nearness to the line always means pen colour.
void CGraphics::blendWuPixel(int x, int y, int weight)
{
    const CColour background = unpremultiply(m_target->getPixel(x, y));
    const CColour& pen = m_pen.getColour();
    const bool backgroundLighter = luminance(background) >= luminance(pen);
    const int applied = backgroundLighter ? weight : (weight ^ 255);
    auto component = [applied](long back, long line)
    {
        return static_cast<long>(
            std::lround(std::min(back, line) + std::labs(back - line) * applied * 0.00392156862745098));
    };
    const long red = component(background.getRed(), pen.getRed());
    const long green = component(background.getGreen(), pen.getGreen());
    const long blue = component(background.getBlue(), pen.getBlue());
    m_target->setPixel(x, y, opaque(CColour(red, green, blue)));
}

// ---- shapes ----

void CGraphics::drawRectangle(const MathTools::CRect& rect)
{
    if (!m_target || m_pen.isNullPen())
    {
        return;
    }
    m_target->strokeRectangle(toDevice(rect), m_pen.getColour().getARGB(),
                              m_scale == 1.0 ? static_cast<int>(m_pen.getWidth()) : penWidth());
}

void CGraphics::fillRectangle(const MathTools::CRect& rect)
{
    if (!m_target || m_brush.isHollowBrush())
    {
        return;
    }
    m_target->fillRectangle(toDevice(rect), m_brush.getColour().getARGB());
}

void CGraphics::drawFilledBorderedRectangle(const MathTools::CRect& rect)
{
    fillRectangle(rect);
    drawRectangle(rect);
}

void CGraphics::drawRoundedRectangle(const MathTools::CRect& rect, const MathTools::CDimension& corner)
{
    if (!m_target || m_pen.isNullPen())
    {
        return;
    }
    m_target->strokeRoundedRectangle(toDevice(rect), deviceLength(corner.getWidth()),
                                     deviceLength(corner.getHeight()), opaque(m_pen.getColour()),
                                     m_scale == 1.0 ? static_cast<int>(m_pen.getWidth()) : penWidth(),
                                     m_scale != 1.0);
}

void CGraphics::fillRoundedRectangle(const MathTools::CRect& rect, const MathTools::CDimension& corner)
{
    if (!m_target || m_brush.isHollowBrush())
    {
        return;
    }
    if (m_smoothingPath)
    {
        // Arcs of diameter twice the corner width at all four corners.
        const int diameter = deviceLength(2 * corner.getWidth());
        m_target->fillRoundedRectangle(toDevice(rect), diameter, diameter, m_brush.getColour().getARGB(),
                                       smoothing());
        return;
    }
    m_target->fillRoundedRectangle(toDevice(rect), deviceLength(corner.getWidth()),
                                   deviceLength(corner.getHeight()), opaque(m_brush.getColour()),
                                   m_scale != 1.0);
}

void CGraphics::drawArc(const MathTools::CRect& bounds, const MathTools::CPoint& start,
                        const MathTools::CPoint& end, bool clockwise)
{
    if (!m_target || m_pen.isNullPen())
    {
        return;
    }
    m_target->strokeArc(toDevice(bounds), toDevice(start), toDevice(end), clockwise,
                        opaque(m_pen.getColour()),
                        m_scale == 1.0 ? static_cast<int>(m_pen.getWidth()) : penWidth(), m_scale != 1.0);
}

void CGraphics::drawEllipse(const MathTools::CRect& bounds)
{
    drawArc(bounds, MathTools::CPoint(0, 0), MathTools::CPoint(0, 0), true);
}

void CGraphics::fillEllipse(const MathTools::CRect& bounds)
{
    if (!m_target || m_brush.isHollowBrush())
    {
        return;
    }
    const bool smooth = m_smoothingPath && smoothing();
    m_target->fillEllipse(toDevice(bounds), m_brush.getColour().getARGB(), smooth);
}

void CGraphics::fillPolygon(const MathTools::CPolygon& polygon)
{
    if (!m_target || m_brush.isHollowBrush() || polygon.getNumberOfPoints() < 1)
    {
        return;
    }
    const std::vector<Platform::SPixelPoint> points = devicePoints(polygon, m_offset, m_scale);
    const bool smooth = m_smoothingPath && smoothing();
    m_target->fillPolygon(points.data(), static_cast<int>(points.size()), m_brush.getColour().getARGB(),
                          smooth);
}

void CGraphics::drawRaisedRectangle(const MathTools::CRect& rect)
{
    drawBevel(rect, true);
}

void CGraphics::drawSunkenRectangle(const MathTools::CRect& rect)
{
    drawBevel(rect, false);
}

void CGraphics::drawBevel(const MathTools::CRect& rect, bool raised)
{
    drawFilledBorderedRectangle(rect);
    const CAlphaColour penColour = m_pen.getColour();
    CAlphaColour dark = penColour;
    dark.darken();
    CAlphaColour light = penColour;
    light.brighten();
    light.brighten();

    const long l = rect.getLeft();
    const long t = rect.getTop();
    const long r = rect.getRight();
    const long b = rect.getBottom();
    // Bottom and right edges, then left and top edges, one pixel inside the border.
    m_pen.setColour(raised ? dark : light);
    drawLine(MathTools::CPoint(l + 1, b - 1), MathTools::CPoint(r - 1, b - 1));
    drawLine(MathTools::CPoint(r - 1, t + 1), MathTools::CPoint(r - 1, b - 1));
    m_pen.setColour(raised ? light : dark);
    drawLine(MathTools::CPoint(l + 1, t + 1), MathTools::CPoint(l + 1, b - 1));
    drawLine(MathTools::CPoint(l + 1, t + 1), MathTools::CPoint(r - 1, t + 1));
    m_pen.setColour(penColour);
}

void CGraphics::drawShadedRectangle(const MathTools::CRect& rect)
{
    const long width = rect.getWidth();
    const long height = rect.getHeight();
    const long half = height / 2;
    const CAlphaColour penColour = m_pen.getColour();
    // Too flat to shade: a single row has no way towards white.
    auto step = [half](long component) { return half > 0 ? (255 - component) / half : 0; };
    const long stepRed = step(penColour.getRed());
    const long stepGreen = step(penColour.getGreen());
    const long stepBlue = step(penColour.getBlue());
    CAlphaColour current = penColour;
    for (long i = 0; i < height; i++)
    {
        m_pen.setColour(current);
        drawLine(MathTools::CPoint(0, i), MathTools::CPoint(width, i));
        const long direction = (i < half) ? 1 : -1;
        current.setColour(current.getRed() + direction * stepRed, current.getGreen() + direction * stepGreen,
                          current.getBlue() + direction * stepBlue, current.getAlpha());
    }
    m_pen.setColour(penColour);
}

// ---- images ----

void CGraphics::drawImage(IImage* image, const MathTools::CRect& destination, const MathTools::CRect& source)
{
    if (!m_target || image == nullptr || !image->hasImageLoaded() || image->getImageHandle() == nullptr)
    {
        return;
    }
    if (image->hasAlpha())
    {
        drawAlphaImage(image, destination, source, 1.0);
        return;
    }
    if (m_scale != 1.0 || image->getImageDensity() != 1)
    {
        drawScaledImage(image, destination, source, false, 255);
        return;
    }
    // Without alpha: a plain copy, scaled only when the destination differs from the image's size.
    const bool sameSize = destination.getWidth() == image->getImageSize().getWidth() &&
                          destination.getHeight() == image->getImageSize().getHeight();
    const MathTools::CRect& from = sameSize ? destination : source;
    const Platform::SPixelRect sourceArea{
        static_cast<int>(source.getLeft()), static_cast<int>(source.getTop()),
        static_cast<int>(from.getWidth()), static_cast<int>(from.getHeight())};
    m_target->drawSurface(*image->getImageHandle(), sourceArea, toDevice(destination), false, 255);
}

void CGraphics::drawAlphaImage(IImage* image, const MathTools::CRect& destination,
                               const MathTools::CRect& source, double alpha)
{
    if (!m_target || image == nullptr || !image->hasImageLoaded() || !image->hasAlpha() ||
        image->getImageHandle() == nullptr)
    {
        return;
    }
    const int constantAlpha = static_cast<int>(alpha * 255.0) & 0xFF;
    if (m_scale != 1.0 || image->getImageDensity() != 1)
    {
        drawScaledImage(image, destination, source, true, constantAlpha);
        return;
    }
    const Platform::SPixelRect from{static_cast<int>(source.getLeft()), static_cast<int>(source.getTop()),
                                    static_cast<int>(source.getWidth()),
                                    static_cast<int>(source.getHeight())};
    m_target->drawSurface(*image->getImageHandle(), from, toDevice(destination), true, constantAlpha);
}

// A picture whose density differs from the scale (or any picture at a scale): the logical
// source area, in the picture's pixels, goes onto the device pixels of the destination.
// Where the two match in size the pixels are copied as they are; otherwise they are resampled.
void CGraphics::drawScaledImage(IImage* image, const MathTools::CRect& destination,
                                const MathTools::CRect& source, bool blend, int constantAlpha)
{
    Platform::IDrawingSurface& pixels = *image->getImageHandle();
    const double density = image->getImageDensity();
    const Platform::SPixelRect target = toDevice(destination);
    const Platform::SPixelRect from{static_cast<int>(std::lround(source.getLeft() * density)),
                                    static_cast<int>(std::lround(source.getTop() * density)),
                                    static_cast<int>(std::lround(source.getWidth() * density)),
                                    static_cast<int>(std::lround(source.getHeight() * density))};
    if (target.isEmpty() || from.isEmpty())
    {
        return;
    }
    if (from.width == target.width && from.height == target.height && density == m_scale)
    {
        m_target->drawSurface(pixels, from, target, blend, constantAlpha);
        return;
    }
    Platform::SPixelRect area = target;
    if (m_clip.isClipping())
    {
        area = Platform::PixelTools::intersect(area, pixelRect(m_clip.getDeviceClipArea()));
    }
    if (area.isEmpty())
    {
        return;
    }
    // Where picture pixel 0 of the source area lands, in device pixels (fractional at
    // fractional scales, so that pieces drawn apart line up).
    MathTools::CRect moved = destination;
    moved.offset(m_offset);
    const double ratio = m_scale / density;
    Resampler::SPlacement placement;
    placement.ratio = ratio;
    placement.originX = static_cast<double>(moved.getLeft()) * m_scale - from.x * ratio;
    placement.originY = static_cast<double>(moved.getTop()) * m_scale - from.y * ratio;
    placement.area = area;
    int sourceStride = 0;
    const std::uint32_t* sourcePixels = pixels.lockPixels(sourceStride);
    int targetStride = 0;
    std::uint32_t* targetPixels = m_target->lockPixels(targetStride);
    Resampler::draw({sourcePixels, sourceStride, pixels.getWidth(), pixels.getHeight()},
                    {targetPixels, targetStride, m_target->getWidth(), m_target->getHeight()}, placement,
                    blend, constantAlpha);
    m_target->unlockPixels();
    pixels.unlockPixels();
}

// ---- text ----

void CGraphics::drawText(const Basics::CString& text, const MathTools::CRect& area, Fonts::CFont* font,
                         const long alignment)
{
    if (!m_target)
    {
        return;
    }
    Fonts::CFont* used = font ? font : Fonts::CFont::getDefaultFont();
    const long aligned =
        (alignment >= Fonts::kLeftTop && alignment <= Fonts::kDefaultSingleLine) ? alignment : 0;
    Platform::SFontDescription native = used->getNativeFont();
    native.size = deviceLength(native.size);
    m_target->drawText(text.getString(), toDevice(area), native, m_textColour.getARGB(),
                       static_cast<int>(aligned));
}

bool CGraphics::getTextExtent(const Basics::CString& text, MathTools::CDimension& size, Fonts::CFont* font)
{
    if (font == nullptr)
    {
        return false;
    }
    Platform::SPixelSize measured;
    if (!Platform::measureText(text.getString(), font->getNativeFont(), measured))
    {
        return false;
    }
    size.setDimension(measured.width, measured.height);
    return true;
}

long CGraphics::getTextWidth(const Basics::CString& text, Fonts::CFont* font)
{
    MathTools::CDimension size;
    return getTextExtent(text, size, font ? font : Fonts::CFont::getDefaultFont()) ? size.getWidth() : 0;
}

} // namespace Vantor::GUI::Graphics
