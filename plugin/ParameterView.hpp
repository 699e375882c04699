#pragma once

namespace Vantor::Quellor
{

// What the effect tells the view of its parameters (its editor): every parameter
// change with the normalised host value, and after every processing call the
// peak of the compressed signal on the meter channel. Calls may come from the
// audio thread; a view only stores what it needs there.
class IParameterView
{
public:
    // The channel that carries the meter level; no parameter has this index.
    static constexpr long kMeterIndex = 7;

    virtual ~IParameterView() = default;
    // Threads: automation, audio, editor.
    virtual void parameterChanged(long index, double value) = 0;
    // True while the view itself changes a parameter: the effect then does not
    // echo the change back.
    // Threads: any.
    virtual bool isSettingParameter() const = 0;
    // The host told the effect the scale its windows are drawn at (0 or less withdraws it).
    // Threads: any.
    virtual void hostScaleChanged(double scale) { (void)scale; }
};

} // namespace Vantor::Quellor
