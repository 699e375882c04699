#pragma once
// The outline state of the graphics context: colour, width and line cap, or no
// outline at all while the null pen is selected.

#include "framework/basics/CountedObject.hpp"
#include "framework/gui/graphics/AlphaColour.hpp"

namespace Vantor::GUI::Graphics
{

class CPen : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CPen);

    enum ELineCap : long
    {
        kFlatCap = 0,
        kSquareCap = 1,
        kRoundCap = 2,
    };

    // Solid black, one pixel wide, flat caps.
    CPen();

    void setColour(const CAlphaColour& colour) { m_colour = colour; }
    const CAlphaColour& getColour() const { return m_colour; }
    void setWidth(long width) { m_width = width; }
    long getWidth() const { return m_width; }
    void setLineCap(long lineCap) { m_lineCap = lineCap; }
    long getLineCap() const { return m_lineCap; }

    // Draw no outline until the solid pen is selected again.
    void selectNullPen() { m_null = true; }
    void selectSolidPen() { m_null = false; }
    bool isNullPen() const { return m_null; }

private:
    CAlphaColour m_colour;
    long m_width = 1;
    long m_lineCap = kFlatCap;
    bool m_null = false;
};

} // namespace Vantor::GUI::Graphics
