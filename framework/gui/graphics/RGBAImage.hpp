#pragma once
// An image drawn at run time: initialise() gives a transparent surface and a
// graphics context to draw into it; unintialise() ends the drawing and keeps
// the pixels as the image, which is then drawn like any loaded image.

#include <memory>

#include "framework/gui/graphics/BaseImage.hpp"
#include "framework/gui/graphics/Graphics.hpp"

namespace Vantor::GUI::Graphics
{

class CRGBAImage : public CBaseImage
{
public:
    VANTOR_DECLARE_CLASS(CRGBAImage);

    CRGBAImage();
    ~CRGBAImage() override;

    const char* getRuntimeClassName() const override { return "CRGBAImage"; }

    // Starts drawing into a new transparent image of that size; false when no surface can be made.
    bool initialise(long width, long height);
    // The context to draw with between initialise and unintialise; null otherwise.
    CGraphics* getGraphics() const { return m_graphics.get(); }
    // Ends drawing and keeps the pixels. Without initialise throws CException.
    void unintialise();

private:
    std::unique_ptr<Platform::IDrawingSurface> m_canvas;
    std::unique_ptr<CGraphics> m_graphics;
};

} // namespace Vantor::GUI::Graphics
