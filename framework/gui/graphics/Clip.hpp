#pragma once
// The clip rectangle of a graphics context, in logical (window) coordinates; at a
// scale other than 1 the surface is clipped to the device pixels the area covers.

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
    // The scale logical areas are mapped with (1 by default); applies from the next setClip.
    void setScale(double scale) { m_scale = scale; }
    // The clip in device pixels (what the surface is limited to).
    MathTools::CRect getDeviceClipArea() const;

private:
    Platform::IDrawingSurface* m_surface = nullptr;
    bool m_clipping = false;
    MathTools::CRect m_area;
    double m_scale = 1.0;
};

} // namespace Vantor::GUI::Graphics
