#pragma once

#include <cstdint>

#include "framework/basics/String.hpp"

namespace Vantor::Basics
{

// A boxed signed 32-bit integer whose text is zero-padded to a width.
class CLong : public CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CLong);

    CLong(std::int32_t value = 0);
    CLong(const CLong& other);

    CLong& operator=(std::int32_t value);
    CLong& operator=(const CLong& other);
    bool operator==(std::int32_t value) const { return m_value == value; }
    bool operator==(const CLong& other) const { return m_value == other.m_value; }
    bool operator!=(std::int32_t value) const { return m_value != value; }
    bool operator!=(const CLong& other) const { return m_value != other.m_value; }

    std::int32_t getValue() const { return m_value; }
    void setValue(std::int32_t value) { m_value = value; }

    // At least `width` digits, zero-padded: 7 with width 2 is "07".
    void getValueAsString(CString& out, long width) const;
    // Width 2.
    void getObjectDescription(char* buffer, long size) const override;

private:
    std::int32_t m_value;
};

} // namespace Vantor::Basics
