#include "framework/basics/Long.hpp"

#include <algorithm>
#include <cstdio>

namespace Vantor::Basics
{

VANTOR_DEFINE_CLASS(Vantor::Basics::CLong, "CLong", "CCountedObject")

CLong::CLong(std::int32_t value) : m_value(value) {}

CLong::CLong(const CLong& other) : CCountedObject(other), m_value(other.m_value) {}

CLong& CLong::operator=(std::int32_t value)
{
    m_value = value;
    return *this;
}

CLong& CLong::operator=(const CLong& other)
{
    m_value = other.m_value;
    return *this;
}

void CLong::getValueAsString(CString& out, long width) const
{
    // The format is "%0" + width + "li"; a negative width would turn into a
    // justification flag, so it counts as 0.
    char format[32];
    std::snprintf(format, sizeof(format), "%%0%lili", std::max(width, 0L));
    char text[64];
    std::snprintf(text, sizeof(text), format, static_cast<long>(m_value));
    out.setString(text);
}

void CLong::getObjectDescription(char* buffer, long size) const
{
    CString text;
    getValueAsString(text, 2);
    copyTextToBuffer(text.getString(), buffer, size);
}

} // namespace Vantor::Basics
