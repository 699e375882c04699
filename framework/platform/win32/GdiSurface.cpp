#include "framework/platform/win32/GdiSurface.hpp"

#include "framework/platform/PixelTools.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Vantor::Platform
{

VANTOR_DEFINE_CLASS(Vantor::Platform::CGdiSurface, "CGdiSurface", "IDrawingSurface")

using namespace GdiplusSupport;

namespace
{

constexpr double kPi = 3.14159265358979323846;

// Owners of short-lived GDI+ objects.
struct SSolidBrush
{
    explicit SSolidBrush(uint32_t colour) { GdipCreateSolidFill(colour, &brush); }
    ~SSolidBrush()
    {
        if (brush != nullptr)
        {
            GdipDeleteBrush(brush);
        }
    }
    SSolidBrush(const SSolidBrush&) = delete;
    SSolidBrush& operator=(const SSolidBrush&) = delete;
    GpSolidFill* brush = nullptr;
};

struct SPen
{
    SPen(uint32_t colour, int width)
    {
        GdipCreatePen1(colour, static_cast<REAL>(std::max(width, 1)), UnitPixel, &pen);
    }
    ~SPen()
    {
        if (pen != nullptr)
        {
            GdipDeletePen(pen);
        }
    }
    SPen(const SPen&) = delete;
    SPen& operator=(const SPen&) = delete;
    GpPen* pen = nullptr;
};

struct SPath
{
    SPath() { GdipCreatePath(FillModeAlternate, &path); }
    ~SPath()
    {
        if (path != nullptr)
        {
            GdipDeletePath(path);
        }
    }
    SPath(const SPath&) = delete;
    SPath& operator=(const SPath&) = delete;
    GpPath* path = nullptr;
};

// Rounded-rectangle path: corner ellipses of the given size, clockwise from the top right.
void addRoundedRectangle(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL cornerWidth,
                         REAL cornerHeight)
{
    const REAL rx = std::clamp(cornerWidth / 2, REAL(0), width / 2);
    const REAL ry = std::clamp(cornerHeight / 2, REAL(0), height / 2);
    if (rx <= 0 || ry <= 0)
    {
        GdipAddPathRectangle(path, x, y, width, height);
        return;
    }
    GdipAddPathArc(path, x + width - 2 * rx, y, 2 * rx, 2 * ry, 270, 90);
    GdipAddPathArc(path, x + width - 2 * rx, y + height - 2 * ry, 2 * rx, 2 * ry, 0, 90);
    GdipAddPathArc(path, x, y + height - 2 * ry, 2 * rx, 2 * ry, 90, 90);
    GdipAddPathArc(path, x, y, 2 * rx, 2 * ry, 180, 90);
    GdipClosePathFigure(path);
}

LineCap gdiplusCap(ELineCap cap)
{
    switch (cap)
    {
    case ELineCap::Square:
        return LineCapSquare;
    case ELineCap::Round:
        return LineCapRound;
    default:
        return LineCapFlat;
    }
}

StringAlignment gdiplusAlignment(PixelTools::EPlace place)
{
    switch (place)
    {
    case PixelTools::EPlace::Centre:
        return StringAlignmentCenter;
    case PixelTools::EPlace::End:
        return StringAlignmentFar;
    default:
        return StringAlignmentNear;
    }
}

} // namespace

std::unique_ptr<CGdiSurface> CGdiSurface::create(int width, int height)
{
    if (width < 0 || height < 0)
    {
        return nullptr;
    }
    std::unique_ptr<CGdiSurface> surface(new CGdiSurface());
    surface->m_width = width;
    surface->m_height = height;
    // A DIB section cannot be empty; an empty surface keeps one hidden pixel.
    const int bitmapWidth = std::max(width, 1);
    const int bitmapHeight = std::max(height, 1);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bitmapWidth;
    info.bmiHeader.biHeight = -bitmapHeight; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    surface->m_deviceContext = CreateCompatibleDC(nullptr);
    if (surface->m_deviceContext == nullptr)
    {
        return nullptr;
    }
    void* bits = nullptr;
    surface->m_bitmap = CreateDIBSection(surface->m_deviceContext, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (surface->m_bitmap == nullptr || bits == nullptr)
    {
        return nullptr;
    }
    surface->m_pixels = static_cast<uint32_t*>(bits);
    surface->m_previousBitmap = SelectObject(surface->m_deviceContext, surface->m_bitmap);
    // GDI+ keeps its default pixel offset: pixel centres lie on integer coordinates, so a
    // one-pixel stroke through (x, y) lights exactly that pixel and a fill of [x, x + w) the
    // pixels x .. x + w - 1.
    if (start() &&
        GdipCreateBitmapFromScan0(bitmapWidth, bitmapHeight, bitmapWidth * 4, PixelFormat32bppPARGB,
                                  static_cast<BYTE*>(bits), &surface->m_gdiplusBitmap) == Ok &&
        GdipGetImageGraphicsContext(surface->m_gdiplusBitmap, &surface->m_graphics) == Ok)
    {
        GdipSetPixelOffsetMode(surface->m_graphics, PixelOffsetModeNone);
    }
    return surface;
}

CGdiSurface::~CGdiSurface()
{
    if (m_graphics != nullptr)
    {
        GdipDeleteGraphics(m_graphics);
    }
    if (m_gdiplusBitmap != nullptr)
    {
        GdipDisposeImage(m_gdiplusBitmap);
    }
    if (m_deviceContext != nullptr)
    {
        if (m_previousBitmap != nullptr)
        {
            SelectObject(m_deviceContext, m_previousBitmap);
        }
        DeleteDC(m_deviceContext);
    }
    if (m_bitmap != nullptr)
    {
        DeleteObject(m_bitmap);
    }
}

void CGdiSurface::flush()
{
    if (m_graphics != nullptr)
    {
        GdipFlush(m_graphics, FlushIntentionSync);
    }
    GdiFlush();
}

HDC CGdiSurface::getDeviceContext()
{
    flush();
    return m_deviceContext;
}

uint32_t* CGdiSurface::lockPixels(int& stride)
{
    flush();
    stride = std::max(m_width, 1);
    return m_pixels;
}

uint32_t CGdiSurface::getPixel(int x, int y)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
    {
        return 0;
    }
    flush();
    return m_pixels[y * m_width + x];
}

void CGdiSurface::setClip(const SPixelRect& area)
{
    m_clipped = true;
    m_clip = PixelTools::intersect(area, {0, 0, m_width, m_height});
    if (m_graphics != nullptr)
    {
        GdipSetClipRectI(m_graphics, m_clip.x, m_clip.y, m_clip.width, m_clip.height, CombineModeReplace);
    }
    SelectClipRgn(m_deviceContext, nullptr);
    IntersectClipRect(m_deviceContext, m_clip.x, m_clip.y, m_clip.right(), m_clip.bottom());
}

void CGdiSurface::resetClip()
{
    m_clipped = false;
    if (m_graphics != nullptr)
    {
        GdipResetClip(m_graphics);
    }
    SelectClipRgn(m_deviceContext, nullptr);
}

void CGdiSurface::clear(uint32_t colour)
{
    flush();
    std::fill_n(m_pixels, std::max(m_width, 1) * std::max(m_height, 1), PixelTools::premultiply(colour));
}

bool CGdiSurface::insideClip(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
    {
        return false;
    }
    return !m_clipped || (x >= m_clip.x && y >= m_clip.y && x < m_clip.right() && y < m_clip.bottom());
}

void CGdiSurface::setPixel(int x, int y, uint32_t colour)
{
    if (insideClip(x, y))
    {
        flush();
        m_pixels[y * m_width + x] = PixelTools::premultiply(colour);
    }
}

void CGdiSurface::drawPenLine(SPixelPoint from, SPixelPoint to, uint32_t colour)
{
    flush();
    const uint32_t value = PixelTools::premultiply(colour);
    PixelTools::forEachPenLinePixel(from, to,
                                    [&](int x, int y)
                                    {
                                        if (insideClip(x, y))
                                        {
                                            m_pixels[y * m_width + x] = value;
                                        }
                                    });
}

bool CGdiSurface::beginShape(bool antiAlias)
{
    if (m_graphics == nullptr)
    {
        return false;
    }
    GdipSetSmoothingMode(m_graphics, antiAlias ? SmoothingModeAntiAlias : SmoothingModeNone);
    return true;
}

void CGdiSurface::strokeLine(SPixelPoint from, SPixelPoint to, uint32_t colour, int width, ELineCap cap,
                             bool antiAlias)
{
    if (!antiAlias && width <= 1)
    {
        // A one-pixel aliased line is the pen line plus its end point.
        drawPenLine(from, to, colour);
        setPixel(to.x, to.y, colour);
        return;
    }
    if (!beginShape(antiAlias))
    {
        return;
    }
    SPen pen(colour, width);
    GdipSetPenStartCap(pen.pen, gdiplusCap(cap));
    GdipSetPenEndCap(pen.pen, gdiplusCap(cap));
    GdipDrawLineI(m_graphics, pen.pen, from.x, from.y, to.x, to.y);
}

void CGdiSurface::fillRectangle(const SPixelRect& area, uint32_t colour)
{
    if (area.isEmpty() || !beginShape(false))
    {
        return;
    }
    SSolidBrush brush(colour);
    GdipFillRectangleI(m_graphics, brush.brush, area.x, area.y, area.width, area.height);
}

void CGdiSurface::strokeRectangle(const SPixelRect& area, uint32_t colour, int width)
{
    if (area.isEmpty() || !beginShape(false))
    {
        return;
    }
    SPen pen(colour, width);
    GdipDrawRectangleI(m_graphics, pen.pen, area.x, area.y, area.width - 1, area.height - 1);
}

void CGdiSurface::fillRoundedRectangle(const SPixelRect& area, int cornerWidth, int cornerHeight,
                                       uint32_t colour, bool antiAlias)
{
    if (area.isEmpty() || !beginShape(antiAlias))
    {
        return;
    }
    SPath path;
    addRoundedRectangle(path.path, static_cast<REAL>(area.x), static_cast<REAL>(area.y),
                        static_cast<REAL>(area.width), static_cast<REAL>(area.height),
                        static_cast<REAL>(cornerWidth), static_cast<REAL>(cornerHeight));
    SSolidBrush brush(colour);
    GdipFillPath(m_graphics, brush.brush, path.path);
}

void CGdiSurface::strokeRoundedRectangle(const SPixelRect& area, int cornerWidth, int cornerHeight,
                                         uint32_t colour, int width, bool antiAlias)
{
    if (area.isEmpty() || !beginShape(antiAlias))
    {
        return;
    }
    SPath path;
    addRoundedRectangle(path.path, static_cast<REAL>(area.x), static_cast<REAL>(area.y),
                        static_cast<REAL>(area.width - 1), static_cast<REAL>(area.height - 1),
                        static_cast<REAL>(cornerWidth), static_cast<REAL>(cornerHeight));
    SPen pen(colour, width);
    GdipDrawPath(m_graphics, pen.pen, path.path);
}

void CGdiSurface::fillEllipse(const SPixelRect& bounds, uint32_t colour, bool antiAlias)
{
    if (bounds.isEmpty() || !beginShape(antiAlias))
    {
        return;
    }
    SSolidBrush brush(colour);
    GdipFillEllipseI(m_graphics, brush.brush, bounds.x, bounds.y, bounds.width, bounds.height);
}

void CGdiSurface::strokeArc(const SPixelRect& bounds, SPixelPoint start, SPixelPoint end, bool clockwise,
                            uint32_t colour, int width, bool antiAlias)
{
    // The stroke runs through the centres of the outermost pixels of bounds.
    const double x = bounds.x;
    const double y = bounds.y;
    const double w = bounds.width - 1.0;
    const double h = bounds.height - 1.0;
    if (w <= 0.0 || h <= 0.0 || !beginShape(antiAlias))
    {
        return;
    }
    const double cx = x + w / 2.0;
    const double cy = y + h / 2.0;
    // GDI+ measures arc angles in degrees, clockwise on the screen, along the ray through a point.
    const auto angleOf = [&](SPixelPoint p) { return std::atan2(p.y - cy, p.x - cx) * 180.0 / kPi; };
    const double from = angleOf(start);
    double sweep = angleOf(end) - from;
    if (start.x == end.x && start.y == end.y)
    {
        sweep = clockwise ? 360.0 : -360.0;
    }
    else if (clockwise)
    {
        sweep = sweep <= 0.0 ? sweep + 360.0 : sweep;
    }
    else
    {
        sweep = sweep >= 0.0 ? sweep - 360.0 : sweep;
    }
    SPen pen(colour, width);
    GdipDrawArc(m_graphics, pen.pen, static_cast<REAL>(x), static_cast<REAL>(y), static_cast<REAL>(w),
                static_cast<REAL>(h), static_cast<REAL>(from), static_cast<REAL>(sweep));
}

void CGdiSurface::fillPolygon(const SPixelPoint* points, int count, uint32_t colour, bool antiAlias)
{
    if (points == nullptr || count < 3 || !beginShape(antiAlias))
    {
        return;
    }
    std::vector<Point> corners;
    corners.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
    {
        corners.emplace_back(points[i].x, points[i].y);
    }
    SSolidBrush brush(colour);
    GdipFillPolygonI(m_graphics, brush.brush, corners.data(), count, FillModeAlternate);
}

void CGdiSurface::drawSurface(IDrawingSurface& source, const SPixelRect& sourceArea,
                              const SPixelRect& destination, bool blend, int constantAlpha)
{
    auto* gdiSource = dynamic_cast<CGdiSurface*>(&source);
    if (gdiSource == nullptr || gdiSource == this || sourceArea.isEmpty() || destination.isEmpty())
    {
        return;
    }
    HDC sourceContext = gdiSource->getDeviceContext();
    flush();
    if (blend)
    {
        BLENDFUNCTION function{};
        function.BlendOp = AC_SRC_OVER;
        function.BlendFlags = 0;
        function.SourceConstantAlpha = static_cast<BYTE>(std::clamp(constantAlpha, 0, 255));
        function.AlphaFormat = AC_SRC_ALPHA;
        AlphaBlend(m_deviceContext, destination.x, destination.y, destination.width, destination.height,
                   sourceContext, sourceArea.x, sourceArea.y, sourceArea.width, sourceArea.height, function);
    }
    else if (sourceArea.width == destination.width && sourceArea.height == destination.height)
    {
        BitBlt(m_deviceContext, destination.x, destination.y, destination.width, destination.height,
               sourceContext, sourceArea.x, sourceArea.y, SRCCOPY);
    }
    else
    {
        SetStretchBltMode(m_deviceContext, COLORONCOLOR);
        StretchBlt(m_deviceContext, destination.x, destination.y, destination.width, destination.height,
                   sourceContext, sourceArea.x, sourceArea.y, sourceArea.width, sourceArea.height, SRCCOPY);
    }
    GdiFlush();
}

void CGdiSurface::drawText(const std::string& text, const SPixelRect& area, const SFontDescription& font,
                           uint32_t colour, int alignment)
{
    if (text.empty() || !beginShape(true))
    {
        return;
    }
    const GdiplusSupport::CGdiplusFont gdiplusFont(font.faceName, font.size, font.bold, font.italic);
    GpStringFormat* format = nullptr;
    if (gdiplusFont.get() == nullptr ||
        GdipCreateStringFormat(StringFormatFlagsNoWrap, LANG_NEUTRAL, &format) != Ok)
    {
        return;
    }
    GdipSetStringFormatTrimming(format, StringTrimmingNone);
    GdipSetStringFormatAlign(format, gdiplusAlignment(PixelTools::horizontalPlaceOf(alignment)));
    GdipSetStringFormatLineAlign(format, gdiplusAlignment(PixelTools::verticalPlaceOf(alignment)));
    GdipSetTextRenderingHint(m_graphics, TextRenderingHintAntiAlias);
    SSolidBrush brush(colour);
    const std::wstring wide = toWide(text);
    // The line is laid out in a box at least as large as the text, placed in the
    // area by the alignment, and cut at the area's edges by a clip. Left to lay out
    // in the area itself, some GDI+ implementations drop every glyph that does
    // not fit whole instead of cutting the line at the edge (wine's does).
    RectF measured(0, 0, 0, 0);
    const RectF unbounded(0, 0, 1.0e6f, 1.0e6f);
    GdipMeasureString(m_graphics, wide.c_str(), static_cast<INT>(wide.size()), gdiplusFont.get(), &unbounded,
                      format, &measured, nullptr, nullptr);
    const auto place = [](int start, int size, REAL needed, PixelTools::EPlace where)
    {
        const REAL extent = std::max(static_cast<REAL>(size), std::ceil(needed) + 1.0f);
        const REAL spare = static_cast<REAL>(size) - extent;
        const REAL offset = where == PixelTools::EPlace::Centre ? spare / 2.0f
                            : where == PixelTools::EPlace::End  ? spare
                                                                : 0.0f;
        return std::pair(static_cast<REAL>(start) + offset, extent);
    };
    const auto [x, width] =
        place(area.x, area.width, measured.Width, PixelTools::horizontalPlaceOf(alignment));
    const auto [y, height] =
        place(area.y, area.height, measured.Height, PixelTools::verticalPlaceOf(alignment));
    const RectF layout(x, y, width, height);
    GraphicsState state = 0;
    GdipSaveGraphics(m_graphics, &state);
    GdipSetClipRectI(m_graphics, area.x, area.y, area.width, area.height, CombineModeIntersect);
    GdipDrawString(m_graphics, wide.c_str(), static_cast<INT>(wide.size()), gdiplusFont.get(), &layout,
                   format, brush.brush);
    GdipRestoreGraphics(m_graphics, state);
    GdipDeleteStringFormat(format);
}

// GDI and GDI+ are system libraries that stay loaded; nothing to keep.
void keepDrawingLibrariesLoaded() {}

std::unique_ptr<IDrawingSurface> createDrawingSurface(int width, int height, uint32_t fillColour)
{
    std::unique_ptr<CGdiSurface> surface = CGdiSurface::create(width, height);
    if (surface)
    {
        surface->clear(fillColour);
    }
    return surface;
}

bool measureText(const std::string& text, const SFontDescription& font, SPixelSize& size)
{
    const GdiplusSupport::CGdiplusFont gdiplusFont(font.faceName, font.size, font.bold, font.italic);
    if (gdiplusFont.get() == nullptr)
    {
        return false;
    }
    HDC screen = GetDC(nullptr);
    GpGraphics* graphics = nullptr;
    GpStringFormat* format = nullptr;
    bool measured = false;
    if (GdipCreateFromHDC(screen, &graphics) == Ok &&
        GdipCreateStringFormat(StringFormatFlagsMeasureTrailingSpaces, LANG_NEUTRAL, &format) == Ok)
    {
        const std::wstring wide = toWide(text);
        const RectF layout(0, 0, 0, 0);
        RectF bounds;
        if (GdipMeasureString(graphics, wide.c_str(), static_cast<INT>(wide.size()), gdiplusFont.get(),
                              &layout, format, &bounds, nullptr, nullptr) == Ok)
        {
            size.width = static_cast<int>(bounds.Width);
            size.height = static_cast<int>(bounds.Height);
            measured = true;
        }
    }
    if (format != nullptr)
    {
        GdipDeleteStringFormat(format);
    }
    if (graphics != nullptr)
    {
        GdipDeleteGraphics(graphics);
    }
    ReleaseDC(nullptr, screen);
    return measured;
}

} // namespace Vantor::Platform
