#include "plugin/ParameterObjects.hpp"

#include "plugin/VstParamFloat.hpp"
#include "plugin/VstParamFloatExp.hpp"

namespace Vantor::Quellor
{

CVstParam* createParameterObject(const Parameters::SParameter& parameter)
{
    if (parameter.mapping == Parameters::EMapping::kLinear)
    {
        return new CVstParamFloat(parameter.name, parameter.label, parameter.minimum, parameter.maximum,
                                  parameter.initialValue);
    }
    // Time parameters always read "ms"; the range and the start come from the table.
    auto* exponential = new CVstParamFloatExp(parameter.name);
    exponential->setRange(parameter.minimum, parameter.maximum);
    exponential->setValue(parameter.initialValue);
    return exponential;
}

} // namespace Vantor::Quellor
