#pragma once

#include "plugin/VstParam.hpp"

namespace Vantor::Quellor
{

// A time parameter in milliseconds mapped exponentially onto a positive range:
// real = minimum * (maximum / minimum)^value, kept inside the range (the
// normalised value itself is stored as given). Starts at 1 to 1000 ms, value 0.
class CVstParamFloatExp : public CVstParam
{
public:
    VANTOR_DECLARE_CLASS(CVstParamFloatExp);

    explicit CVstParamFloatExp(const char* name);
    ~CVstParamFloatExp() override;

    void setValue(float value) override;
    float getRealValue() const override;

    // Both bounds must be above 0. Maps the current value again.
    virtual void setRange(float minimum, float maximum);

    float getMinimum() const { return m_minimum; }
    float getMaximum() const { return m_maximum; }

private:
    float m_minimum = 1.0f;
    float m_maximum = 1000.0f;
};

} // namespace Vantor::Quellor
