#pragma once

#include <cstdint>

namespace Vantor::Pressora
{

// xorshift32 noise, uniform in [-1, 1): tiny, fast and identical on every
// machine, so that generated programmes are the same sample for sample.
class CNoise
{
public:
    // A seed of 0 would stay 0 for ever; it is taken as 1.
    explicit CNoise(std::uint32_t seed) : m_state(seed != 0 ? seed : 1u) {}

    double next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return static_cast<double>(m_state) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t m_state;
};

} // namespace Vantor::Pressora
