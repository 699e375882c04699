// Event blocks as a host hands them over, into the MIDI event list, then read
// back through the list's cursor. Every event pointer points at an event this
// target owns; numEvents never exceeds them, but may be negative.
#include <cstdint>
#include <cstring>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "framework/vst/VstMidiEventList.hpp"

using namespace Vantor::Vst;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    CVstMidiEventList list;
    list.setChannel(input.ConsumeIntegralInRange<std::int32_t>(-1, 16));
    for (int block = 0; block < 3 && input.remaining_bytes() > 0; ++block)
    {
        const int count = input.ConsumeIntegralInRange<int>(0, 300);
        std::vector<VstMidiEvent> events(static_cast<std::size_t>(count));
        std::vector<unsigned char> storage(sizeof(VstEvents) +
                                           sizeof(VstEvent*) * static_cast<std::size_t>(count));
        auto* header = reinterpret_cast<VstEvents*>(storage.data());
        // The pointer array runs past its declared two entries, as hosts fill it.
        VstEvent** slots = header->events;
        for (int i = 0; i < count; ++i)
        {
            VstMidiEvent& event = events[static_cast<std::size_t>(i)];
            event.type = input.ConsumeBool() ? kVstMidiType : input.ConsumeIntegral<VstInt32>();
            event.byteSize = sizeof(VstMidiEvent);
            event.deltaFrames = input.ConsumeIntegral<VstInt32>();
            for (char& byte : event.midiData)
            {
                byte = static_cast<char>(input.ConsumeIntegral<std::uint8_t>());
            }
            slots[i] = reinterpret_cast<VstEvent*>(&event);
        }
        header->numEvents = input.ConsumeIntegralInRange<VstInt32>(-2, count);
        list.addVstEvents(header);
        list.addVstEvents(nullptr);

        char description[128];
        for (int step = 0; step < 2 * list.getNumberOfEvents() + 2; ++step)
        {
            if (const auto* event = list.getCurrentEvent())
            {
                event->getObjectDescription(description, sizeof description);
            }
            list.getDeltaToNextEvent();
            list.hasNextEvent();
            list.moveToNextEvent();
        }
        list.getObjectDescription(description, sizeof description);
        if (list.getNumberOfEvents() < 0 ||
            list.getNumberOfEvents() > Vantor::Midi::CMidiEventList::kMaximumEvents)
        {
            __builtin_trap();
        }
        if (input.ConsumeBool())
        {
            list.clear();
        }
    }
    return 0;
}
