#pragma once

#include <array>
#include <atomic>

#include "framework/basics/String.hpp"
#include "plugin/Parameters.hpp"

namespace Vantor::Quellor
{

// One program (preset): the normalised host value of each of the six parameters
// and a name of any length. A new record holds zeros and "(empty)".
class CProgram
{
public:
    CProgram();

    float getValue(int index) const { return m_values[index].load(std::memory_order_relaxed); }
    void setValue(int index, float value) { m_values[index].store(value, std::memory_order_relaxed); }
    const char* getName() const { return m_name.getString(); }
    void setName(const char* name);

private:
    // Host automation and the audio thread's MIDI changes both write the current
    // program's values, without a lock.
    std::atomic<float> m_values[Parameters::kCount];
    Basics::CString m_name;
};

// The programs the effect is delivered with, numbered 0 to 12.
struct SFactoryProgram
{
    const char* name;
    // The host value of each parameter, by parameter index.
    std::array<float, Parameters::kCount> values;
};

inline constexpr int kNumFactoryPrograms = 13;
extern const SFactoryProgram kFactoryPrograms[kNumFactoryPrograms];

} // namespace Vantor::Quellor
