#include "framework/gui/graphics/Clip.hpp"

#include "framework/basics/Exception.hpp"
#include "framework/gui/graphics/DeviceScale.hpp"
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
    const MathTools::CRect device = getDeviceClipArea();
    m_surface->setClip(
        Platform::SPixelRect{static_cast<int>(device.getLeft()), static_cast<int>(device.getTop()),
                             static_cast<int>(device.getWidth()), static_cast<int>(device.getHeight())});
}

MathTools::CRect CClip::getDeviceClipArea() const
{
    return DeviceScale::toDevice(m_area, m_scale);
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
