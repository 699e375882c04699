#pragma once

#include "framework/basics/CountedObject.hpp"

#include <atomic>

namespace Vantor::Quellor
{

// One automatable parameter: the normalised value the host stores (0 to 1 by
// convention, never clamped), the value in display units derived from it, a name,
// a unit label and the text shown to the host. This base maps one to one.
class CVstParam : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CVstParam);

    // Room for the name and the label: 23 characters and a terminator.
    static constexpr int kTextSize = 24;

    CVstParam(const char* name, const char* label);
    ~CVstParam() override;

    virtual void setValue(float value);
    virtual float getValue() const;
    // The texts below are written with their terminator, 24 bytes at most.
    virtual void getName(char* text) const;
    virtual void getDisplay(char* text) const;
    virtual void getLabel(char* text) const;
    virtual float getRealValue() const;
    // The real value rounded half up: floor(real + 0.5).
    virtual long getRoundedValue() const;

protected:
    // Formats the real value with decimals that shrink as the magnitude grows.
    void formatRealValue(char* text) const;
    static void copyText(const char* source, char* text);

    // Written by the host's automation and the audio thread's MIDI control changes,
    // read by the audio path and the editor, without a lock: relaxed atomics (on
    // x86 a plain load or store).
    std::atomic<float> m_value{0.0f};
    std::atomic<float> m_realValue{0.0f};
    char m_name[kTextSize];
    char m_label[kTextSize];
};

} // namespace Vantor::Quellor
