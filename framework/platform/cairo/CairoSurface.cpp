#include "framework/platform/cairo/CairoSurface.hpp"

#include "framework/platform/PixelTools.hpp"
#include "framework/platform/cairo/CairoText.hpp"

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace Vantor::Platform
{

VANTOR_DEFINE_CLASS(Vantor::Platform::CCairoSurface, "CCairoSurface", "IDrawingSurface")

namespace
{

using PixelTools::intersect;
using PixelTools::premultiply;

cairo_line_cap_t cairoCap(ELineCap cap)
{
    switch (cap)
    {
    case ELineCap::Square:
        return CAIRO_LINE_CAP_SQUARE;
    case ELineCap::Round:
        return CAIRO_LINE_CAP_ROUND;
    default:
        return CAIRO_LINE_CAP_BUTT;
    }
}

// Adds an ellipse (or an arc of it) inscribed in a box given in double precision.
void addEllipticArc(cairo_t* context, double x, double y, double width, double height, double from, double to,
                    bool clockwise)
{
    cairo_save(context);
    cairo_translate(context, x + width / 2.0, y + height / 2.0);
    cairo_scale(context, width / 2.0, height / 2.0);
    if (clockwise)
    {
        cairo_arc(context, 0.0, 0.0, 1.0, from, to);
    }
    else
    {
        cairo_arc_negative(context, 0.0, 0.0, 1.0, from, to);
    }
    cairo_restore(context);
}

// Rounded-rectangle path: top edge first, then clockwise, corner ellipses of the given size.
void addRoundedRectangle(cairo_t* context, double x, double y, double width, double height,
                         double cornerWidth, double cornerHeight)
{
    const double rx = std::clamp(cornerWidth / 2.0, 0.0, width / 2.0);
    const double ry = std::clamp(cornerHeight / 2.0, 0.0, height / 2.0);
    constexpr double quarter = std::numbers::pi / 2.0;
    cairo_new_path(context);
    if (rx <= 0.0 || ry <= 0.0)
    {
        cairo_rectangle(context, x, y, width, height);
        return;
    }
    cairo_move_to(context, x + rx, y);
    addEllipticArc(context, x + width - 2 * rx, y, 2 * rx, 2 * ry, -quarter, 0.0, true);
    addEllipticArc(context, x + width - 2 * rx, y + height - 2 * ry, 2 * rx, 2 * ry, 0.0, quarter, true);
    addEllipticArc(context, x, y + height - 2 * ry, 2 * rx, 2 * ry, quarter, 2 * quarter, true);
    addEllipticArc(context, x, y, 2 * rx, 2 * ry, 2 * quarter, 3 * quarter, true);
    cairo_close_path(context);
}

} // namespace

CCairoSurface::CCairoSurface(cairo_surface_t* surface) : m_surface(surface), m_context(cairo_create(surface))
{
}

CCairoSurface::~CCairoSurface()
{
    cairo_destroy(m_context);
    cairo_surface_destroy(m_surface);
}

int CCairoSurface::getWidth() const
{
    return cairo_image_surface_get_width(m_surface);
}

int CCairoSurface::getHeight() const
{
    return cairo_image_surface_get_height(m_surface);
}

uint32_t* CCairoSurface::lockPixels(int& stride)
{
    cairo_surface_flush(m_surface);
    m_locked = true;
    stride = cairo_image_surface_get_stride(m_surface) / 4;
    return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(m_surface));
}

void CCairoSurface::unlockPixels()
{
    if (m_locked)
    {
        cairo_surface_mark_dirty(m_surface);
        m_locked = false;
    }
}

uint32_t CCairoSurface::getPixel(int x, int y)
{
    if (x < 0 || y < 0 || x >= getWidth() || y >= getHeight())
    {
        return 0;
    }
    cairo_surface_flush(m_surface);
    const int stride = cairo_image_surface_get_stride(m_surface) / 4;
    return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(m_surface))[y * stride + x];
}

void CCairoSurface::setClip(const SPixelRect& area)
{
    m_clipped = true;
    m_clip = intersect(area, {0, 0, getWidth(), getHeight()});
    cairo_reset_clip(m_context);
    cairo_new_path(m_context);
    cairo_rectangle(m_context, m_clip.x, m_clip.y, m_clip.width, m_clip.height);
    cairo_clip(m_context);
}

void CCairoSurface::resetClip()
{
    m_clipped = false;
    cairo_reset_clip(m_context);
}

void CCairoSurface::clear(uint32_t colour)
{
    cairo_save(m_context);
    cairo_reset_clip(m_context);
    cairo_set_operator(m_context, CAIRO_OPERATOR_SOURCE);
    setSourceColour(colour);
    cairo_paint(m_context);
    cairo_restore(m_context);
}

bool CCairoSurface::insideClip(int x, int y) const
{
    if (x < 0 || y < 0 || x >= getWidth() || y >= getHeight())
    {
        return false;
    }
    return !m_clipped || (x >= m_clip.x && y >= m_clip.y && x < m_clip.right() && y < m_clip.bottom());
}

