#include "plugin/VstParam.hpp"

#include <cmath>
#include <cstdio>

namespace Vantor::Quellor
{

VANTOR_DEFINE_CLASS(Vantor::Quellor::CVstParam, "CVstParam", "CCountedObject")

namespace
{
// The integer and selection parameter kinds belong to the same family; this
// product creates none, but their class records are known to the registry.
const Basics::CClass& integerParameterRecord()
{
    static Basics::CClass record("CVstParamInt", "CVstParam");
    return record;
}
const Basics::CClass& selectionParameterRecord()
{
    static Basics::CClass record("CVstParamSelect", "CVstParam");
    return record;
}
[[maybe_unused]] const Basics::CClass& integerRecord = integerParameterRecord();
[[maybe_unused]] const Basics::CClass& selectionRecord = selectionParameterRecord();

// Cuts `source` to the 23 characters that fit into `target`.
void storeText(char (&target)[CVstParam::kTextSize], const char* source)
{
    std::snprintf(target, sizeof target, "%s", source != nullptr ? source : "");
}
} // namespace

CVstParam::CVstParam(const char* name, const char* label)
{
    storeText(m_name, name);
    storeText(m_label, label);
}

CVstParam::~CVstParam() = default;

void CVstParam::setValue(float value)
{
    m_value.store(value, std::memory_order_relaxed);
    m_realValue.store(value, std::memory_order_relaxed);
}

float CVstParam::getValue() const
{
    return m_value.load(std::memory_order_relaxed);
}

void CVstParam::getName(char* text) const
{
    copyText(m_name, text);
}

void CVstParam::getDisplay(char* text) const
{
    formatShrinkingDecimals(text, getRealValue(), 1000000.0f, false);
}

void CVstParam::getLabel(char* text) const
{
    copyText(m_label, text);
}

float CVstParam::getRealValue() const
{
    return m_value.load(std::memory_order_relaxed);
}

long CVstParam::getRoundedValue() const
{
    return static_cast<long>(std::floor(static_cast<double>(getRealValue()) + 0.5));
}

void CVstParam::copyText(const char* source, char* text)
{
    if (text != nullptr)
    {
        std::snprintf(text, kTextSize, "%s", source);
    }
}

CVstParamRanged::CVstParamRanged(const char* name, const char* label, float minimum, float maximum)
    : CVstParam(name, label), m_minimum(minimum), m_maximum(maximum)
{
}

void CVstParamRanged::setValue(float value)
{
    m_value.store(value, std::memory_order_relaxed);
    m_realValue.store(mapValue(value), std::memory_order_relaxed);
}

float CVstParamRanged::getRealValue() const
{
    return m_realValue.load(std::memory_order_relaxed);
}

void CVstParamRanged::setRange(float minimum, float maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    setValue(m_value.load(std::memory_order_relaxed));
}

void formatShrinkingDecimals(char* text, float real, float scientificFrom, bool plusSign)
{
    if (text == nullptr)
    {
        return;
    }
    // "%" ["+"] then "g" for huge numbers, else "." and fewer decimals as they grow;
    // a NaN fails every comparison and takes three decimals.
    const float magnitude = std::fabs(real);
    char format[8];
    int length = 0;
    format[length++] = '%';
    if (plusSign)
    {
        format[length++] = '+';
    }
    if (magnitude >= scientificFrom)
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
    std::snprintf(text, CVstParam::kTextSize, format, static_cast<double>(real));
}

} // namespace Vantor::Quellor
