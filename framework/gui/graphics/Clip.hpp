#pragma once
// The clip rectangle of a graphics context, in device (window) coordinates.

#include "framework/basics/CountedObject.hpp"
#include "framework/mathtools/Rect.hpp"

namespace Vantor::Platform
{
class IDrawingSurface;
}

namespace Vantor::GUI::Graphics
{

class CClip : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CClip);

    CClip();

    // Attaches the clip to a surface; null throws CException ("Native image is NULL").
    void initialise(Platform::IDrawingSurface* surface, const MathTools::CRect& area);
    // Detaches it (the surface keeps no clip).
    void release();

    // Limits drawing to an area; does nothing before initialise.
    void setClip(const MathTools::CRect& area);
    // Removes the limit.
    void resetClip();

    bool isClipping() const { return m_clipping; }
    const MathTools::CRect& getClipArea() const { return m_area; }

private:
    Platform::IDrawingSurface* m_surface = nullptr;
    bool m_clipping = false;
    MathTools::CRect m_area;
};

} // namespace Vantor::GUI::Graphics