void CCairoSurface::plot(uint32_t* pixels, int stride, int x, int y, uint32_t premultiplied)
{
    if (insideClip(x, y))
    {
        pixels[y * stride + x] = premultiplied;
    }
}

void CCairoSurface::setPixel(int x, int y, uint32_t colour)
{
    if (!insideClip(x, y))
    {
        return;
    }
    int stride = 0;
    uint32_t* pixels = lockPixels(stride);
    plot(pixels, stride, x, y, premultiply(colour));
    unlockPixels();
}

void CCairoSurface::drawPenLine(SPixelPoint from, SPixelPoint to, uint32_t colour)
{
    const uint32_t value = premultiply(colour);
    int stride = 0;
    uint32_t* pixels = lockPixels(stride);
    PixelTools::forEachPenLinePixel(from, to, [&](int x, int y) { plot(pixels, stride, x, y, value); });
    unlockPixels();
}

void CCairoSurface::setSourceColour(uint32_t colour)
{
    cairo_set_source_rgba(m_context, redOf(colour) / 255.0, greenOf(colour) / 255.0, blueOf(colour) / 255.0,
                          alphaOf(colour) / 255.0);
}

void CCairoSurface::beginShape(bool antiAlias)
{
    cairo_set_antialias(m_context, antiAlias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
    cairo_set_operator(m_context, CAIRO_OPERATOR_OVER);
    cairo_new_path(m_context);
}

void CCairoSurface::strokeLine(SPixelPoint from, SPixelPoint to, uint32_t colour, int width, ELineCap cap,
                               bool antiAlias)
{
    if (!antiAlias && width <= 1)
    {
        // A one-pixel aliased line is the pen line plus its end point.
        drawPenLine(from, to, colour);
        setPixel(to.x, to.y, colour);
        return;
    }
    beginShape(antiAlias);
    setSourceColour(colour);
    cairo_set_line_width(m_context, std::max(width, 1));
    cairo_set_line_cap(m_context, cairoCap(cap));
    cairo_move_to(m_context, from.x + 0.5, from.y + 0.5);
    cairo_line_to(m_context, to.x + 0.5, to.y + 0.5);
    cairo_stroke(m_context);
}

void CCairoSurface::fillRectangle(const SPixelRect& area, uint32_t colour)
{
    if (area.isEmpty())
    {
        return;
    }
    beginShape(false);
    setSourceColour(colour);
    cairo_rectangle(m_context, area.x, area.y, area.width, area.height);
    cairo_fill(m_context);
}

void CCairoSurface::strokeRectangle(const SPixelRect& area, uint32_t colour, int width)
{
    if (area.isEmpty())
    {
        return;
    }
    beginShape(false);
    setSourceColour(colour);
    cairo_set_line_width(m_context, std::max(width, 1));
    cairo_set_line_join(m_context, CAIRO_LINE_JOIN_MITER);
    cairo_rectangle(m_context, area.x + 0.5, area.y + 0.5, area.width - 1, area.height - 1);
    cairo_stroke(m_context);
}

void CCairoSurface::fillRoundedRectangle(const SPixelRect& area, int cornerWidth, int cornerHeight,
                                         uint32_t colour, bool antiAlias)
{
    if (area.isEmpty())
    {
        return;
    }
    beginShape(antiAlias);
    setSourceColour(colour);
    addRoundedRectangle(m_context, area.x, area.y, area.width, area.height, cornerWidth, cornerHeight);
    cairo_fill(m_context);
}

void CCairoSurface::strokeRoundedRectangle(const SPixelRect& area, int cornerWidth, int cornerHeight,
                                           uint32_t colour, int width, bool antiAlias)
{
    if (area.isEmpty())
    {
        return;
    }
    beginShape(antiAlias);
    setSourceColour(colour);
    cairo_set_line_width(m_context, std::max(width, 1));
    addRoundedRectangle(m_context, area.x + 0.5, area.y + 0.5, area.width - 1, area.height - 1, cornerWidth,
                        cornerHeight);
    cairo_stroke(m_context);
}

void CCairoSurface::fillEllipse(const SPixelRect& bounds, uint32_t colour, bool antiAlias)
{
    if (bounds.isEmpty())
    {
        return;
    }
    beginShape(antiAlias);
    setSourceColour(colour);
    addEllipticArc(m_context, bounds.x, bounds.y, bounds.width, bounds.height, 0.0, 2 * std::numbers::pi,
                   true);
    cairo_fill(m_context);
}

void CCairoSurface::strokeArc(const SPixelRect& bounds, SPixelPoint start, SPixelPoint end, bool clockwise,
                              uint32_t colour, int width, bool antiAlias)
{
    // The stroke runs through the centres of the outermost pixels of bounds.
    const double x = bounds.x + 0.5;
    const double y = bounds.y + 0.5;
    const double w = bounds.width - 1.0;
    const double h = bounds.height - 1.0;
    if (w <= 0.0 || h <= 0.0)
    {
        return;
    }
    const double cx = x + w / 2.0;
    const double cy = y + h / 2.0;
    // Angle of the ray through a point, measured on the unit circle the ellipse is scaled from.
    const auto angleOf = [&](SPixelPoint p)
    { return std::atan2((p.y + 0.5 - cy) / h, (p.x + 0.5 - cx) / w); };
    const double from = angleOf(start);
    double to = angleOf(end);
    if (start.x == end.x && start.y == end.y)
    {
        to = from + (clockwise ? 2.0 : -2.0) * std::numbers::pi;
    }
    beginShape(antiAlias);
    setSourceColour(colour);
    cairo_set_line_width(m_context, std::max(width, 1));
    addEllipticArc(m_context, x, y, w, h, from, to, clockwise);
    cairo_stroke(m_context);
}

void CCairoSurface::fillPolygon(const SPixelPoint* points, int count, uint32_t colour, bool antiAlias)
{
    if (points == nullptr || count < 3)
    {
        return;
    }
    beginShape(antiAlias);
    setSourceColour(colour);
    cairo_move_to(m_context, points[0].x, points[0].y);
    for (int i = 1; i < count; ++i)
    {
        cairo_line_to(m_context, points[i].x, points[i].y);
    }
    cairo_close_path(m_context);
    cairo_set_fill_rule(m_context, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(m_context);
    cairo_set_fill_rule(m_context, CAIRO_FILL_RULE_WINDING);
}

void CCairoSurface::drawSurface(IDrawingSurface& source, const SPixelRect& sourceArea,
                                const SPixelRect& destination, bool blend, int constantAlpha)
{
    auto* cairoSource = dynamic_cast<CCairoSurface*>(&source);
    if (cairoSource == nullptr || cairoSource == this || sourceArea.isEmpty() || destination.isEmpty())
    {
        return;
    }
    const bool sameSize = sourceArea.width == destination.width && sourceArea.height == destination.height;
    cairo_save(m_context);
    cairo_new_path(m_context);
    cairo_rectangle(m_context, destination.x, destination.y, destination.width, destination.height);
    cairo_clip(m_context);
    cairo_translate(m_context, destination.x, destination.y);
    cairo_scale(m_context, static_cast<double>(destination.width) / sourceArea.width,
                static_cast<double>(destination.height) / sourceArea.height);
    cairo_set_source_surface(m_context, cairoSource->m_surface, -sourceArea.x, -sourceArea.y);
    cairo_pattern_t* pattern = cairo_get_source(m_context);
    cairo_pattern_set_filter(pattern, sameSize || !blend ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    if (blend)
    {
        cairo_set_operator(m_context, CAIRO_OPERATOR_OVER);
        cairo_paint_with_alpha(m_context, std::clamp(constantAlpha, 0, 255) / 255.0);
    }
    else
    {
        cairo_set_operator(m_context, CAIRO_OPERATOR_SOURCE);
        cairo_paint(m_context);
    }
    cairo_restore(m_context);
}

void CCairoSurface::drawText(const std::string& text, const SPixelRect& area, const SFontDescription& font,
                             uint32_t colour, int alignment)
{
    if (text.empty())
    {
        return;
    }
    const std::string utf8 = CairoText::latin1ToUtf8(text);
    cairo_save(m_context);
    // Text that does not fit is cut at the area's edges (never wrapped or trimmed), as GDI does.
    cairo_new_path(m_context);
    cairo_rectangle(m_context, area.x, area.y, std::max(area.width, 0), std::max(area.height, 0));
    cairo_clip(m_context);
    cairo_set_operator(m_context, CAIRO_OPERATOR_OVER);
    cairo_set_antialias(m_context, CAIRO_ANTIALIAS_DEFAULT);
    CairoText::selectFont(m_context, font);
    const CairoText::STextPlacement placement = CairoText::placeText(m_context, utf8, area, alignment);
    setSourceColour(colour);
    cairo_new_path(m_context);
    cairo_move_to(m_context, placement.originX, placement.baselineY);
    cairo_show_text(m_context, utf8.c_str());
    cairo_restore(m_context);
}

void keepDrawingLibrariesLoaded()
{
    // cairo is kept, and with it everything it loaded (pixman, fontconfig, freetype,
    // libpng). The handle is never closed, on purpose.
    Dl_info library{};
    if (dladdr(reinterpret_cast<void*>(&cairo_create), &library) != 0 && library.dli_fname != nullptr)
    {
        dlopen(library.dli_fname, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
    }
}

std::unique_ptr<IDrawingSurface> createDrawingSurface(int width, int height, uint32_t fillColour)
{
    if (width < 0 || height < 0)
    {
        return nullptr;
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    auto result = std::make_unique<CCairoSurface>(surface);
    result->clear(fillColour);
    return result;
}

bool measureText(const std::string& text, const SFontDescription& font, SPixelSize& size)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* context = cairo_create(surface);
    CairoText::selectFont(context, font);
    const std::string utf8 = CairoText::latin1ToUtf8(text);
    const CairoText::STextPlacement placement = CairoText::placeText(context, utf8, {0, 0, 0, 0}, 0);
    const bool measured = cairo_status(context) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(context);
    cairo_surface_destroy(surface);
    if (measured)
    {
        size.width = static_cast<int>(placement.width);
        size.height = static_cast<int>(placement.height);
    }
    return measured;
}

} // namespace Vantor::Platform
