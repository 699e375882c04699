#include "framework/gui/controls/ControlDescriptor.hpp"

#include "framework/io/XMLAttribute.hpp"
#include "framework/io/XMLNode.hpp"

namespace Vantor::GUI::Controls
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Controls::CControlDescriptor, "CControlDescriptor", "CCountedObject")

CControlDescriptor::CControlDescriptor(const Basics::CString& name, long type)
    : m_name(name), m_type(type), m_value("")
{
}

CControlDescriptor::CControlDescriptor(const CControlDescriptor& other)
    : CCountedObject(), m_name(other.m_name), m_type(other.m_type), m_value(other.m_value),
      m_choices(other.m_choices)
{
}

CControlDescriptor& CControlDescriptor::operator=(const CControlDescriptor& other)
{
    m_name = other.m_name;
    m_type = other.m_type;
    m_value = other.m_value;
    m_choices = other.m_choices;
    return *this;
}

Basics::CString CControlDescriptor::getChoice(long index) const
{
    if (index < 0 || index >= getNumberOfChoices())
    {
        return Basics::CString("");
    }
    return m_choices[static_cast<std::size_t>(index)];
}

void CControlDescriptor::setValue(long value)
{
    m_value.setStringWithFormat("%li", value);
}

void CControlDescriptor::setValue(double value)
{
    m_value.setStringWithFormat("%.6f", value);
}

void CControlDescriptor::writeToXml(IO::CXMLNode* parent) const
{
    IO::CXMLNode* node = parent->createChildNode("descriptor");
    node->createAttribute("name", "")->setValue(m_name);
    node->createAttribute("type", "")->setValue(m_type);
    node->createAttribute("value", "")->setValue(m_value);
}

bool CControlDescriptor::readFromXml(IO::CXMLNode* node)
{
    if (node == nullptr || node->getName() != "descriptor")
    {
        return false;
    }
    m_name = node->getAttributeValue("name");
    m_type = Basics::CString::stringToLong(node->getAttributeValue("type"));
    m_value = node->getAttributeValue("value");
    return true;
}

} // namespace Vantor::GUI::Controls
