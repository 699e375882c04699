#include "framework/vst/VstMidiEventList.hpp"

namespace Vantor::Vst
{

VANTOR_DEFINE_CLASS(Vantor::Vst::CVstMidiEventList, "CVstMidiEventList", "CMidiEventList")

using Midi::CMidiEvent;

void CVstMidiEventList::addVstEvents(const VstEvents* events)
{
    if (events == nullptr)
    {
        return;
    }
    // Declared with two entries, the pointer array really holds numEvents.
    const VstEvent* const* list = events->events;
    for (VstInt32 i = 0; i < events->numEvents && !isFull(); ++i)
    {
        const VstEvent* event = list[i];
        if (event == nullptr || event->type != kVstMidiType)
        {
            continue;
        }
        const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
        // The bytes are plain (signed) char: read them unsigned before testing a status.
        const std::int32_t statusByte = static_cast<unsigned char>(midi->midiData[0]);
        const std::int32_t data1 = static_cast<unsigned char>(midi->midiData[1]) & 0x7F;
        const std::int32_t data2 = static_cast<unsigned char>(midi->midiData[2]) & 0x7F;
        const std::int32_t channel = statusByte & 0x0F;
        const std::int32_t type = statusByte & 0xF0;
        if (channel != getChannel())
        {
            continue;
        }
        const VstInt32 delta = midi->deltaFrames;
        switch (type)
        {
        case CMidiEvent::kNoteOff:
        case CMidiEvent::kNoteOn:
            addEvent(type, data1, data2, channel, delta);
            break;
        case CMidiEvent::kControlChange:
            if (data1 == 123 || data1 == 126)
            {
                addEvent(CMidiEvent::kAllNotesOff, 0, 0, channel, delta);
            }
            else
            {
                addEvent(type, data1, data2, channel, delta);
            }
            break;
        case CMidiEvent::kPitchBend:
            addEvent(type, 0, 0, channel, delta, (data2 * 128 + data1) * 0.0001220703125 - 1.0);
            break;
        default:
            break;
        }
    }
}

} // namespace Vantor::Vst
