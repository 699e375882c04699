#include "framework/midi/MidiEvent.hpp"

#include <cstdio>

namespace Vantor::Midi
{

VANTOR_DEFINE_CLASS(Vantor::Midi::CMidiEvent, "CMidiEvent", "CCountedObject")

void CMidiEvent::setEvent(std::int32_t status, std::int32_t value, std::int32_t subValue,
                          std::int32_t channel, std::int32_t delta, double pitchBend)
{
    m_status = status;
    m_value = value;
    m_subValue = subValue;
    m_channel = channel;
    m_delta = delta;
    m_pitchBend = pitchBend;
}

void CMidiEvent::getObjectDescription(char* buffer, long size) const
{
    const long status = m_status;
    const long value = m_value;
    const long subValue = m_subValue;
    const long channel = m_channel;
    const long delta = m_delta;
    char text[160];
    if (isNoteOff())
    {
        std::snprintf(text, sizeof text,
                      "[Note Off       : Note(%03li), Velocity(%03li), Channel(%03li), Delta(%03li)]", value,
                      subValue, channel, delta);
    }
    else if (isNoteOn())
    {
        std::snprintf(text, sizeof text,
                      "[Note On        : Note(%03li), Velocity(%03li), Channel(%03li), Delta(%03li)]", value,
                      subValue, channel, delta);
    }
    else if (isControlChange())
    {
        std::snprintf(text, sizeof text,
                      "[Control Change : CC(%03li), Value(%03li), Channel(%03li), Delta(%03li)]", value,
                      subValue, channel, delta);
    }
    else
    {
        std::snprintf(text, sizeof text,
                      "[Other Message  : Status(%03li), Value(%03li), SubValue(%03li), Channel(%03li), "
                      "Delta(%03li)]",
                      status, value, subValue, channel, delta);
    }
    Basics::copyTextToBuffer(text, buffer, size);
}

} // namespace Vantor::Midi
