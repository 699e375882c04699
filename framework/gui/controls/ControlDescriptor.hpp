#pragma once
// One design-time property of a control: its name, the kind of value and the
// value in text form (numbers in decimal, flags "True"/"False", areas and
// colours as comma-separated numbers, images by their image-manager name).

#include <vector>

#include "framework/basics/CountedObject.hpp"
#include "framework/basics/String.hpp"

namespace Vantor::IO
{
class CXMLNode;
}

namespace Vantor::GUI::Controls
{

class CControlDescriptor : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CControlDescriptor);

    enum EPropertyType : long
    {
        kStringProperty = 0,
        kLongProperty,
        kBoolProperty,
        kRectProperty,
        kImageProperty,
        kColourProperty,
        kDoubleProperty,
        kFontProperty,
    };

    CControlDescriptor(const Basics::CString& name, long type);
    CControlDescriptor(const CControlDescriptor& other);
    CControlDescriptor& operator=(const CControlDescriptor& other);

    const Basics::CString& getName() const { return m_name; }
    long getType() const { return m_type; }
    const Basics::CString& getValue() const { return m_value; }
    void setValue(const Basics::CString& value) { m_value = value; }

    bool getValueAsBool() const { return m_value == "True"; }
    long getValueAsLong() const { return Basics::CString::stringToLong(m_value); }
    double getValueAsDouble() const { return Basics::CString::stringToDouble(m_value); }
    void setValue(bool value) { m_value = value ? "True" : "False"; }
    void setValue(long value);
    void setValue(double value);

    // Names a design tool offers for a property that takes one of several numbers (value order).
    void addChoice(const Basics::CString& name) { m_choices.push_back(name); }
    long getNumberOfChoices() const { return static_cast<long>(m_choices.size()); }
    // The name of a choice; "" outside the list.
    Basics::CString getChoice(long index) const;

    // A "descriptor" child node with the attributes "name", "type" and "value".
    void writeToXml(IO::CXMLNode* parent) const;
    // Reads a "descriptor" node; false when it is not one.
    bool readFromXml(IO::CXMLNode* node);

private:
    Basics::CString m_name;
    long m_type;
    Basics::CString m_value;
    std::vector<Basics::CString> m_choices;
};

} // namespace Vantor::GUI::Controls
