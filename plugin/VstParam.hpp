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
    static void copyText(const char* source, char* text);

    // Written by the host's automation and the audio thread's MIDI control changes,
    // read by the audio path and the editor, without a lock: relaxed atomics (on
    // x86 a plain load or store).
    std::atomic<float> m_value{0.0f};
    std::atomic<float> m_realValue{0.0f};
    char m_name[kTextSize];
    char m_label[kTextSize];
};

// What the linear and the exponential parameters share: a range, and a real
// value mapped from the normalised one whenever it is set. Not a kind of
// parameter of its own (it has no class record; its two kinds have theirs).
class CVstParamRanged : public CVstParam
{
public:
    void setValue(float value) override;
    float getRealValue() const override;

    // Stores the range and maps the current value again.
    virtual void setRange(float minimum, float maximum);

    float getMinimum() const { return m_minimum; }
    float getMaximum() const { return m_maximum; }

protected:
    CVstParamRanged(const char* name, const char* label, float minimum, float maximum);
    // The real value of a normalised one within the current range.
    virtual float mapValue(float value) const = 0;

private:
    float m_minimum;
    float m_maximum;
};

// Writes `real` into text (kTextSize bytes) with decimals that shrink as its
// magnitude grows: three below 10, two below 100, one below 1000, none below
// `scientificFrom` and "%g" from there on ("%.3f" for a NaN); with a "+" before
// positive numbers if `plusSign`.
void formatShrinkingDecimals(char* text, float real, float scientificFrom, bool plusSign);

} // namespace Vantor::Quellor
