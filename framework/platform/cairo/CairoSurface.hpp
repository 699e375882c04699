#pragma once
// Drawing surface on a cairo image surface (CAIRO_FORMAT_ARGB32 is premultiplied
// 0xAARRGGBB in native byte order, exactly the framework's pixel format).

#include "framework/platform/BackendGuard.hpp"

#include "framework/basics/Class.hpp"
#include "framework/platform/DrawingBackend.hpp"

#include <cairo.h>

namespace Vantor::Platform
{

class CCairoSurface final : public IDrawingSurface
{
public:
    VANTOR_DECLARE_CLASS(CCairoSurface);

    // Takes ownership of an ARGB32 image surface.
    explicit CCairoSurface(cairo_surface_t* surface);
    ~CCairoSurface() override;
    CCairoSurface(const CCairoSurface&) = delete;
    CCairoSurface& operator=(const CCairoSurface&) = delete;

    cairo_surface_t* getCairoSurface() const { return m_surface; }

    int getWidth() const override;
    int getHeight() const override;
    uint32_t* lockPixels(int& stride) override;
    void unlockPixels() override;
    uint32_t getPixel(int x, int y) override;

    void setClip(const SPixelRect& area) override;
    void resetClip() override;
    void clear(uint32_t colour) override;

    void setPixel(int x, int y, uint32_t colour) override;
    void drawPenLine(SPixelPoint from, SPixelPoint to, uint32_t colour) override;
    void strokeLine(SPixelPoint from, SPixelPoint to, uint32_t colour, int width, ELineCap cap,
                    bool antiAlias) override;
    void fillRectangle(const SPixelRect& area, uint32_t colour) override;
    void strokeRectangle(const SPixelRect& area, uint32_t colour, int width) override;
    void fillRoundedRectangle(const SPixelRect& area, int cornerWidth, int cornerHeight, uint32_t colour,
                              bool antiAlias) override;
    void strokeRoundedRectangle(const SPixelRect& area, int cornerWidth, int cornerHeight, uint32_t colour,
                                int width, bool antiAlias) override;
    void fillEllipse(const SPixelRect& bounds, uint32_t colour, bool antiAlias) override;
    void strokeArc(const SPixelRect& bounds, SPixelPoint start, SPixelPoint end, bool clockwise,
                   uint32_t colour, int width, bool antiAlias) override;
    void fillPolygon(const SPixelPoint* points, int count, uint32_t colour, bool antiAlias) override;
    void drawSurface(IDrawingSurface& source, const SPixelRect& sourceArea, const SPixelRect& destination,
                     bool blend, int constantAlpha) override;
    void drawText(const std::string& text, const SPixelRect& area, const SFontDescription& font,
                  uint32_t colour, int alignment) override;

private:
    void setSourceColour(uint32_t colour);
    void beginShape(bool antiAlias);
    // Pixel writes of the aliased pen path, honouring the clip.
    void plot(uint32_t* pixels, int stride, int x, int y, uint32_t premultiplied);
    bool insideClip(int x, int y) const;

    cairo_surface_t* m_surface;
    cairo_t* m_context;
    bool m_clipped = false;
    SPixelRect m_clip;
    bool m_locked = false;
};

} // namespace Vantor::Platform
