#include "framework/gui/graphics/RGBAImage.hpp"

#include "framework/basics/Exception.hpp"
#include "framework/platform/DrawingBackend.hpp"

namespace Vantor::GUI::Graphics
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Graphics::CRGBAImage, "CRGBAImage", "CCountedObject")

CRGBAImage::CRGBAImage() : CBaseImage(true) {}

CRGBAImage::~CRGBAImage()
{
    if (m_graphics)
    {
        m_graphics->end();
    }
}

bool CRGBAImage::initialise(long width, long height)
{
    unloadImage();
    m_graphics.reset();
    m_canvas = Platform::createDrawingSurface(static_cast<int>(width), static_cast<int>(height), 0);
    if (!m_canvas)
    {
        return fail("Failed to get HBITMAP from GDI Bitmap");
    }
    m_graphics = std::make_unique<CGraphics>();
    m_graphics->begin(m_canvas.get());
    return true;
}

void CRGBAImage::unintialise()
{
    if (!m_canvas || !m_graphics)
    {
        throw Exceptions::CException("GDI+ Bitmap or context are NULL", "CRGBAImage::unintialise()");
    }
    m_graphics->end();
    m_graphics.reset();
    takePixels(std::move(m_canvas));
}

} // namespace Vantor::GUI::Graphics
