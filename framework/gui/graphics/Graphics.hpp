#pragma once
// The drawing context of a paint. It draws into a back buffer made for each paint
// (or straight into a given surface); every coordinate handed to it is moved by
// the drawing offset, so that a control draws in its own coordinates.
//
// A context may draw at a scale: coordinates, sizes, pen widths and fonts stay
// logical and are mapped onto the device's pixels (see DeviceScale); pictures
// declare how many device pixels they hold per logical pixel, and one whose
// density differs from the scale is resampled with filtering.
//
// Two paths exist for several operations: the smoothing path (anti-aliased
// shapes, the default) and the plain path, which draws anti-aliased lines with
// the framework's own Wu line. Pixel, pen-line and rounded-outline operations
// always take the plain path.

#include <memory>

#include "framework/basics/CountedObject.hpp"
#include "framework/basics/String.hpp"
#include "framework/gui/graphics/AlphaColour.hpp"
#include "framework/gui/graphics/Brush.hpp"
#include "framework/gui/graphics/Clip.hpp"
#include "framework/gui/graphics/NativeImage.hpp"
#include "framework/gui/graphics/Pen.hpp"
#include "framework/mathtools/Dimension.hpp"
#include "framework/mathtools/Point.hpp"
#include "framework/mathtools/Polygon.hpp"
#include "framework/mathtools/Rect.hpp"

namespace Vantor::Platform
{
class IDrawingSurface;
struct SPixelPoint;
struct SPixelRect;
} // namespace Vantor::Platform

namespace Vantor::GUI::Fonts
{
class CFont;
}

