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
    formatRealValue(text);
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

void CVstParam::formatRealValue(char* text) const
{
    if (text == nullptr)
    {
        return;
    }
    const float real = getRealValue();
    const float magnitude = std::fabs(real);
    const char* format = "%.3f"; // also for a NaN, which fails every comparison
    if (magnitude >= 1000000.0f)
    {
        format = "%g";
    }
    else if (magnitude >= 1000.0f)
    {
        format = "%.0f";
    }
    else if (magnitude >= 100.0f)
    {
        format = "%.1f";
    }
    else if (magnitude >= 10.0f)
    {
        format = "%.2f";
    }
    std::snprintf(text, kTextSize, format, static_cast<double>(real));
}

void CVstParam::copyText(const char* source, char* text)
{
    if (text != nullptr)
    {
        std::snprintf(text, kTextSize, "%s", source);
    }
}

} // namespace Vantor::Quellor
