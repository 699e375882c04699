#pragma once

#include "framework/basics/BoxedReal.hpp"

namespace Vantor::Basics
{

// A boxed 64-bit float with arithmetic and a text form with chosen decimals.
class CDouble : public TBoxedReal<CDouble, double>
{
public:
    VANTOR_DECLARE_CLASS(CDouble);

    CDouble(double value = 0.0);
    CDouble(const CDouble& other);
    using TBoxedReal::operator=;
    CDouble& operator=(const CDouble& other) { return TBoxedReal::operator=(other); }

    bool isZero() const { return getValue() == 0.0; }
};

} // namespace Vantor::Basics
