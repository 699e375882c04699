#pragma once

#include "plugin/VstParam.hpp"

namespace Vantor::Quellor
{

// A parameter mapped linearly onto [minimum, maximum]:
// real = minimum + (maximum - minimum) * value, in single precision.
class CVstParamFloat : public CVstParamRanged
{
public:
    VANTOR_DECLARE_CLASS(CVstParamFloat);

    CVstParamFloat(const char* name, const char* label, float minimum, float maximum, float initialValue);
    ~CVstParamFloat() override;

    void getDisplay(char* text) const override;

    // Shows a "+" before positive numbers.
    void setPlusSign(bool plusSign) { m_plusSign = plusSign; }
    bool hasPlusSign() const { return m_plusSign; }

protected:
    float mapValue(float value) const override;

private:
    bool m_plusSign = false;
};

} // namespace Vantor::Quellor
