#pragma once
// A value inside a range, with a normalised view of 0 … 1 over the range.
#include "framework/basics/CountedObject.hpp"
#include "framework/basics/String.hpp"

namespace Vantor::MathTools
{

class CParameter : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CParameter);

    // Value 0.5 within 0 … 1.
    CParameter();
    // The range as setRange() takes it, then the value at `normalised`.
    CParameter(double minimum, double maximum, double normalised);

    // Ignored unless maximum ≥ minimum; the value is not changed.
    virtual void setRange(double minimum, double maximum);
    virtual double getValue() const;
    // The value as text with two decimals.
    virtual void getValueAsString(Basics::CString& out) const;
    // value = range × normalised + minimum; `normalised` is not limited to 0 … 1.
    virtual void setNormalisedValue(double normalised);
    virtual double setNormalisedValueAndGetValue(double normalised);

    double getMinimum() const { return m_minimum; }
    double getMaximum() const { return m_maximum; }
    double getRange() const { return m_range; }

private:
    double m_value = 0.5;
    double m_minimum = 0.0;
    double m_maximum = 1.0;
    double m_range = 1.0;
};

} // namespace Vantor::MathTools
