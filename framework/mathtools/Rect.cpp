#include "framework/mathtools/Rect.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "framework/basics/StringTokeniser.hpp"

namespace Vantor::MathTools
{

namespace
{
std::int32_t to32(long value)
{
    return static_cast<std::int32_t>(value);
}
} // namespace

CRect::CRect(long left, long top, long width, long height)
{
    setRect(left, top, width, height);
}

CRect::CRect(const CPoint& origin, const CDimension& size)
{
    setRect(origin, size);
}

CRect::CRect(const CRect& other) : CCountedObject()
{
    *this = other;
}

CRect& CRect::operator=(const CRect& other)
{
    setRect(other.m_left, other.m_top, other.m_width, other.m_height);
    return *this;
}

bool CRect::operator==(const CRect& other) const
{
    return m_left == other.m_left && m_top == other.m_top && m_width == other.m_width &&
           m_height == other.m_height;
}

void CRect::setRect(long left, long top, long width, long height)
{
    m_width = to32(width);
    m_height = to32(height);
    setLeft(left);
    setTop(top);
}

void CRect::setRect(const CPoint& origin, const CDimension& size)
{
    setRect(origin.getXPosition(), origin.getYPosition(), size.getWidth(), size.getHeight());
}

void CRect::setLeft(long left)
{
    m_left = to32(left);
    m_right = m_left + m_width;
}

void CRect::setTop(long top)
{
    m_top = to32(top);
    m_bottom = m_top + m_height;
}

void CRect::setWidth(long width)
{
    m_width = to32(width);
    m_right = m_left + m_width;
}

void CRect::setHeight(long height)
{
    m_height = to32(height);
    m_bottom = m_top + m_height;
}

void CRect::setOrigin(const CPoint& origin)
{
    setLeft(origin.getXPosition());
    setTop(origin.getYPosition());
}

void CRect::setDimension(const CDimension& size)
{
    setWidth(size.getWidth());
    setHeight(size.getHeight());
}

void CRect::offset(const CPoint& delta)
{
    setLeft(m_left + delta.getXPosition());
    setTop(m_top + delta.getYPosition());
}

void CRect::inset(long amount)
{
    setRect(m_left + amount, m_top + amount, m_width - 2 * amount, m_height - 2 * amount);
}

void CRect::scale(double factor)
{
    // The conversion to an integer truncates toward zero.
    setRect(static_cast<long>(m_left * factor), static_cast<long>(m_top * factor),
            static_cast<long>(m_width * factor), static_cast<long>(m_height * factor));
}

long CRect::getCentralXPosition() const
{
    return m_left + m_width / 2;
}

long CRect::getCentralYPosition() const
{
    return m_top + m_height / 2;
}

bool CRect::isPointInside(const CPoint& point) const
{
    const long x = point.getXPosition();
    const long y = point.getYPosition();
    return x >= m_left && x < m_right && y >= m_top && y < m_bottom;
}

void CRect::getObjectDescription(char* buffer, long size) const
{
    char text[128];
    std::snprintf(text, sizeof(text), "[%li,%li,%li,%li]", static_cast<long>(m_left),
                  static_cast<long>(m_top), static_cast<long>(m_width), static_cast<long>(m_height));
    Basics::copyTextToBuffer(text, buffer, size);
}

void CRect::getIntersection(const CRect& a, const CRect& b, CRect& result)
{
    const long left = std::max(a.m_left, b.m_left);
    const long top = std::max(a.m_top, b.m_top);
    const long right = std::min(a.m_right, b.m_right);
    const long bottom = std::min(a.m_bottom, b.m_bottom);
    result.setRect(left, top, right - left, bottom - top);
}

Basics::CString CRect::toString(const CRect& rect)
{
    Basics::CString text;
    text.setStringWithFormat("%li,%li,%li,%li", static_cast<long>(rect.m_left), static_cast<long>(rect.m_top),
                             static_cast<long>(rect.m_width), static_cast<long>(rect.m_height));
    return text;
}

CRect CRect::fromString(const Basics::CString& text)
{
    Basics::CStringTokeniser tokeniser(text, ',');
    if (tokeniser.countTokens() != 4)
    {
        return CRect();
    }
    long values[4] = {0, 0, 0, 0};
    Basics::CString token;
    for (long& value : values)
    {
        tokeniser.getNextToken(token);
        value = std::atol(token.getString());
    }
    return CRect(values[0], values[1], values[2], values[3]);
}

} // namespace Vantor::MathTools

VANTOR_DEFINE_CLASS(Vantor::MathTools::CRect, "CRect", "CCountedObject")
