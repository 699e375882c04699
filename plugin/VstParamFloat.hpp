#pragma once

#include "plugin/VstParam.hpp"

namespace Vantor::Quellor
{

// A parameter mapped linearly onto [minimum, maximum]:
// real = minimum + (maximum - minimum) * value, in single precision.
class CVstParamFloat : public CVstParam
{
public:
    VANTOR_DECLARE_CLASS(CVstParamFloat);

    CVstParamFloat(const char* name, const char* label, float minimum, float maximum, float initialValue);
    ~CVstParamFloat() override;

    void setValue(float value) override;
    void getDisplay(char* text) const override;
    float getRealValue() const override;

    // Stores the range and maps the current value again.
    virtual void setRange(float minimum, float maximum);

    // Shows a "+" before positive numbers.
    void setPlusSign(bool plusSign) { m_plusSign = plusSign; }
    bool hasPlusSign() const { return m_plusSign; }
    float getMinimum() const { return m_minimum; }
    float getMaximum() const { return m_maximum; }

private:
    bool m_plusSign = false;
    float m_minimum;
    float m_maximum;
};

} // namespace Vantor::Quellor
