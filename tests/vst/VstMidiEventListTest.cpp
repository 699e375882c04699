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
    CVstMidiEventList list;
    list.addVstEvents(block.events());

    ASSERT_EQ(list.getNumberOfEvents(), 4);
    const CMidiEvent* on = list.getEvent(0);
    EXPECT_EQ(on->getStatus(), 0x90);
    EXPECT_EQ(on->getValue(), 60);
    EXPECT_EQ(on->getSubValue(), 100);
    EXPECT_EQ(on->getChannel(), 0);
    EXPECT_EQ(on->getDelta(), 3);
    EXPECT_EQ(list.getEvent(1)->getStatus(), 0x80);
    EXPECT_EQ(list.getEvent(1)->getSubValue(), 64);
    const CMidiEvent* control = list.getEvent(2);
    EXPECT_TRUE(control->isControlChange());
    EXPECT_EQ(control->getValue(), 7);
    EXPECT_EQ(control->getSubValue(), 127);
    EXPECT_EQ(control->getDelta(), 9);
    EXPECT_EQ(list.getEvent(3)->getStatus(), 0xE0);
    EXPECT_EQ(list.getEvent(3)->getPitchBend(), 0.0);
    EXPECT_EQ(list.getEvent(3)->getDelta(), 11);
}

TEST(VstMidiEventList, ChannelFilterFollowsTheListsChannel)
{
    EventBlock block;
    block.addMidi(0x90, 60, 100);
    block.addMidi(0x91, 61, 100);
    block.addMidi(0xBF, 1, 2);
    CVstMidiEventList list;
    list.setChannel(1);
    list.addVstEvents(block.events());
    ASSERT_EQ(list.getNumberOfEvents(), 1);
    EXPECT_EQ(list.getEvent(0)->getValue(), 61);
    EXPECT_EQ(list.getEvent(0)->getChannel(), 1);

    list.clear();
    list.setChannel(15);
    list.addVstEvents(block.events());
    ASSERT_EQ(list.getNumberOfEvents(), 1);
    EXPECT_EQ(list.getEvent(0)->getStatus(), 0xB0);
}

TEST(VstMidiEventList, AllNotesOffAndModeChangesBecomeOneEvent)
{
    EventBlock block;
    block.addMidi(0xB0, 123, 0, 1);
    block.addMidi(0xB0, 126, 5, 2);
    block.addMidi(0xB0, 122, 5, 3); // local control stays a controller
    CVstMidiEventList list;
    list.addVstEvents(block.events());
    ASSERT_EQ(list.getNumberOfEvents(), 3);
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_EQ(list.getEvent(i)->getStatus(), CMidiEvent::kAllNotesOff);
        EXPECT_EQ(list.getEvent(i)->getValue(), 0);
        EXPECT_EQ(list.getEvent(i)->getSubValue(), 0);
        EXPECT_EQ(list.getEvent(i)->getDelta(), i + 1);
    }
    EXPECT_EQ(list.getEvent(2)->getStatus(), 0xB0);
    EXPECT_EQ(list.getEvent(2)->getValue(), 122);
}

TEST(VstMidiEventList, PitchBendSpansMinusOneToJustBelowOne)
{
    EventBlock block;
    block.addMidi(0xE0, 0, 0);
    block.addMidi(0xE0, 0, 64);
    block.addMidi(0xE0, 127, 127);
    block.addMidi(0xE0, 0x7F, 0x40);
    CVstMidiEventList list;
    list.addVstEvents(block.events());
    ASSERT_EQ(list.getNumberOfEvents(), 4);
    EXPECT_EQ(list.getEvent(0)->getPitchBend(), -1.0);
    EXPECT_EQ(list.getEvent(1)->getPitchBend(), 0.0);
    EXPECT_DOUBLE_EQ(list.getEvent(2)->getPitchBend(), 16383.0 / 8192.0 - 1.0);
    EXPECT_DOUBLE_EQ(list.getEvent(3)->getPitchBend(), 127.0 / 8192.0);
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
    VstEvents empty{};
    empty.numEvents = -5;
    list.addVstEvents(&empty);
    VstEvents holes{};
    holes.numEvents = 2; // two null entries
    list.addVstEvents(&holes);
    EXPECT_EQ(list.getNumberOfEvents(), 0);
    EXPECT_STREQ(list.getClass().getClassName(), "CVstMidiEventList");
    EXPECT_STREQ(list.getClass().getParentName(), "CMidiEventList");
}

} // namespace
} // namespace Vantor::Vst
