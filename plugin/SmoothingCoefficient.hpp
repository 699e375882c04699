#pragma once

namespace Vantor::Quellor
{

// The coefficient of a one-pole smoother for a time constant at a sample rate:
// exp(-1000 / (time_ms * rate)), so a step is covered to about 63 % in `time`.
// The exponential is taken in extended precision and kept in single precision.
class CSmoothingCoefficient
{
public:
    CSmoothingCoefficient(float sampleRate, float timeMilliseconds);

    // Stores the rate and recomputes the coefficient with the stored time.
    void setSampleRate(float sampleRate);
    // Stores the time and recomputes the coefficient with the stored rate.
    void setTime(float timeMilliseconds);

    float getSampleRate() const { return m_sampleRate; }
    float getTime() const { return m_time; }
    float getCoefficient() const { return m_coefficient; }

    static float computeCoefficient(float sampleRate, float timeMilliseconds);

private:
    void recompute();

    float m_sampleRate;
    float m_time;
    float m_coefficient;
};

} // namespace Vantor::Quellor
