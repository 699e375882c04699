#include "plugin/Program.hpp"

namespace Vantor::Quellor
{

CProgram::CProgram() : m_values{}, m_name("(empty)") {}

void CProgram::setName(const char* name)
{
    m_name.setString(name);
}

// Settings in words (output gain, threshold, ratio, attack, release):
//   Default           +2.0 dB,   0 dB (compressor bypassed), 1:1,    5.6 ms, 31.6 ms
//   Mix               +2.2 dB, -10 dB, 2.33:1, 1 ms,   144.5 ms
//   Bass Guitar       +2.2 dB, -20 dB, 3.48:1, 2.8 ms, 134.9 ms
//   Vocals            +2.2 dB, -25 dB, 2.33:1, 1 ms,    55 ms
//   Acoustic Guitar   +2.2 dB, -20 dB, 1.90:1, 22.4 ms, 44.7 ms
//   Hard              +2.2 dB,  -8 dB, 20:1,   1 ms,     7.9 ms
//   Drums             +2.2 dB,  -5 dB, 2.72:1, 4 ms,    31.6 ms
//   FSU               +8.0 dB, -50 dB, 20:1,   1 ms,     1 ms
// and five more slots holding the Default settings, which are the parameters' defaults.
// Values by parameter index: Master, Threshold, Ratio, Attack, Release, Mix.
namespace
{
constexpr std::array<float, Parameters::kCount> kDefaults = Parameters::defaultValues();
} // namespace

const SFactoryProgram kFactoryPrograms[kNumFactoryPrograms] = {
    {"Default", kDefaults},
    {"Mix", {0.505f, 0.8f, 0.6f, 0.0f, 0.72f, 1.0f}},
    {"Bass Guitar", {0.505f, 0.6f, 0.75f, 0.15f, 0.71f, 1.0f}},
    {"Vocals", {0.505f, 0.5f, 0.6f, 0.0f, 0.58f, 1.0f}},
    {"Acoustic Guitar", {0.505f, 0.6f, 0.5f, 0.45f, 0.55f, 1.0f}},
    {"Hard", {0.505f, 0.84f, 1.0f, 0.0f, 0.3f, 1.0f}},
    {"Drums", {0.505f, 0.9f, 0.665f, 0.2f, 0.5f, 1.0f}},
    {"FSU", {0.65f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f}},
    {"-------", kDefaults},
    {"Pressora", kDefaults},
    {"From", kDefaults},
    {"Halden", kDefaults},
    {"Rookmere", kDefaults},
};

} // namespace Vantor::Quellor
