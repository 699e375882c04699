#pragma once

#include "framework/basics/CountedObject.hpp"
#include "framework/music/TimeSignature.hpp"
#include "framework/vst/VstAbi.hpp"

#include <cstdint>

namespace Vantor::Vst
{

class AudioEffectX;

// Reads the host's tempo and transport through an effect and keeps the last
// answer. Nothing is asked until getTempoInformation() is called.
class CVstTempo : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CVstTempo);

    // What the host told at the last successful query.
    struct STempoInformation
    {
        bool tempoValid = false;
        bool timeSignatureValid = false;
        bool positionValid = false;
        bool barsValid = false;
        // samplesToNextBar is meaningful (tempo, signature, position and bars all known).
        bool barOffsetValid = false;
        // samplesPerBeat is meaningful; set together with tempoValid.
        bool samplesPerBeatValid = false;
        bool transportChanged = false;
        bool playing = false;
        Music::CTimeSignature timeSignature; // 4/4 unless the host gives one
        double tempo = 0.0;                  // beats per minute
        double position = 0.0;               // quarter notes
        double barStart = 0.0;               // quarter notes
        double samplePosition = 0.0;
        std::int32_t samplesToNextBar = 0;
        std::int32_t samplesPerBeat = 0;
    };

    // Not bound to an effect; everything 0 or false, 4/4.
    CVstTempo() = default;

    // Binds the effect to ask (not owned). A null effect throws CException ("Effect is NULL").
    void setEffect(AudioEffectX* effect);

    // Asks the host (audioMasterGetTime with the kVst...Valid flags in filter)
    // and answers whether it supplied time information. Without an answer the
    // record stays as it was. Without a bound effect throws CException.
    bool getTempoInformation(VstInt32 filter = kVstTempoValid | kVstTimeSigValid | kVstPpqPosValid |
                                               kVstBarsValid);

    // Whether the last query got an answer.
    bool isValid() const { return m_valid; }
    const STempoInformation& getTempoRecord() const { return m_record; }

private:
    AudioEffectX* m_effect = nullptr;
    bool m_valid = false;
    STempoInformation m_record;
};

} // namespace Vantor::Vst
