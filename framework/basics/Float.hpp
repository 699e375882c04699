#pragma once

#include "framework/basics/BoxedReal.hpp"

namespace Vantor::Basics
{

// A boxed 32-bit float with arithmetic and a text form with chosen decimals.
class CFloat : public TBoxedReal<CFloat, float>
{
public:
    VANTOR_DECLARE_CLASS(CFloat);

    CFloat(float value = 0.0f);
    CFloat(const CFloat& other);
    using TBoxedReal::operator=;
    CFloat& operator=(const CFloat& other) { return TBoxedReal::operator=(other); }
};

} // namespace Vantor::Basics
