#pragma once

#include "framework/basics/CountedObject.hpp"

#include <cstdint>

namespace Vantor::Midi
{

// One MIDI message as the framework sees it: the message type without its
// channel nibble, the two 7-bit data values, the channel and the frame offset
// within the current processing block. Pitch bends carry their position
// (-1 to just under +1) in getPitchBend().
class CMidiEvent : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CMidiEvent);

    // Message types held in the status.
    static constexpr std::int32_t kNoteOff = 0x80;
    static constexpr std::int32_t kNoteOn = 0x90;
    static constexpr std::int32_t kControlChange = 0xB0;
    static constexpr std::int32_t kPitchBend = 0xE0;
    // Controllers 123 (all notes off) and 126 (mono mode, which also silences
    // every note) are both recorded with this status.
    static constexpr std::int32_t kAllNotesOff = 123;

    // Status 0, value 0, sub-value 0, channel 1, delta 0, no pitch bend.
    CMidiEvent() = default;

    void setEvent(std::int32_t status, std::int32_t value, std::int32_t subValue, std::int32_t channel,
                  std::int32_t delta, double pitchBend = 0.0);

    std::int32_t getStatus() const { return m_status; }
    // Note or controller number.
    std::int32_t getValue() const { return m_value; }
    // Velocity or controller value.
    std::int32_t getSubValue() const { return m_subValue; }
    std::int32_t getChannel() const { return m_channel; }
    // Frame offset of the event within the processing block.
    std::int32_t getDelta() const { return m_delta; }
    double getPitchBend() const { return m_pitchBend; }

    void setStatus(std::int32_t status) { m_status = status; }
    void setValue(std::int32_t value) { m_value = value; }
    void setSubValue(std::int32_t subValue) { m_subValue = subValue; }
    void setChannel(std::int32_t channel) { m_channel = channel; }
    void setDelta(std::int32_t delta) { m_delta = delta; }
    void setPitchBend(double pitchBend) { m_pitchBend = pitchBend; }

    bool isControlChange() const { return m_status == kControlChange; }
    // A note-on with velocity 0 counts as a note-off.
    bool isNoteOn() const { return m_status == kNoteOn && m_subValue != 0; }
    bool isNoteOff() const { return m_status == kNoteOff || (m_status == kNoteOn && m_subValue == 0); }

    // Events order by their position in the block.
    bool operator<(const CMidiEvent& other) const { return m_delta < other.m_delta; }
    bool operator>(const CMidiEvent& other) const { return m_delta > other.m_delta; }
    bool operator<=(const CMidiEvent& other) const { return m_delta <= other.m_delta; }
    bool operator>=(const CMidiEvent& other) const { return m_delta >= other.m_delta; }
    bool operator==(const CMidiEvent& other) const { return m_delta == other.m_delta; }
    bool operator!=(const CMidiEvent& other) const { return m_delta != other.m_delta; }

    // One line naming the kind of message and its numbers, e.g.
    // "[Control Change : CC(007), Value(100), Channel(000), Delta(012)]".
    void getObjectDescription(char* buffer, long size) const override;

private:
    std::int32_t m_status = 0;
    std::int32_t m_value = 0;
    std::int32_t m_subValue = 0;
    std::int32_t m_channel = 1;
    std::int32_t m_delta = 0;
    double m_pitchBend = 0.0;
};

} // namespace Vantor::Midi
