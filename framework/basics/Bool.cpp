#include "framework/basics/Bool.hpp"

namespace Vantor::Basics
{

VANTOR_DEFINE_CLASS(Vantor::Basics::CBool, "CBool", "CCountedObject")

CBool::CBool(bool value) : m_value(value) {}

CBool::CBool(const CBool& other) : CCountedObject(other), m_value(other.m_value) {}

CBool& CBool::operator=(bool value)
{
    m_value = value;
    return *this;
}

CBool& CBool::operator=(const CBool& other)
{
    m_value = other.m_value;
    return *this;
}

void CBool::getValueAsString(CString& out) const
{
    out.setString(m_value ? "True" : "False");
}

void CBool::getObjectDescription(char* buffer, long size) const
{
    copyTextToBuffer(m_value ? "True" : "False", buffer, size);
}

} // namespace Vantor::Basics
