#include "framework/vst/VstMidiEventList.hpp"
#include "tests/vst/EventBlock.hpp"

#include <gtest/gtest.h>

namespace Vantor::Vst
{
namespace
{

using Midi::CMidiEvent;
using Testing::EventBlock;

TEST(VstMidiEventList, TakesNotesControllersAndPitchBendsOnItsChannel)
{
    EventBlock block;
    block.addMidi(0x90, 60, 100, 3); // note on
    block.addMidi(0x80, 60, 64, 7);  // note off
    block.addMidi(0xB0, 7, 127, 9);  // control change
    block.addMidi(0x91, 62, 100);    // channel 2: not ours
    block.addMidi(0xA0, 60, 10);     // aftertouch: not taken
    block.addMidi(0xC0, 5, 0);       // program change: not taken
    block.addSysex();                // not a MIDI message
    block.addMidi(0xE0, 0, 64, 11);  // pitch bend, centre
    block.addMidi(0xB0, 123, 0, 12); // all notes off
    block.addMidi(0xB0, 126, 5, 13); // mode change: also ends all notes
    block.addMidi(0xB0, 122, 5, 14); // local control stays a controller
    CVstMidiEventList list;
    list.addVstEvents(block.events());

    const int expected[][4] = {{0x90, 60, 100, 3},
                               {0x80, 60, 64, 7},
                               {0xB0, 7, 127, 9},
                               {0xE0, 0, 0, 11},
                               {CMidiEvent::kAllNotesOff, 0, 0, 12},
                               {CMidiEvent::kAllNotesOff, 0, 0, 13},
                               {0xB0, 122, 5, 14}}; // status, value, sub, delta
    ASSERT_EQ(list.getNumberOfEvents(), 7);
    for (int i = 0; i < 7; ++i)
    {
        SCOPED_TRACE(i);
        const CMidiEvent* event = list.getEvent(i);
        EXPECT_EQ(event->getStatus(), expected[i][0]);
        EXPECT_EQ(event->getValue(), expected[i][1]);
        EXPECT_EQ(event->getSubValue(), expected[i][2]);
        EXPECT_EQ(event->getDelta(), expected[i][3]);
        EXPECT_EQ(event->getChannel(), 0);
    }
    EXPECT_TRUE(list.getEvent(2)->isControlChange());
    EXPECT_EQ(list.getEvent(3)->getPitchBend(), 0.0);
}

TEST(VstMidiEventList, ChannelFilterReachesTheLastChannel)
{
    EventBlock block;
    block.addMidi(0x90, 60, 100);
    block.addMidi(0x91, 61, 100);
    block.addMidi(0xBF, 1, 2);
    CVstMidiEventList list;
    list.setChannel(15);
    list.addVstEvents(block.events());
    ASSERT_EQ(list.getNumberOfEvents(), 1);
    EXPECT_EQ(list.getEvent(0)->getStatus(), 0xB0);
}

TEST(VstMidiEventList, PitchBendSpansMinusOneToJustBelowOne)
{
    const struct
    {
        unsigned char low, high;
        double bend;
    } cases[] = {
        {0, 0, -1.0}, {0, 64, 0.0}, {127, 127, 16383.0 / 8192.0 - 1.0}, {0x7F, 0x40, 127.0 / 8192.0}};
    EventBlock block;
    for (const auto& c : cases)
    {
        block.addMidi(0xE0, c.low, c.high);
    }
    CVstMidiEventList list;
    list.addVstEvents(block.events());
    ASSERT_EQ(list.getNumberOfEvents(), 4);
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_DOUBLE_EQ(list.getEvent(i)->getPitchBend(), cases[i].bend) << i;
    }
    EXPECT_EQ(list.getEvent(0)->getValue(), 0);
    EXPECT_EQ(list.getEvent(0)->getSubValue(), 0);
}

TEST(VstMidiEventList, KeepsTheFirst128AndDropsTheRest)
{
    EventBlock block;
    for (int i = 0; i < 200; ++i)
    {
        block.addMidi(0x91, 1, 1, i); // skipped events do not use up room
        block.addMidi(0xB0, static_cast<unsigned char>(i % 120), 1, i);
    }
    CVstMidiEventList list;
    list.addVstEvents(block.events());
    EXPECT_EQ(list.getNumberOfEvents(), 128);
    EXPECT_EQ(list.getEvent(127)->getDelta(), 127);
    list.addVstEvents(block.events()); // a second block while full adds nothing
    EXPECT_EQ(list.getNumberOfEvents(), 128);

    // Blocks add up until the list is cleared.
    list.clear();
    EventBlock small;
    small.addMidi(0x90, 60, 1);
    list.addVstEvents(small.events());
    list.addVstEvents(small.events());
    EXPECT_EQ(list.getNumberOfEvents(), 2);
}

TEST(VstMidiEventList, BadBlocksAreHarmless)
{
    CVstMidiEventList list;
    list.addVstEvents(nullptr);
    VstEvents block{};
    block.numEvents = -5;
    list.addVstEvents(&block);
    block.numEvents = 2; // two null entries
    list.addVstEvents(&block);
    EXPECT_EQ(list.getNumberOfEvents(), 0);
}

} // namespace
} // namespace Vantor::Vst
