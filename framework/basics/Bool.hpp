#pragma once

#include "framework/basics/String.hpp"

namespace Vantor::Basics
{

// A boxed boolean that knows its text: "True" or "False".
class CBool : public CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CBool);

    CBool(bool value = false);
    CBool(const CBool& other);

    CBool& operator=(bool value);
    CBool& operator=(const CBool& other);
    bool operator==(bool value) const { return m_value == value; }
    bool operator==(const CBool& other) const { return m_value == other.m_value; }
    bool operator!=(bool value) const { return m_value != value; }
    bool operator!=(const CBool& other) const { return m_value != other.m_value; }

    bool getValue() const { return m_value; }
    void setValue(bool value) { m_value = value; }

    void getValueAsString(CString& out) const;
    void getObjectDescription(char* buffer, long size) const override;

private:
    bool m_value;
};

} // namespace Vantor::Basics
