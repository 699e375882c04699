#include "framework/gui/graphics/NativeImage.hpp"

#include "framework/platform/DrawingBackend.hpp"

namespace Vantor::GUI::Graphics
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Graphics::CNativeImage, "CNativeImage", "CCountedObject")

CNativeImage::CNativeImage() : m_fillColour(255, 255, 255) {}

CNativeImage::~CNativeImage() = default;

bool CNativeImage::createImage(const MathTools::CDimension& size)
{
    if (m_surface)
    {
        return true;
    }
    m_surface = Platform::createDrawingSurface(
        static_cast<int>(size.getWidth()), static_cast<int>(size.getHeight()), m_fillColour.getOpaqueARGB());
    if (m_surface)
    {
        m_size = size;
    }
    return m_surface != nullptr;
}

void CNativeImage::releaseImage()
{
    m_surface.reset();
    m_size.setDimension(0, 0);
}

bool CNativeImage::copyFrom(const CNativeImage& other)
{
    return other.copyTo(*this);
}

bool CNativeImage::copyTo(CNativeImage& other) const
{
    if (!m_surface || !other.m_surface || !(m_size == other.m_size))
    {
        return false;
    }
    const Platform::SPixelRect all{0, 0, static_cast<int>(m_size.getWidth()),
                                   static_cast<int>(m_size.getHeight())};
    other.m_surface->resetClip();
    other.m_surface->drawSurface(*m_surface, all, all, false, 255);
    return true;
}

} // namespace Vantor::GUI::Graphics
