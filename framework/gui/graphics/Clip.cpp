#include "framework/gui/graphics/Clip.hpp"

#include "framework/basics/Exception.hpp"
#include "framework/platform/DrawingBackend.hpp"

namespace Vantor::GUI::Graphics
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Graphics::CClip, "CClip", "CCountedObject")

CClip::CClip() = default;

void CClip::initialise(Platform::IDrawingSurface* surface, const MathTools::CRect& area)
{
    if (surface == nullptr)
    {
        throw Exceptions::CException("Native image is NULL", "Vantor::GUI::Graphics::CClip::initialise");
    }
    m_surface = surface;
    m_area = area;
    m_clipping = false;
}

void CClip::release()
{
    resetClip();
    m_surface = nullptr;
}

void CClip::setClip(const MathTools::CRect& area)
{
    if (m_surface == nullptr)
    {
        return;
    }
    m_area = area;
    m_clipping = true;
    m_surface->setClip(Platform::SPixelRect{static_cast<int>(area.getLeft()), static_cast<int>(area.getTop()),
                                            static_cast<int>(area.getWidth()),
                                            static_cast<int>(area.getHeight())});
}

void CClip::resetClip()
{
    if (m_surface == nullptr)
    {
        return;
    }
    m_clipping = false;
    m_surface->resetClip();
}

} // namespace Vantor::GUI::Graphics
