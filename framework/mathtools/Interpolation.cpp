#include "framework/mathtools/Interpolation.hpp"

#include <cmath>

namespace Vantor::MathTools
{

long CInterpolation::interpolate(long a, long b, double t)
{
    return static_cast<long>(std::ceil(interpolate(static_cast<double>(a), static_cast<double>(b), t)));
}

double CInterpolation::normalise(long a, long b, long v)
{
    return 0.99999 / static_cast<double>(b - a) * static_cast<double>(v - a);
}

double CInterpolation::interpolate(double a, double b, double t)
{
    return a + (b - a) * t;
}

} // namespace Vantor::MathTools
