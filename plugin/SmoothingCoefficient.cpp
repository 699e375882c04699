#include "plugin/SmoothingCoefficient.hpp"

#include <cmath>

namespace Vantor::Quellor
{

CSmoothingCoefficient::CSmoothingCoefficient(float sampleRate, float timeMilliseconds)
    : m_sampleRate(sampleRate), m_time(timeMilliseconds),
      m_coefficient(computeCoefficient(sampleRate, timeMilliseconds))
{
}

void CSmoothingCoefficient::setSampleRate(float sampleRate)
{
    m_sampleRate.store(sampleRate, std::memory_order_relaxed);
    m_coefficient.store(computeCoefficient(sampleRate, getTime()), std::memory_order_relaxed);
}

void CSmoothingCoefficient::setTime(float timeMilliseconds)
{
    m_time.store(timeMilliseconds, std::memory_order_relaxed);
    m_coefficient.store(computeCoefficient(getSampleRate(), timeMilliseconds), std::memory_order_relaxed);
}

float CSmoothingCoefficient::computeCoefficient(float sampleRate, float timeMilliseconds)
{
    const long double product = static_cast<long double>(timeMilliseconds) * sampleRate;
    return static_cast<float>(std::exp(-1000.0L / product));
}

} // namespace Vantor::Quellor
