#pragma once
// A colour with an alpha component (255 = opaque).

#include "framework/basics/String.hpp"
#include "framework/gui/graphics/Colour.hpp"
#include "framework/gui/graphics/NamedColours.hpp"

namespace Vantor::GUI::Graphics
{

class CAlphaColour : public CColour
{
public:
    VANTOR_DECLARE_CLASS(CAlphaColour);

    CAlphaColour(long red = 0, long green = 0, long blue = 0, long alpha = 255);
    // An opaque copy of a colour.
    CAlphaColour(const CColour& colour, long alpha = 255);
    CAlphaColour(const CAlphaColour& other);
    CAlphaColour& operator=(const CAlphaColour& other);
    bool operator==(const CAlphaColour& other) const;
    bool operator!=(const CAlphaColour& other) const { return !(*this == other); }

    // "[r,g,b,a]"
    void getObjectDescription(char* buffer, long size) const override;

    void setColour(long red, long green, long blue, long alpha);
    long getAlpha() const { return m_alpha; }
    void setAlpha(long alpha) { m_alpha = alpha; }

    // 0xAARRGGBB, not premultiplied.
    std::uint32_t getARGB() const;

    // "r,g,b,a": the text form of colour properties.
    static Basics::CString toString(const CAlphaColour& colour);
    // Reads exactly four comma-separated numbers; anything else gives (0, 0, 0, 0).
    static CAlphaColour fromString(const Basics::CString& text);

    // kBlack, kWhite, kRed, kGreen, kBlue, kYellow, kOrange, kTurquoise, kPurple,
    // kPink, kLightGrey and kGrey (NamedColours.hpp).
#define VANTOR_DECLARE_NAMED_COLOUR(name, red, green, blue) static const CAlphaColour name;
    VANTOR_NAMED_COLOURS(VANTOR_DECLARE_NAMED_COLOUR)
#undef VANTOR_DECLARE_NAMED_COLOUR
    // Fully transparent black.
    static const CAlphaColour kClear;

private:
    long m_alpha;
};

} // namespace Vantor::GUI::Graphics
