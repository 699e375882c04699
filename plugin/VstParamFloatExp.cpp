#include "plugin/VstParamFloatExp.hpp"

#include <algorithm>
#include <cmath>

namespace Vantor::Quellor
{

VANTOR_DEFINE_CLASS(Vantor::Quellor::CVstParamFloatExp, "CVstParamFloatExp", "CVstParam")

CVstParamFloatExp::CVstParamFloatExp(const char* name) : CVstParam(name, "ms")
{
    CVstParamFloatExp::setValue(0.0f);
}

CVstParamFloatExp::~CVstParamFloatExp() = default;

void CVstParamFloatExp::setValue(float value)
{
    m_value.store(value, std::memory_order_relaxed);
    const long double low = std::log(static_cast<long double>(m_minimum));
    const long double high = std::log(static_cast<long double>(m_maximum));
    const float real = static_cast<float>(std::exp(low + (high - low) * value));
    m_realValue.store(std::clamp(real, m_minimum, m_maximum), std::memory_order_relaxed);
}

float CVstParamFloatExp::getRealValue() const
{
    return m_realValue.load(std::memory_order_relaxed);
}

void CVstParamFloatExp::setRange(float minimum, float maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    setValue(m_value.load(std::memory_order_relaxed));
}

} // namespace Vantor::Quellor
