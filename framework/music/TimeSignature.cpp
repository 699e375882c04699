#include "framework/music/TimeSignature.hpp"

#include <cstdio>

namespace Vantor::Music
{

VANTOR_DEFINE_CLASS(Vantor::Music::CTimeSignature, "CTimeSignature", "CCountedObject")

CTimeSignature::CTimeSignature(std::int32_t numerator, std::int32_t denominator)
    : m_numerator(numerator), m_denominator(denominator)
{
}

void CTimeSignature::setTimeSignature(std::int32_t numerator, std::int32_t denominator)
{
    m_numerator = numerator;
    m_denominator = denominator;
}

void CTimeSignature::setTimeSignature(const CTimeSignature& other)
{
    setTimeSignature(other.m_numerator, other.m_denominator);
}

void CTimeSignature::getObjectDescription(char* buffer, long size) const
{
    char text[48];
    std::snprintf(text, sizeof text, "[%li/%li]", static_cast<long>(m_numerator),
                  static_cast<long>(m_denominator));
    Basics::copyTextToBuffer(text, buffer, size);
}

} // namespace Vantor::Music
