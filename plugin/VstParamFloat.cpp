#include "plugin/VstParamFloat.hpp"

#include "plugin/Parameters.hpp"

namespace Vantor::Quellor
{

VANTOR_DEFINE_CLASS(Vantor::Quellor::CVstParamFloat, "CVstParamFloat", "CVstParam")

CVstParamFloat::CVstParamFloat(const char* name, const char* label, float minimum, float maximum,
                               float initialValue)
    : CVstParamRanged(name, label, minimum, maximum)
{
    CVstParamRanged::setValue(initialValue);
}

CVstParamFloat::~CVstParamFloat() = default;

float CVstParamFloat::mapValue(float value) const
{
    return Parameters::linearReal(getMinimum(), getMaximum(), value);
}

void CVstParamFloat::getDisplay(char* text) const
{
    formatShrinkingDecimals(text, getRealValue(), 100000.0f, m_plusSign);
}

} // namespace Vantor::Quellor
