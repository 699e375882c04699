#pragma once

#include "framework/basics/CountedObject.hpp"

#include <cstdint>

namespace Vantor::Music
{

// A musical time signature such as 3/4 or 6/8; 4/4 unless told otherwise.
class CTimeSignature : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CTimeSignature);

    CTimeSignature() = default;
    CTimeSignature(std::int32_t numerator, std::int32_t denominator);

    void setTimeSignature(std::int32_t numerator, std::int32_t denominator);
    // Takes over both numbers of another signature.
    void setTimeSignature(const CTimeSignature& other);

    std::int32_t getNumerator() const { return m_numerator; }
    std::int32_t getDenominator() const { return m_denominator; }

    // "[%li/%li]" of numerator and denominator.
    void getObjectDescription(char* buffer, long size) const override;

private:
    std::int32_t m_numerator = 4;
    std::int32_t m_denominator = 4;
};

} // namespace Vantor::Music
