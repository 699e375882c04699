#pragma once

#include "framework/midi/MidiEventList.hpp"
#include "framework/vst/VstAbi.hpp"

namespace Vantor::Vst
{

// A MIDI event list that takes its events from the host's VST event blocks.
// Runs on the audio thread: no allocation, no lock.
class CVstMidiEventList : public Midi::CMidiEventList
{
public:
    VANTOR_DECLARE_CLASS(CVstMidiEventList);

    CVstMidiEventList() = default;

    // Appends the MIDI events of a block, in order, until the list is full
    // (the rest of the block is dropped). Taken are note-offs, note-ons,
    // control changes and pitch bends on the list's channel; everything else
    // is skipped. Controllers 123 and 126 become an all-notes-off event
    // (status 123, data 0). A pitch bend's position is
    // (d2 * 128 + d1) / 8192 - 1, from -1 to just under +1. A null block does nothing.
    void addVstEvents(const VstEvents* events);
};

} // namespace Vantor::Vst