namespace Vantor::GUI::Graphics
{

class IImage;

class CGraphics : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CGraphics);

    enum EAntiAliasingMode : long
    {
        kHighQualitySmoothing = 0,
        kDefaultSmoothing = 1,
        kAntiAliasSmoothing = 2,
    };

    CGraphics();
    ~CGraphics() override;
    CGraphics(const CGraphics&) = delete;
    CGraphics& operator=(const CGraphics&) = delete;

    // ---- frame ----
    // Makes a back buffer of that size filled with its fill colour and draws into it.
    bool begin(const MathTools::CDimension& size);
    // Draws straight into a surface (no back buffer). Null throws CException.
    void begin(Platform::IDrawingSurface* target);
    // Ends drawing; the back buffer is released unless it is kept (setKeepBackBuffer).
    void end();
    // A kept back buffer survives end() and is drawn into again by the next begin() of the
    // same size (then not filled anew: the caller paints what it repaints); windows keep
    // theirs so that a small repaint costs no buffer of the whole window.
    void setKeepBackBuffer(bool keep);
    bool isDrawing() const { return m_target != nullptr; }

    // The back buffer; its fill colour is the window's background colour.
    CNativeImage& getBackBuffer() { return m_backBuffer; }
    // The surface drawn into, null outside begin / end.
    Platform::IDrawingSurface* getSurface() const { return m_target; }

    CPen& getPen() { return m_pen; }
    CBrush& getBrush() { return m_brush; }
    CClip& getClip() { return m_clip; }

    const MathTools::CPoint& getDrawingAreaOffset() const { return m_offset; }
    void setDrawingAreaOffset(const MathTools::CPoint& offset) { m_offset = offset; }
    // The area being repainted, in the current control's coordinates.
    const MathTools::CRect& getUpdateArea() const { return m_updateArea; }
    void setUpdateArea(const MathTools::CRect& area) { m_updateArea = area; }
    // The size of the surface in device pixels.
    const MathTools::CDimension& getSize() const { return m_size; }

    // Device pixels per logical pixel (1 by default).
    void setScale(double scale);
    double getScale() const { return m_scale; }
    // A logical rectangle of the current control (drawing offset applied) in device pixels.
    MathTools::CRect getDeviceRect(const MathTools::CRect& rect) const;

    void setTextColour(const CAlphaColour& colour) { m_textColour = colour; }
    const CAlphaColour& getTextColour() const { return m_textColour; }

    // 0 high quality, 1 default (no smoothing), 2 anti-alias; other values change nothing.
    void setAntiAliasingMode(long mode);
    long getAntiAliasingMode() const { return m_antiAliasingMode; }

    // Whether the smoothing path is taken (true by default).
    void setSmoothingPathAvailable(bool available) { m_smoothingPath = available; }
    bool isSmoothingPathAvailable() const { return m_smoothingPath; }

    // ---- pixels and lines ----
    void drawPixel(const MathTools::CPoint& point);
    // Mixes the pen colour into a pixel with an alpha 0..255.
    void drawAlphaPixel(const MathTools::CPoint& point, long alpha);
    void moveTo(const MathTools::CPoint& point);
    // Pen line from the current position; the end point is left out and becomes the position.
    void lineTo(const MathTools::CPoint& point);
    void drawLine(const MathTools::CPoint& from, const MathTools::CPoint& to);
    void drawAntiAliasedLine(const MathTools::CPoint& from, const MathTools::CPoint& to);
    void drawPolyLine(const MathTools::CPolygon& polygon);
    // Anti-aliased lines between consecutive points (not closed); nothing for fewer than 3.
    void drawAntiAliasedPolygon(const MathTools::CPolygon& polygon);

    // ---- shapes ----
    void drawRectangle(const MathTools::CRect& rect);
    void fillRectangle(const MathTools::CRect& rect);
    void drawFilledBorderedRectangle(const MathTools::CRect& rect);
    void drawRoundedRectangle(const MathTools::CRect& rect, const MathTools::CDimension& corner);
    void fillRoundedRectangle(const MathTools::CRect& rect, const MathTools::CDimension& corner);
    void drawArc(const MathTools::CRect& bounds, const MathTools::CPoint& start, const MathTools::CPoint& end,
                 bool clockwise);
    void drawEllipse(const MathTools::CRect& bounds);
    void fillEllipse(const MathTools::CRect& bounds);
    void fillPolygon(const MathTools::CPolygon& polygon);
    // Bordered boxes with a one-pixel bevel that looks raised or sunken.
    void drawRaisedRectangle(const MathTools::CRect& rect);
    void drawSunkenRectangle(const MathTools::CRect& rect);
    // Rows from the pen colour at the top towards white in the middle and back (size of rect only).
    void drawShadedRectangle(const MathTools::CRect& rect);

    // ---- images ----
    void drawImage(IImage* image, const MathTools::CRect& destination, const MathTools::CRect& source);
    // Images with alpha only: blended with a constant alpha 0..1 on top of their own.
    void drawAlphaImage(IImage* image, const MathTools::CRect& destination, const MathTools::CRect& source,
                        double alpha);

    // ---- text ----
    // One line in an area with one of the eleven alignments; null font means the default font.
    void drawText(const Basics::CString& text, const MathTools::CRect& area, Fonts::CFont* font,
                  const long alignment);
    // The size of a text in a font (trailing spaces included); false without a font.
    static bool getTextExtent(const Basics::CString& text, MathTools::CDimension& size, Fonts::CFont* font);
    // The width of a text in a font (the default one for null), 0 when it cannot be measured.
    static long getTextWidth(const Basics::CString& text, Fonts::CFont* font);

private:
    Platform::SPixelPoint toDevice(const MathTools::CPoint& point) const;
    Platform::SPixelRect toDevice(const MathTools::CRect& rect) const;
    int deviceLength(long length) const;
    int penWidth() const;
    void drawScaledImage(IImage* image, const MathTools::CRect& destination, const MathTools::CRect& source,
                         bool blend, int constantAlpha);
    bool smoothing() const;
    void drawBevel(const MathTools::CRect& rect, bool raised);
    void drawWuLine(const MathTools::CPoint& from, const MathTools::CPoint& to);
    void blendWuPixel(int x, int y, int weight);

    CPen m_pen;
    CBrush m_brush;
    CNativeImage m_backBuffer;
    CClip m_clip;
    MathTools::CPoint m_offset;
    MathTools::CRect m_updateArea;
    MathTools::CDimension m_size;
    CAlphaColour m_textColour;
    long m_antiAliasingMode = kDefaultSmoothing;
    bool m_smoothingPath = true;
    Platform::IDrawingSurface* m_target = nullptr;
    MathTools::CPoint m_penPosition;
    double m_scale = 1.0;
    bool m_keepBackBuffer = false;
};

} // namespace Vantor::GUI::Graphics
