#pragma once
// An opaque colour with components 0..255, and the twelve named colours.

#include <cstdint>

#include "framework/basics/CountedObject.hpp"
#include "framework/gui/graphics/NamedColours.hpp"

namespace Vantor::GUI::Graphics
{

class CColour : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CColour);

    CColour(long red = 0, long green = 0, long blue = 0);
    CColour(const CColour& other);
    CColour& operator=(const CColour& other);
    bool operator==(const CColour& other) const;

    // "[r,g,b]"
    void getObjectDescription(char* buffer, long size) const override;

    void setColour(long red, long green, long blue);
    long getRed() const { return m_red; }
    long getGreen() const { return m_green; }
    long getBlue() const { return m_blue; }
    void setRed(long red) { m_red = red; }
    void setGreen(long green) { m_green = green; }
    void setBlue(long blue) { m_blue = blue; }

    // Native colour reference: red + 256 green + 65536 blue.
    std::uint32_t getColourReference() const;
    // Opaque 0xAARRGGBB word for the drawing layer.
    std::uint32_t getOpaqueARGB() const;

    // Moves red, green and blue half way to white / black.
    void brighten();
    void darken();

    // One component moved half way to a target (the rounding both adjustments share).
    static long mixHalfWay(long component, long target);

    // kBlack, kWhite, kRed, kGreen, kBlue, kYellow, kOrange, kTurquoise, kPurple,
    // kPink, kLightGrey and kGrey (NamedColours.hpp).
#define VANTOR_DECLARE_NAMED_COLOUR(name, red, green, blue) static const CColour name;
    VANTOR_NAMED_COLOURS(VANTOR_DECLARE_NAMED_COLOUR)
#undef VANTOR_DECLARE_NAMED_COLOUR

protected:
    long m_red;
    long m_green;
    long m_blue;
};

} // namespace Vantor::GUI::Graphics
