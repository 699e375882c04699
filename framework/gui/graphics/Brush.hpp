#pragma once
// The fill state of the graphics context: a solid colour, or no fill while the
// hollow brush is selected.

#include "framework/basics/CountedObject.hpp"
#include "framework/gui/graphics/AlphaColour.hpp"

namespace Vantor::GUI::Graphics
{

class CBrush : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CBrush);

    // Solid white.
    CBrush();

    void setColour(const CAlphaColour& colour) { m_colour = colour; }
    const CAlphaColour& getColour() const { return m_colour; }

    // Fill nothing until the solid brush is selected again.
    void selectHollowBrush() { m_hollow = true; }
    void selectSolidBrush() { m_hollow = false; }
    bool isHollowBrush() const { return m_hollow; }

private:
    CAlphaColour m_colour;
    bool m_hollow = false;
};

} // namespace Vantor::GUI::Graphics
