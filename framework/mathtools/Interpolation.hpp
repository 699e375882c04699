#pragma once
// Linear interpolation between two values and its inverse.
namespace Vantor::MathTools
{

class CInterpolation
{
public:
    // a + (b − a) × t, rounded up to the next integer.
    static long interpolate(long a, long b, double t);
    // 0.99999 ÷ (b − a) × (v − a): where v lies between a and b, with b itself
    // mapping just below 1.
    static double normalise(long a, long b, long v);
    // a + (b − a) × t.
    static double interpolate(double a, double b, double t);
};

} // namespace Vantor::MathTools
