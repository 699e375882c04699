#pragma once

#include "framework/basics/String.hpp"

namespace Vantor::Basics
{

// Prints with the format "%.0" + decimals + "f" (a negative count counts as 0).
void formatReal(double value, long decimals, CString& out);

// The shared body of the boxed floating-point numbers CFloat and CDouble:
// value, arithmetic with boxes and plain values, and the text form.
// `Box` is the concrete class, so that operators answer it.
template <class Box, class Value> class TBoxedReal : public CCountedObject
{
public:
    Value getValue() const { return m_value; }
    void setValue(Value value) { m_value = value; }

    Box& operator=(Value value)
    {
        m_value = value;
        return self();
    }
    Box& operator=(const Box& other)
    {
        m_value = other.m_value;
        return self();
    }

    bool operator==(Value value) const { return m_value == value; }
    bool operator==(const Box& other) const { return m_value == other.m_value; }
    bool operator!=(Value value) const { return m_value != value; }
    bool operator!=(const Box& other) const { return m_value != other.m_value; }

    Box& operator+=(Value value)
    {
        m_value += value;
        return self();
    }
    Box& operator-=(Value value)
    {
        m_value -= value;
        return self();
    }
    Box& operator*=(Value value)
    {
        m_value *= value;
        return self();
    }
    // Dividing by zero sets the value to 0.
    Box& operator/=(Value value)
    {
        m_value = value == 0 ? Value(0) : m_value / value;
        return self();
    }
    Box& operator+=(const Box& other) { return *this += other.m_value; }
    Box& operator-=(const Box& other) { return *this -= other.m_value; }
    Box& operator*=(const Box& other) { return *this *= other.m_value; }
    Box& operator/=(const Box& other) { return *this /= other.m_value; }

    // The value with `decimals` digits after the point: 2 gives "0.50".
    void getValueAsString(CString& out, long decimals) const
    {
        formatReal(static_cast<double>(m_value), decimals, out);
    }
    // Two decimals.
    void getObjectDescription(char* buffer, long size) const override
    {
        CString text;
        getValueAsString(text, 2);
        copyTextToBuffer(text.getString(), buffer, size);
    }

protected:
    explicit TBoxedReal(Value value) : m_value(value) {}
    TBoxedReal(const TBoxedReal& other) : CCountedObject(other), m_value(other.m_value) {}

private:
    Box& self() { return static_cast<Box&>(*this); }

    Value m_value;
};

} // namespace Vantor::Basics
