#pragma once
// An opaque colour with components 0..255, and the twelve named colours.

#include <cstdint>

#include "framework/basics/CountedObject.hpp"

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

    static const CColour kBlack;
    static const CColour kWhite;
    static const CColour kRed;
    static const CColour kGreen;
    static const CColour kBlue;
    static const CColour kYellow;
    static const CColour kOrange;
    static const CColour kTurquoise;
    static const CColour kPurple;
    static const CColour kPink;
    static const CColour kLightGrey;
    static const CColour kGrey;

protected:
    long m_red;
    long m_green;
    long m_blue;
};

} // namespace Vantor::GUI::Graphics
