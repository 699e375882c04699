#pragma once

#include "framework/basics/CountedObject.hpp"
#include "framework/midi/MidiEvent.hpp"

#include <cstdint>

namespace Vantor::Midi
{

// The MIDI events of one processing block, in arrival order, for one MIDI
// channel. Storage is a fixed array, so filling, reading and clearing never
// allocate and are safe on the audio thread. Events beyond the capacity are
// dropped.
class CMidiEventList : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CMidiEventList);

    static constexpr std::int32_t kMaximumEvents = 128;

    CMidiEventList() = default;

    // The event at index, or null outside 0 to getNumberOfEvents() - 1.
    CMidiEvent* getEvent(std::int32_t index);
    const CMidiEvent* getEvent(std::int32_t index) const;
    std::int32_t getNumberOfEvents() const { return m_numberOfEvents; }
    bool isFull() const { return m_numberOfEvents >= kMaximumEvents; }

    // Forgets every event and puts the read cursor back to the start.
    void clear();

    // The channel (0 to 15) whose events the list takes.
    std::int32_t getChannel() const { return m_channel; }
    void setChannel(std::int32_t channel) { m_channel = channel; }

    // ---- read cursor --------------------------------------------------------
    // The event under the cursor, or null when there is none.
    CMidiEvent* getCurrentEvent();
    // Advances the cursor; past the last event it wraps to the first.
    void moveToNextEvent();
    bool hasNextEvent() const;
    // Frames from the current event to the next one, 0 without a next event.
    std::int32_t getDeltaToNextEvent() const;

    // "[Number Of Events(%li), Channel(%li)]".
    void getObjectDescription(char* buffer, long size) const override;

protected:
    // Fills the next free entry; false (and nothing stored) when the list is full.
    bool addEvent(std::int32_t status, std::int32_t value, std::int32_t subValue, std::int32_t channel,
                  std::int32_t delta, double pitchBend = 0.0);

private:
    CMidiEvent m_events[kMaximumEvents];
    std::int32_t m_channel = 0;
    std::int32_t m_numberOfEvents = 0;
    std::int32_t m_readPosition = 0;
};

} // namespace Vantor::Midi
