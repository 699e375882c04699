#pragma once

#include <atomic>

namespace Vantor::Quellor
{

// The coefficient of a one-pole smoother for a time constant at a sample rate:
// exp(-1000 / (time_ms * rate)), so a step is covered to about 63 % in `time`.
// The exponential is taken in extended precision and kept in single precision.
// The parameter path sets the time on whichever thread automates while the audio
// thread reads the coefficient, without a lock: the fields are relaxed atomics.
class CSmoothingCoefficient
{
public:
    CSmoothingCoefficient(float sampleRate, float timeMilliseconds);

    // Stores the rate and recomputes the coefficient with the stored time.
    void setSampleRate(float sampleRate);
    // Stores the time and recomputes the coefficient with the stored rate.
    void setTime(float timeMilliseconds);

    float getSampleRate() const { return m_sampleRate.load(std::memory_order_relaxed); }
    float getTime() const { return m_time.load(std::memory_order_relaxed); }
    float getCoefficient() const { return m_coefficient.load(std::memory_order_relaxed); }

    static float computeCoefficient(float sampleRate, float timeMilliseconds);

private:
    std::atomic<float> m_sampleRate;
    std::atomic<float> m_time;
    std::atomic<float> m_coefficient;
};

} // namespace Vantor::Quellor
