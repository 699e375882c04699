#include "plugin/VstParamFloatExp.hpp"

#include "plugin/Parameters.hpp"

namespace Vantor::Quellor
{

VANTOR_DEFINE_CLASS(Vantor::Quellor::CVstParamFloatExp, "CVstParamFloatExp", "CVstParam")

CVstParamFloatExp::CVstParamFloatExp(const char* name) : CVstParamRanged(name, "ms", 1.0f, 1000.0f)
{
    CVstParamRanged::setValue(0.0f);
}

CVstParamFloatExp::~CVstParamFloatExp() = default;

float CVstParamFloatExp::mapValue(float value) const
{
    return Parameters::exponentialReal(getMinimum(), getMaximum(), value);
}

} // namespace Vantor::Quellor
