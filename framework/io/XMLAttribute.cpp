#include "framework/io/XMLAttribute.hpp"

namespace Vantor::IO
{

void CXMLAttribute::setName(const Basics::CString& name)
{
    m_name.setString(name);
    m_name.removeTrailingAndLeadingWhiteSpace();
    m_name.replaceCharWithChar(' ', '_');
}

void CXMLAttribute::setValue(const Basics::CString& value)
{
    m_value.setString(value);
}

void CXMLAttribute::setValue(const char* value)
{
    m_value.setString(value ? value : "");
}

void CXMLAttribute::setValue(bool value)
{
    m_value.setString(value ? "True" : "False");
}

void CXMLAttribute::setValue(double value)
{
    m_value.setStringWithFormat("%f", value);
}

void CXMLAttribute::setValue(float value)
{
    setValue(static_cast<double>(value));
}

void CXMLAttribute::setValue(long value)
{
    m_value.setStringWithFormat("%li", value);
}

void CXMLAttribute::setValue(int value)
{
    m_value.setStringWithFormat("%d", value);
}

double CXMLAttribute::getValueAsDouble() const
{
    return Basics::CString::stringToDouble(m_value);
}

float CXMLAttribute::getValueAsFloat() const
{
    return Basics::CString::stringToFloat(m_value);
}

long CXMLAttribute::getValueAsLong() const
{
    return Basics::CString::stringToLong(m_value);
}

int CXMLAttribute::getValueAsInt() const
{
    return Basics::CString::stringToInt(m_value);
}

bool CXMLAttribute::getValueAsBool() const
{
    return m_value.equals("True");
}

} // namespace Vantor::IO

VANTOR_DEFINE_CLASS(Vantor::IO::CXMLAttribute, "CXMLAttribute", "CCountedObject")
