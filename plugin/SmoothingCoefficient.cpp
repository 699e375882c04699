#include "plugin/SmoothingCoefficient.hpp"

#include <cmath>

namespace Vantor::Quellor
{

CSmoothingCoefficient::CSmoothingCoefficient(float sampleRate, float timeMilliseconds)
    : m_sampleRate(sampleRate), m_time(timeMilliseconds), m_coefficient(0.0f)
{
    recompute();
}

void CSmoothingCoefficient::setSampleRate(float sampleRate)
{
    m_sampleRate = sampleRate;
    recompute();
}

void CSmoothingCoefficient::setTime(float timeMilliseconds)
{
    m_time = timeMilliseconds;
    recompute();
}

float CSmoothingCoefficient::computeCoefficient(float sampleRate, float timeMilliseconds)
{
    const long double product = static_cast<long double>(timeMilliseconds) * sampleRate;
    return static_cast<float>(std::exp(-1000.0L / product));
}

void CSmoothingCoefficient::recompute()
{
    m_coefficient = computeCoefficient(m_sampleRate, m_time);
}

} // namespace Vantor::Quellor
