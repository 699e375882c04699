#include "framework/gui/graphics/Colour.hpp"

#include <cstdio>

namespace Vantor::GUI::Graphics
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Graphics::CColour, "CColour", "CCountedObject")

#define VANTOR_DEFINE_NAMED_COLOUR(name, red, green, blue) const CColour CColour::name(red, green, blue);
VANTOR_NAMED_COLOURS(VANTOR_DEFINE_NAMED_COLOUR)
#undef VANTOR_DEFINE_NAMED_COLOUR

CColour::CColour(long red, long green, long blue) : m_red(red), m_green(green), m_blue(blue) {}

CColour::CColour(const CColour& other)
    : CCountedObject(), m_red(other.m_red), m_green(other.m_green), m_blue(other.m_blue)
{
}

CColour& CColour::operator=(const CColour& other)
{
    setColour(other.m_red, other.m_green, other.m_blue);
    return *this;
}

bool CColour::operator==(const CColour& other) const
{
    return m_red == other.m_red && m_green == other.m_green && m_blue == other.m_blue;
}

void CColour::getObjectDescription(char* buffer, long size) const
{
    char text[64];
    std::snprintf(text, sizeof(text), "[%li,%li,%li]", m_red, m_green, m_blue);
    Basics::copyTextToBuffer(text, buffer, size);
}

void CColour::setColour(long red, long green, long blue)
{
    m_red = red;
    m_green = green;
    m_blue = blue;
}

std::uint32_t CColour::getColourReference() const
{
    return static_cast<std::uint32_t>((m_red & 0xFF) + 256 * (m_green & 0xFF) + 65536 * (m_blue & 0xFF));
}

std::uint32_t CColour::getOpaqueARGB() const
{
    return 0xFF000000u | (static_cast<std::uint32_t>(m_red & 0xFF) << 16) |
           (static_cast<std::uint32_t>(m_green & 0xFF) << 8) | static_cast<std::uint32_t>(m_blue & 0xFF);
}

long CColour::mixHalfWay(long component, long target)
{
    // (v + (v >> 8)) >> 8 divides by 255 with rounding; v weighs target and component 128:127.
    const long v = 128 * (target + 1) + 127 * component;
    return (v + (v >> 8)) >> 8;
}

void CColour::brighten()
{
    setColour(mixHalfWay(m_red, 255), mixHalfWay(m_green, 255), mixHalfWay(m_blue, 255));
}

void CColour::darken()
{
    setColour(mixHalfWay(m_red, 0), mixHalfWay(m_green, 0), mixHalfWay(m_blue, 0));
}

} // namespace Vantor::GUI::Graphics
