#include "framework/gui/graphics/AlphaColour.hpp"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace Vantor::GUI::Graphics
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Graphics::CAlphaColour, "CAlphaColour", "CCountedObject")

#define VANTOR_DEFINE_NAMED_COLOUR(name, red, green, blue)                                                   \
    const CAlphaColour CAlphaColour::name(red, green, blue);
VANTOR_NAMED_COLOURS(VANTOR_DEFINE_NAMED_COLOUR)
#undef VANTOR_DEFINE_NAMED_COLOUR
const CAlphaColour CAlphaColour::kClear(0, 0, 0, 0);

CAlphaColour::CAlphaColour(long red, long green, long blue, long alpha)
    : CColour(red, green, blue), m_alpha(alpha)
{
}

CAlphaColour::CAlphaColour(const CColour& colour, long alpha) : CColour(colour), m_alpha(alpha) {}

CAlphaColour::CAlphaColour(const CAlphaColour& other) : CColour(other), m_alpha(other.m_alpha) {}

CAlphaColour& CAlphaColour::operator=(const CAlphaColour& other)
{
    setColour(other.m_red, other.m_green, other.m_blue, other.m_alpha);
    return *this;
}

bool CAlphaColour::operator==(const CAlphaColour& other) const
{
    return CColour::operator==(other) && m_alpha == other.m_alpha;
}

void CAlphaColour::getObjectDescription(char* buffer, long size) const
{
    char text[80];
    std::snprintf(text, sizeof(text), "[%li,%li,%li,%li]", m_red, m_green, m_blue, m_alpha);
    Basics::copyTextToBuffer(text, buffer, size);
}

void CAlphaColour::setColour(long red, long green, long blue, long alpha)
{
    CColour::setColour(red, green, blue);
    m_alpha = alpha;
}

std::uint32_t CAlphaColour::getARGB() const
{
    return (static_cast<std::uint32_t>(m_alpha & 0xFF) << 24) | (getOpaqueARGB() & 0x00FFFFFFu);
}

Basics::CString CAlphaColour::toString(const CAlphaColour& colour)
{
    Basics::CString text;
    text.setStringWithFormat("%li,%li,%li,%li", colour.m_red, colour.m_green, colour.m_blue, colour.m_alpha);
    return text;
}

CAlphaColour CAlphaColour::fromString(const Basics::CString& text)
{
    std::vector<long> numbers;
    const std::string all = text.getString();
    std::size_t start = 0;
    while (true)
    {
        const std::size_t comma = all.find(',', start);
        numbers.push_back(std::atol(all.substr(start, comma - start).c_str()));
        if (comma == std::string::npos)
        {
            break;
        }
        start = comma + 1;
    }
    if (numbers.size() != 4)
    {
        return CAlphaColour(0, 0, 0, 0);
    }
    return CAlphaColour(numbers[0], numbers[1], numbers[2], numbers[3]);
}

} // namespace Vantor::GUI::Graphics
