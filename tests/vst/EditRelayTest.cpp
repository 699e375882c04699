#include "framework/vst/EditRelay.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace Vantor::Vst
{
namespace
{

// What the host was told, one text per call: "B2", "A2=0.25", "E2".
std::vector<std::string> deliver(CEditRelay& relay)
{
    std::vector<std::string> told;
    relay.deliver(
        [&](VstInt32 opcode, VstInt32 index, float value)
        {
            const std::string name = std::to_string(index);
            if (opcode == audioMasterBeginEdit)
            {
                told.push_back("B" + name);
            }
            else if (opcode == audioMasterEndEdit)
            {
                told.push_back("E" + name);
            }
            else if (opcode == audioMasterAutomate)
            {
                told.push_back("A" + name + "=" + std::to_string(value).substr(0, 4));
            }
        });
    return told;
}

using Told = std::vector<std::string>;

TEST(CEditRelay, ADragSpanningProcessingCallsArrivesInOrderWithItsLatestValues)
{
    CEditRelay relay(6);
    EXPECT_TRUE(deliver(relay).empty());
    relay.begin(1);
    relay.automate(1, 0.50f);
    EXPECT_EQ(deliver(relay), (Told{"B1", "A1=0.50"}));
    relay.automate(1, 0.45f);
    relay.automate(1, 0.40f);
    EXPECT_EQ(deliver(relay), (Told{"A1=0.40"})); // only the latest value of the call
    EXPECT_TRUE(deliver(relay).empty());          // the gesture stays open, nothing new
    relay.end(1);
    EXPECT_EQ(deliver(relay), (Told{"E1"}));
    EXPECT_TRUE(deliver(relay).empty());
}

TEST(CEditRelay, GesturesBetweenTwoCallsCollapseYetStayBalanced)
{
    CEditRelay relay(6);
    // Two wheel steps on one knob, one reset on another.
    for (float value : {0.2f, 0.3f})
    {
        relay.begin(0);
        relay.automate(0, value);
        relay.end(0);
    }
    relay.begin(5);
    relay.automate(5, 1.0f);
    relay.end(5);
    EXPECT_EQ(deliver(relay), (Told{"B0", "A0=0.30", "E0", "B5", "A5=1.00", "E5"}));

    // A drag ended and the next begun before the call: its end, then the new begin.
    relay.begin(2);
    relay.automate(2, 0.1f);
    EXPECT_EQ(deliver(relay), (Told{"B2", "A2=0.10"}));
    relay.automate(2, 0.2f);
    relay.end(2);
    relay.begin(2);
    EXPECT_EQ(deliver(relay), (Told{"A2=0.20", "E2", "B2"}));
    relay.end(2);
    EXPECT_EQ(deliver(relay), (Told{"E2"}));

    // A value without a gesture is told alone.
    relay.automate(3, 0.75f);
    EXPECT_EQ(deliver(relay), (Told{"A3=0.75"}));
}

TEST(CEditRelay, UnbalancedOrOutOfRangeEditsAreRefused)
{
    CEditRelay relay(2);
    EXPECT_FALSE(relay.end(0)); // nothing begun
    EXPECT_FALSE(relay.begin(2));
    EXPECT_FALSE(relay.begin(-1));
    EXPECT_FALSE(relay.automate(7, 0.5f));
    EXPECT_TRUE(deliver(relay).empty());
    EXPECT_TRUE(relay.begin(1));
    EXPECT_TRUE(relay.begin(1)); // already begun: still one gesture
    EXPECT_TRUE(relay.end(1));
    EXPECT_FALSE(relay.end(1));
    EXPECT_EQ(deliver(relay), (Told{"B1", "E1"}));
    CEditRelay none(0);
    EXPECT_FALSE(none.begin(0));
    EXPECT_TRUE(deliver(none).empty());
}

// The editor's thread edits while the audio thread delivers: whatever the
// interleaving, the host sees begin and end alternate, every value inside a
// gesture, and the last value last.
TEST(CEditRelay, EditsRacingWithDeliveryReachTheHostWellFormed)
{
    constexpr int kGestures = 3000;
    CEditRelay relay(3);
    std::atomic<bool> editing{true};
    std::thread editor(
        [&]
        {
            for (int gesture = 0; gesture < kGestures; ++gesture)
            {
                const VstInt32 index = gesture % 3;
                relay.begin(index);
                relay.automate(index, static_cast<float>(gesture) / kGestures);
                relay.automate(index, static_cast<float>(gesture + 1) / kGestures);
                relay.end(index);
            }
            editing.store(false);
        });

    struct STold
    {
        bool inGesture = false;
        int faults = 0;
        int ends = 0;
        float lastValue = -1.0f;
    } told[3];
    const auto record = [&](VstInt32 opcode, VstInt32 index, float value)
    {
        STold& parameter = told[index];
        if (opcode == audioMasterBeginEdit)
        {
            parameter.faults += parameter.inGesture ? 1 : 0;
            parameter.inGesture = true;
        }
        else if (opcode == audioMasterEndEdit)
        {
            parameter.faults += parameter.inGesture ? 0 : 1;
            parameter.inGesture = false;
            ++parameter.ends;
        }
        else
        {
            parameter.faults += parameter.inGesture ? 0 : 1;
            parameter.lastValue = value;
        }
    };
    while (editing.load())
    {
        relay.deliver(record);
    }
    editor.join();
    relay.deliver(record);

    for (int index = 0; index < 3; ++index)
    {
        EXPECT_EQ(told[index].faults, 0) << index;
        EXPECT_FALSE(told[index].inGesture) << index;
        EXPECT_GE(told[index].ends, 1) << index;
        const int lastGesture = kGestures - 3 + index;
        EXPECT_FLOAT_EQ(told[index].lastValue, static_cast<float>(lastGesture + 1) / kGestures) << index;
    }
}

} // namespace
} // namespace Vantor::Vst
