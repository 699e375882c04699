#pragma once
// Operating-system side of drawing: an offscreen 32-bit surface with the primitives
// the graphics context needs, text drawing and measuring.
//
// Pixels are 32-bit 0xAARRGGBB words in native byte order (blue first in memory),
// premultiplied by alpha, rows top to bottom. Colours handed to the primitives are
// 0xAARRGGBB words NOT premultiplied (alpha 255 = opaque).
//
// Geometry: integer coordinates are pixel corners; a filled rectangle (x, y, w, h)
// covers columns x .. x + w - 1 and rows y .. y + h - 1. Strokes of width 1 run
// through pixel centres: a stroked line from (x0, y0) to (x1, y1) lights the pixels
// whose corner coordinates those are.

#include "framework/platform/WindowBackend.hpp"

#include <cstdint>
#include <memory>
#include <string>

namespace Vantor::Platform
{

// A typeface request. size is the character height in pixels (not the cell height).
struct SFontDescription
{
    std::string faceName = "Arial";
    int size = 11;
    bool bold = false;
    bool italic = false;
};

// Text alignments of the framework (0..10); other values act as 0.
namespace TextAlignment
{
constexpr int LeftTop = 0, CentreTop = 1, RightTop = 2;
constexpr int LeftCentre = 3, CentreCentre = 4, RightCentre = 5;
constexpr int LeftBottom = 6, CentreBottom = 7, RightBottom = 8;
constexpr int DefaultLabel = 9;       // left, centred vertically
constexpr int DefaultSingleLine = 10; // centred both ways
} // namespace TextAlignment

// Line cap of stroked lines.
enum class ELineCap
{
    Flat = 0,
    Square = 1,
    Round = 2
};

// An offscreen premultiplied ARGB surface: a back buffer or the pixels of an image.
class IDrawingSurface
{
public:
    virtual ~IDrawingSurface() = default;

    virtual int getWidth() const = 0;
    virtual int getHeight() const = 0;

    // Direct pixel access; finish with unlockPixels before drawing again.
    // stride is in 32-bit words.
    virtual uint32_t* lockPixels(int& stride) = 0;
    virtual void unlockPixels() = 0;
    // One premultiplied pixel; 0 outside the surface.
    virtual uint32_t getPixel(int x, int y) = 0;

    // Limits all later drawing to an area (replaces an earlier clip); resetClip removes it.
    virtual void setClip(const SPixelRect& area) = 0;
    virtual void resetClip() = 0;

    // Sets every pixel (ignoring the clip) to one colour.
    virtual void clear(uint32_t colour) = 0;

    // Writes one pixel, replacing what is there (clipped).
    virtual void setPixel(int x, int y, uint32_t colour) = 0;

    // Aliased line of width 1 that leaves out the end point (a pen line: moveTo / lineTo).
    virtual void drawPenLine(SPixelPoint from, SPixelPoint to, uint32_t colour) = 0;
    // Line of any width including both ends; anti-aliased when antiAlias is set.
    virtual void strokeLine(SPixelPoint from, SPixelPoint to, uint32_t colour, int width, ELineCap cap,
                            bool antiAlias) = 0;

    virtual void fillRectangle(const SPixelRect& area, uint32_t colour) = 0;
    // Outline through the outermost pixels of area (columns x .. x + w - 1).
    virtual void strokeRectangle(const SPixelRect& area, uint32_t colour, int width) = 0;

    // Rounded rectangle: corner arcs are ellipses of cornerWidth x cornerHeight.
    virtual void fillRoundedRectangle(const SPixelRect& area, int cornerWidth, int cornerHeight,
                                      uint32_t colour, bool antiAlias) = 0;
    virtual void strokeRoundedRectangle(const SPixelRect& area, int cornerWidth, int cornerHeight,
                                        uint32_t colour, int width, bool antiAlias) = 0;

    // Ellipse inscribed in bounds.
    virtual void fillEllipse(const SPixelRect& bounds, uint32_t colour, bool antiAlias) = 0;
    // Arc of the ellipse inscribed in bounds, from the ray towards start to the ray towards end,
    // clockwise or counter-clockwise on the screen; start == end gives the whole ellipse.
    virtual void strokeArc(const SPixelRect& bounds, SPixelPoint start, SPixelPoint end, bool clockwise,
                           uint32_t colour, int width, bool antiAlias) = 0;

    // Filled polygon (closed implicitly, alternate / even-odd filling) with vertices at pixel corners.
    virtual void fillPolygon(const SPixelPoint* points, int count, uint32_t colour, bool antiAlias) = 0;

    // Draws part of another surface. With blend: premultiplied source-over with constantAlpha
    // (0..255) applied on top of each pixel's own alpha. Without blend: a plain copy of the
    // colour (alpha of the target set opaque). source is scaled when the areas differ in size.
    virtual void drawSurface(IDrawingSurface& source, const SPixelRect& sourceArea,
                             const SPixelRect& destination, bool blend, int constantAlpha) = 0;

    // One line of 8-bit text (Latin-1) in area, anti-aliased, never wrapped or trimmed: what does not
    // fit is cut off at the area's edges.
    virtual void drawText(const std::string& text, const SPixelRect& area, const SFontDescription& font,
                          uint32_t colour, int alignment) = 0;
};

// A new surface of the given size filled with a colour (0 = transparent); null on failure.
std::unique_ptr<IDrawingSurface> createDrawingSurface(int width, int height, uint32_t fillColour = 0);

// Width and height of a text in a font, trailing spaces included. False when it cannot be measured.
bool measureText(const std::string& text, const SFontDescription& font, SPixelSize& size);

// Keeps the libraries that drawing uses loaded until the process ends. Some of them
// allocate at start-up and never free it (cairo's and pixman's tables); a host
// that does not use them itself would otherwise load and unload them with each
// load of a plug-in library and lose that memory every time. Never throws;
// calling it again does nothing more.
void keepDrawingLibrariesLoaded();

// What a native window shows on the screen now, its children included (a screenshot of it);
// null when it cannot be read (no such window, or not supported here).
std::unique_ptr<IDrawingSurface> captureWindow(uintptr_t nativeHandle);

// Colour helpers for 0xAARRGGBB words.
constexpr uint32_t makeColour(int red, int green, int blue, int alpha = 255)
{
    return (static_cast<uint32_t>(alpha & 0xFF) << 24) | (static_cast<uint32_t>(red & 0xFF) << 16) |
           (static_cast<uint32_t>(green & 0xFF) << 8) | static_cast<uint32_t>(blue & 0xFF);
}
constexpr int alphaOf(uint32_t colour)
{
    return static_cast<int>(colour >> 24);
}
constexpr int redOf(uint32_t colour)
{
    return static_cast<int>((colour >> 16) & 0xFF);
}
constexpr int greenOf(uint32_t colour)
{
    return static_cast<int>((colour >> 8) & 0xFF);
}
constexpr int blueOf(uint32_t colour)
{
    return static_cast<int>(colour & 0xFF);
}

} // namespace Vantor::Platform
