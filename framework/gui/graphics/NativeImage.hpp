#pragma once
// The back buffer of one paint: an offscreen surface of the window's size,
// filled with the window's background colour when it is created.

#include <memory>

#include "framework/basics/CountedObject.hpp"
#include "framework/gui/graphics/Colour.hpp"
#include "framework/mathtools/Dimension.hpp"

namespace Vantor::Platform
{
class IDrawingSurface;
}

namespace Vantor::GUI::Graphics
{

class CNativeImage : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CNativeImage);

    CNativeImage();
    ~CNativeImage() override;
    CNativeImage(const CNativeImage&) = delete;
    CNativeImage& operator=(const CNativeImage&) = delete;

    void setFillColour(const CColour& colour) { m_fillColour = colour; }
    const CColour& getFillColour() const { return m_fillColour; }

    // Makes the surface (only when none exists yet); false when the platform cannot.
    bool createImage(const MathTools::CDimension& size);
    void releaseImage();
    bool isCreated() const { return m_surface != nullptr; }

    const MathTools::CDimension& getSize() const { return m_size; }
    Platform::IDrawingSurface* getSurface() const { return m_surface.get(); }

    // Copies all pixels from / to another image of the same size.
    bool copyFrom(const CNativeImage& other);
    bool copyTo(CNativeImage& other) const;

private:
    std::unique_ptr<Platform::IDrawingSurface> m_surface;
    MathTools::CDimension m_size;
    CColour m_fillColour;
};

} // namespace Vantor::GUI::Graphics
