#include "framework/midi/MidiEventList.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace Vantor::Midi
{
namespace
{

std::string describe(const Basics::CCountedObject& object)
{
    char text[200];
    object.getObjectDescription(text, sizeof text);
    return text;
}

// Exposes the fill operation that subclasses use.
class FilledList : public CMidiEventList
{
public:
    using CMidiEventList::addEvent;
};

TEST(MidiEvent, DescriptionsByKind)
{
    CMidiEvent event;
    event.setEvent(CMidiEvent::kNoteOn, 60, 100, 0, 5);
    EXPECT_EQ(describe(event), "[Note On        : Note(060), Velocity(100), Channel(000), Delta(005)]");
    event.setSubValue(0); // a note-on without velocity ends the note
    EXPECT_EQ(describe(event), "[Note Off       : Note(060), Velocity(000), Channel(000), Delta(005)]");
    event.setEvent(CMidiEvent::kNoteOff, 61, 64, 2, 12);
    EXPECT_EQ(describe(event), "[Note Off       : Note(061), Velocity(064), Channel(002), Delta(012)]");
    event.setEvent(CMidiEvent::kControlChange, 7, 127, 0, 0);
    EXPECT_EQ(describe(event), "[Control Change : CC(007), Value(127), Channel(000), Delta(000)]");
    event.setEvent(CMidiEvent::kAllNotesOff, 0, 0, 0, 3);
    EXPECT_EQ(describe(event),
              "[Other Message  : Status(123), Value(000), SubValue(000), Channel(000), Delta(003)]");

    char small[8];
    event.getObjectDescription(small, sizeof small); // cut to fit, terminated
    EXPECT_EQ(std::string(small), "[Other ");
}

TEST(MidiEvent, EventsCompareByTheirPositionInTheBlock)
{
    CMidiEvent early;
    CMidiEvent late;
    early.setEvent(CMidiEvent::kControlChange, 1, 2, 0, 10);
    late.setEvent(CMidiEvent::kNoteOn, 60, 1, 0, 20);
    EXPECT_TRUE(early < late && late > early && early <= late && late >= early && early != late);
    late.setDelta(10);
    EXPECT_TRUE(early == late && early <= late && early >= late); // same frame, whatever the message
}

TEST(MidiEventList, HoldsAtMost128EventsAndClears)
{
    FilledList list;
    EXPECT_EQ(list.getEvent(0), nullptr);
    for (int i = 0; i < CMidiEventList::kMaximumEvents; ++i)
    {
        EXPECT_TRUE(list.addEvent(CMidiEvent::kControlChange, i % 128, 0, 0, i));
    }
    EXPECT_TRUE(list.isFull());
    EXPECT_FALSE(list.addEvent(CMidiEvent::kNoteOn, 1, 1, 0, 999));
    EXPECT_EQ(list.getNumberOfEvents(), 128);
    EXPECT_EQ(list.getEvent(127)->getDelta(), 127);
    EXPECT_TRUE(list.getEvent(128) == nullptr && list.getEvent(-1) == nullptr);
    EXPECT_EQ(describe(list), "[Number Of Events(128), Channel(0)]");

    list.clear();
    EXPECT_EQ(list.getNumberOfEvents(), 0);
    EXPECT_TRUE(list.getCurrentEvent() == nullptr && list.getEvent(0) == nullptr);
    list.setChannel(9);
    EXPECT_EQ(describe(list), "[Number Of Events(0), Channel(9)]");
}

TEST(MidiEventList, ReadCursorWalksAndWraps)
{
    FilledList list;
    EXPECT_FALSE(list.hasNextEvent());
    EXPECT_EQ(list.getDeltaToNextEvent(), 0);
    list.addEvent(CMidiEvent::kNoteOn, 60, 90, 0, 4);
    list.addEvent(CMidiEvent::kNoteOff, 60, 0, 0, 10);
    list.addEvent(CMidiEvent::kControlChange, 7, 1, 0, 31);

    EXPECT_EQ(list.getCurrentEvent(), list.getEvent(0));
    EXPECT_TRUE(list.hasNextEvent());
    EXPECT_EQ(list.getDeltaToNextEvent(), 6);
    list.moveToNextEvent();
    EXPECT_EQ(list.getDeltaToNextEvent(), 21);
    list.moveToNextEvent();
    EXPECT_EQ(list.getCurrentEvent()->getValue(), 7);
    EXPECT_FALSE(list.hasNextEvent());
    EXPECT_EQ(list.getDeltaToNextEvent(), 0);
    list.moveToNextEvent();
    EXPECT_EQ(list.getCurrentEvent(), list.getEvent(0));

    list.moveToNextEvent();
    list.clear(); // the cursor starts over with the next block
    list.addEvent(CMidiEvent::kNoteOn, 62, 90, 0, 0);
    EXPECT_EQ(list.getCurrentEvent()->getValue(), 62);

    // Whatever deltas a host sends, the distance stays within 32 bits.
    list.clear();
    list.addEvent(CMidiEvent::kNoteOn, 60, 90, 0, std::numeric_limits<std::int32_t>::min());
    list.addEvent(CMidiEvent::kNoteOn, 60, 90, 0, std::numeric_limits<std::int32_t>::max());
    list.addEvent(CMidiEvent::kNoteOn, 60, 90, 0, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(list.getDeltaToNextEvent(), std::numeric_limits<std::int32_t>::max());
    list.moveToNextEvent();
    EXPECT_EQ(list.getDeltaToNextEvent(), std::numeric_limits<std::int32_t>::min());
}

} // namespace
} // namespace Vantor::Midi
