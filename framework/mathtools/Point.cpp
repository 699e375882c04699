#include "framework/mathtools/Point.hpp"

#include <cstdio>

namespace Vantor::MathTools
{

CPoint::CPoint(long x, long y) : m_x(static_cast<std::int32_t>(x)), m_y(static_cast<std::int32_t>(y)) {}

CPoint::CPoint(const CPoint& other) : CCountedObject(), m_x(other.m_x), m_y(other.m_y) {}

CPoint& CPoint::operator=(const CPoint& other)
{
    m_x = other.m_x;
    m_y = other.m_y;
    return *this;
}

bool CPoint::operator==(const CPoint& other) const
{
    return m_x == other.m_x && m_y == other.m_y;
}

CPoint& CPoint::operator+=(const CPoint& other)
{
    offset(other.m_x, other.m_y);
    return *this;
}

CPoint& CPoint::operator-=(const CPoint& other)
{
    offset(-other.m_x, -other.m_y);
    return *this;
}

void CPoint::offset(const CPoint& delta)
{
    offset(delta.m_x, delta.m_y);
}

void CPoint::offset(long dx, long dy)
{
    m_x += static_cast<std::int32_t>(dx);
    m_y += static_cast<std::int32_t>(dy);
}

void CPoint::setPoint(long x, long y)
{
    setXPosition(x);
    setYPosition(y);
}

void CPoint::getObjectDescription(char* buffer, long size) const
{
    char text[64];
    std::snprintf(text, sizeof(text), "[%li,%li]", static_cast<long>(m_x), static_cast<long>(m_y));
    Basics::copyTextToBuffer(text, buffer, size);
}

} // namespace Vantor::MathTools

VANTOR_DEFINE_CLASS(Vantor::MathTools::CPoint, "CPoint", "CCountedObject")
