#pragma once
// One name="value" pair of an XML node. Values are held as text; the typed
// setters and readers fix the text forms.
#include "framework/basics/CountedObject.hpp"
#include "framework/basics/String.hpp"

namespace Vantor::IO
{

class CXMLAttribute : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CXMLAttribute);

    // A name and a value of any type that setValue() takes.
    template <typename Value> CXMLAttribute(const Basics::CString& name, Value value)
    {
        setName(name);
        setValue(value);
    }

    // Names never contain blanks: the name is trimmed and each remaining
    // blank becomes "_".
    void setName(const Basics::CString& name);
    const Basics::CString& getName() const { return m_name; }
    const Basics::CString& getValue() const { return m_value; }

    void setValue(const Basics::CString& value);
    void setValue(const char* value);
    // "True" or "False".
    void setValue(bool value);
    // Six decimals.
    void setValue(double value);
    void setValue(float value);
    void setValue(long value);
    void setValue(int value);

    double getValueAsDouble() const;
    float getValueAsFloat() const;
    long getValueAsLong() const;
    int getValueAsInt() const;
    // True exactly when the value is "True".
    bool getValueAsBool() const;

private:
    Basics::CString m_name;
    Basics::CString m_value;
};

} // namespace Vantor::IO
