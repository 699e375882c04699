#include "framework/mathtools/Dimension.hpp"

namespace Vantor::MathTools
{

CDimension::CDimension(long width, long height)
    : m_width(static_cast<std::int32_t>(width)), m_height(static_cast<std::int32_t>(height))
{
}

CDimension::CDimension(const CDimension& other)
    : CCountedObject(), m_width(other.m_width), m_height(other.m_height)
{
}

CDimension& CDimension::operator=(const CDimension& other)
{
    m_width = other.m_width;
    m_height = other.m_height;
    return *this;
}

bool CDimension::operator==(const CDimension& other) const
{
    return m_width == other.m_width && m_height == other.m_height;
}

void CDimension::setDimension(long width, long height)
{
    setWidth(width);
    setHeight(height);
}

} // namespace Vantor::MathTools

VANTOR_DEFINE_CLASS(Vantor::MathTools::CDimension, "CDimension", "CCountedObject")
