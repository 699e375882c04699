#include "framework/midi/MidiEventList.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace Vantor::Midi
{

VANTOR_DEFINE_CLASS(Vantor::Midi::CMidiEventList, "CMidiEventList", "CCountedObject")

CMidiEvent* CMidiEventList::getEvent(std::int32_t index)
{
    return index >= 0 && index < m_numberOfEvents ? &m_events[index] : nullptr;
}

const CMidiEvent* CMidiEventList::getEvent(std::int32_t index) const
{
    return index >= 0 && index < m_numberOfEvents ? &m_events[index] : nullptr;
}

void CMidiEventList::clear()
{
    m_numberOfEvents = 0;
    m_readPosition = 0;
}

CMidiEvent* CMidiEventList::getCurrentEvent()
{
    return getEvent(m_readPosition);
}

void CMidiEventList::moveToNextEvent()
{
    if (++m_readPosition >= m_numberOfEvents)
    {
        m_readPosition = 0;
    }
}

bool CMidiEventList::hasNextEvent() const
{
    return m_readPosition >= 0 && m_readPosition + 1 < m_numberOfEvents;
}

std::int32_t CMidiEventList::getDeltaToNextEvent() const
{
    if (!hasNextEvent())
    {
        return 0;
    }
    // Deltas come from the host as they are; the distance between two extreme
    // ones does not fit 32 bits, so it is taken wide and kept within them.
    const std::int64_t distance = static_cast<std::int64_t>(m_events[m_readPosition + 1].getDelta()) -
                                  m_events[m_readPosition].getDelta();
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        distance, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

void CMidiEventList::getObjectDescription(char* buffer, long size) const
{
    char text[80];
    std::snprintf(text, sizeof text, "[Number Of Events(%li), Channel(%li)]",
                  static_cast<long>(m_numberOfEvents), static_cast<long>(m_channel));
    Basics::copyTextToBuffer(text, buffer, size);
}

bool CMidiEventList::addEvent(std::int32_t status, std::int32_t value, std::int32_t subValue,
                              std::int32_t channel, std::int32_t delta, double pitchBend)
{
    if (isFull())
    {
        return false;
    }
    m_events[m_numberOfEvents++].setEvent(status, value, subValue, channel, delta, pitchBend);
    return true;
}

} // namespace Vantor::Midi
