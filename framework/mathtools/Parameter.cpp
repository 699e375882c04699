#include "framework/mathtools/Parameter.hpp"

namespace Vantor::MathTools
{

CParameter::CParameter() = default;

CParameter::CParameter(double minimum, double maximum, double normalised)
{
    setRange(minimum, maximum);
    setNormalisedValue(normalised);
}

void CParameter::setRange(double minimum, double maximum)
{
    if (maximum < minimum)
    {
        return;
    }
    m_minimum = minimum;
    m_maximum = maximum;
    m_range = maximum - minimum;
}

double CParameter::getValue() const
{
    return m_value;
}

void CParameter::getValueAsString(Basics::CString& out) const
{
    out.setStringWithFormat("%.02f", m_value);
}

void CParameter::setNormalisedValue(double normalised)
{
    m_value = m_range * normalised + m_minimum;
}

double CParameter::setNormalisedValueAndGetValue(double normalised)
{
    setNormalisedValue(normalised);
    return m_value;
}

} // namespace Vantor::MathTools

VANTOR_DEFINE_CLASS(Vantor::MathTools::CParameter, "CParameter", "CCountedObject")
