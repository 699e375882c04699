#include "framework/basics/Double.hpp"

namespace Vantor::Basics
{

VANTOR_DEFINE_CLASS(Vantor::Basics::CDouble, "CDouble", "CCountedObject")

CDouble::CDouble(double value) : TBoxedReal(value) {}

CDouble::CDouble(const CDouble& other) : TBoxedReal(other) {}

} // namespace Vantor::Basics
