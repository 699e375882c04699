#pragma once

#include "plugin/VstParam.hpp"

namespace Vantor::Quellor
{

// A time parameter in milliseconds mapped exponentially onto a positive range:
// real = minimum * (maximum / minimum)^value, kept inside the range (the
// normalised value itself is stored as given). Starts at 1 to 1000 ms, value 0.
// Both bounds of a range must be above 0.
class CVstParamFloatExp : public CVstParamRanged
{
public:
    VANTOR_DECLARE_CLASS(CVstParamFloatExp);

    explicit CVstParamFloatExp(const char* name);
    ~CVstParamFloatExp() override;

protected:
    float mapValue(float value) const override;
};

} // namespace Vantor::Quellor
