#pragma once

#include "plugin/Parameters.hpp"
#include "plugin/VstParam.hpp"

namespace Vantor::Quellor
{

// A new parameter object for a row of the parameter table: linear rows become a
// CVstParamFloat, exponential ones a CVstParamFloatExp, each at the row's initial
// value. The caller owns it (reference count 0).
CVstParam* createParameterObject(const Parameters::SParameter& parameter);

} // namespace Vantor::Quellor
