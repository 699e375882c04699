#include "framework/basics/Float.hpp"

namespace Vantor::Basics
{

VANTOR_DEFINE_CLASS(Vantor::Basics::CFloat, "CFloat", "CCountedObject")

CFloat::CFloat(float value) : TBoxedReal(value) {}

CFloat::CFloat(const CFloat& other) : TBoxedReal(other) {}

} // namespace Vantor::Basics
