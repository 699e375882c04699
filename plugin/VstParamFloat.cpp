#include "plugin/VstParamFloat.hpp"

#include <cmath>
#include <cstdio>

namespace Vantor::Quellor
{

VANTOR_DEFINE_CLASS(Vantor::Quellor::CVstParamFloat, "CVstParamFloat", "CVstParam")

CVstParamFloat::CVstParamFloat(const char* name, const char* label, float minimum, float maximum,
                               float initialValue)
    : CVstParam(name, label), m_minimum(minimum), m_maximum(maximum)
{
    CVstParamFloat::setValue(initialValue);
}

CVstParamFloat::~CVstParamFloat() = default;

void CVstParamFloat::setValue(float value)
{
    m_value.store(value, std::memory_order_relaxed);
    m_realValue.store(m_minimum + (m_maximum - m_minimum) * value, std::memory_order_relaxed);
}

float CVstParamFloat::getRealValue() const
{
    return m_realValue.load(std::memory_order_relaxed);
}

void CVstParamFloat::setRange(float minimum, float maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    setValue(m_value.load(std::memory_order_relaxed));
}

void CVstParamFloat::getDisplay(char* text) const
{
    if (text == nullptr)
    {
        return;
    }
    // "%" ["+"] then "g" for huge numbers, else "." and fewer decimals as they grow.
    const float real = m_realValue.load(std::memory_order_relaxed);
    const float magnitude = std::fabs(real);
    char format[8];
    int length = 0;
    format[length++] = '%';
    if (m_plusSign)
    {
        format[length++] = '+';
    }
    if (magnitude >= 100000.0f)
    {
        format[length++] = 'g';
    }
    else
    {
        const char decimals = magnitude >= 1000.0f  ? '0'
                              : magnitude >= 100.0f ? '1'
                              : magnitude >= 10.0f  ? '2'
                                                    : '3';
        format[length++] = '.';
        format[length++] = decimals;
        format[length++] = 'f';
    }
    format[length] = '\0';
    std::snprintf(text, kTextSize, format, static_cast<double>(real));
}

} // namespace Vantor::Quellor
