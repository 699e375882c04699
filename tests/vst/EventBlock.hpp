#pragma once
// Builds a host event block the way hosts lay it out: a VstEvents header
// followed by the pointer array, pointing at owned events.

#include "framework/vst/VstAbi.hpp"

#include <vector>

namespace Vantor::Vst::Testing
{

class EventBlock
{
public:
    void addMidi(unsigned char status, unsigned char data1, unsigned char data2, VstInt32 delta = 0)
    {
        VstMidiEvent& event = m_midi.emplace_back();
        event.type = kVstMidiType;
        event.byteSize = sizeof(VstMidiEvent);
        event.deltaFrames = delta;
        event.midiData[0] = static_cast<char>(status);
        event.midiData[1] = static_cast<char>(data1);
        event.midiData[2] = static_cast<char>(data2);
    }
    void addSysex() { m_midi.emplace_back().type = kVstSysExType; }
    VstEvents* events()
    {
        // Header plus as many pointers as events, in pointer-sized units.
        const std::size_t bytes = sizeof(VstEvents) + m_midi.size() * sizeof(VstEvent*);
        m_storage.assign((bytes + sizeof(VstIntPtr) - 1) / sizeof(VstIntPtr), 0);
        auto* block = reinterpret_cast<VstEvents*>(m_storage.data());
        block->numEvents = static_cast<VstInt32>(m_midi.size());
        VstEvent** pointers = block->events; // really numEvents long
        for (std::size_t i = 0; i < m_midi.size(); ++i)
        {
            pointers[i] = reinterpret_cast<VstEvent*>(&m_midi[i]);
        }
        return block;
    }

private:
    std::vector<VstMidiEvent> m_midi;
    std::vector<VstIntPtr> m_storage; // pointer-aligned
};

} // namespace Vantor::Vst::Testing
