#include "framework/vst/VstTempo.hpp"

#include "framework/basics/Exception.hpp"
#include "framework/vst/AudioEffectX.hpp"

#include <cmath>
#include <limits>

namespace Vantor::Vst
{

VANTOR_DEFINE_CLASS(Vantor::Vst::CVstTempo, "CVstTempo", "CCountedObject")

namespace
{

// Whole samples of a non-negative length; nonsense (negative, NaN, huge) gives 0 or the maximum.
std::int32_t wholeSamples(double samples)
{
    if (!(samples > 0.0))
    {
        return 0;
    }
    if (samples >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
    {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(samples);
}

// Quarter notes from the position to the next bar line, within 0 to one bar.
double quartersToNextBar(double numerator, double barStart, double position)
{
    if (barStart == position)
    {
        return 0.0;
    }
    double distance = numerator + barStart - position;
    if (!(numerator > 0.0))
    {
        return distance;
    }
    if (distance < 0.0)
    {
        distance = std::fmod(distance, numerator);
        if (distance < 0.0)
        {
            distance += numerator;
        }
    }
    else if (distance > numerator)
    {
        distance = std::fmod(distance, numerator);
        if (distance == 0.0)
        {
            distance = numerator;
        }
    }
    return distance;
}

} // namespace

void CVstTempo::setEffect(AudioEffectX* effect)
{
    if (effect == nullptr)
    {
        throw Exceptions::CException("Effect is NULL", "CVstTempo::CVstTempo(AudioEffectX *)");
    }
    m_effect = effect;
}

bool CVstTempo::getTempoInformation(VstInt32 filter)
{
    if (m_effect == nullptr)
    {
        throw Exceptions::CException("m_theEffect is NULL", "CVstTempo::getTempoInformation(const long *)");
    }

    const VstTimeInfo* info = m_effect->getTimeInfo(filter);
    if (info == nullptr)
    {
        m_valid = false;
        return false;
    }
    m_valid = true;

    STempoInformation& r = m_record;
    r.transportChanged = (info->flags & kVstTransportChanged) != 0;
    r.playing = (info->flags & kVstTransportPlaying) != 0;

    r.tempoValid = r.samplesPerBeatValid = (info->flags & kVstTempoValid) != 0;
    r.tempo = r.tempoValid ? info->tempo : 0.0;
    const double beatsPerSecond = r.tempo / 60.0;
    r.samplesPerBeat =
        r.tempoValid && beatsPerSecond > 0.0 ? wholeSamples(info->sampleRate / beatsPerSecond) : 0;

    r.timeSignatureValid = (info->flags & kVstTimeSigValid) != 0;
    if (r.timeSignatureValid)
    {
        r.timeSignature.setTimeSignature(info->timeSigNumerator, info->timeSigDenominator);
    }
    else
    {
        r.timeSignature.setTimeSignature(4, 4);
    }

    r.positionValid = (info->flags & kVstPpqPosValid) != 0;
    r.position = r.positionValid ? info->ppqPos : 0.0;
    r.barsValid = (info->flags & kVstBarsValid) != 0;
    r.barStart = r.barsValid ? info->barStartPos : 0.0;
    r.samplePosition = info->samplePos;

    r.barOffsetValid = r.tempoValid && r.timeSignatureValid && r.positionValid && r.barsValid;
    r.samplesToNextBar = 0;
    if (r.barOffsetValid && beatsPerSecond > 0.0)
    {
        const double quarters = quartersToNextBar(r.timeSignature.getNumerator(), r.barStart, r.position);
        r.samplesToNextBar = wholeSamples(quarters * info->sampleRate / beatsPerSecond);
    }
    return true;
}

} // namespace Vantor::Vst
