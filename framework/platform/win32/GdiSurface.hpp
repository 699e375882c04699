#pragma once
// Drawing surface on a 32-bit top-down DIB section. GDI works on it through a
// memory device context (copies, AlphaBlend), GDI+ through a premultiplied ARGB
// bitmap that shares the same pixel memory (shapes, anti-aliasing, text).

#include "framework/platform/BackendGuard.hpp"

#include "framework/basics/Class.hpp"
#include "framework/platform/DrawingBackend.hpp"
#include "framework/platform/win32/GdiplusSupport.hpp"

namespace Vantor::Platform
{

class CGdiSurface final : public IDrawingSurface
{
public:
    VANTOR_DECLARE_CLASS(CGdiSurface);

    // A surface of the given size (contents undefined); null when it cannot be made.
    static std::unique_ptr<CGdiSurface> create(int width, int height);
    ~CGdiSurface() override;
    CGdiSurface(const CGdiSurface&) = delete;
    CGdiSurface& operator=(const CGdiSurface&) = delete;

    // The memory device context holding the pixels (flushed).
    HDC getDeviceContext();

    int getWidth() const override { return m_width; }
    int getHeight() const override { return m_height; }
    uint32_t* lockPixels(int& stride) override;
    void unlockPixels() override {}
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
    CGdiSurface() = default;
    // Makes GDI and GDI+ drawing visible in the pixel memory.
    void flush();
    bool insideClip(int x, int y) const;
    // Prepares GDI+ drawing; false when GDI+ is not there.
    bool beginShape(bool antiAlias);

    int m_width = 0;
    int m_height = 0;
    HDC m_deviceContext = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previousBitmap = nullptr;
    uint32_t* m_pixels = nullptr;
    GdiplusSupport::GpBitmap* m_gdiplusBitmap = nullptr;
    GdiplusSupport::GpGraphics* m_graphics = nullptr;
    bool m_clipped = false;
    SPixelRect m_clip;
};

} // namespace Vantor::Platform
