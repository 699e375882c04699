// The audio thread allocates nothing while the editor is open (tests/AllocationHooks.cpp
// counts every allocation of this program).
#include <gtest/gtest.h>

#include "editor/QuellorEditor.hpp"
#include "plugin/Quellor.hpp"
#include "tests/gui/FakeWindowSystem.hpp"
#include "tests/plugin/RealTimeSupport.hpp"

using namespace Vantor::Quellor;

// As a host runs it: the editor open on its own thread, processing, MIDI and
// automation on the audio thread. The editor only stores what the audio thread hands it.
TEST(RealTime, TheAudioThreadAllocatesNothingWithTheEditorOpen)
{
    Vantor::Tests::CFakeWindowSystem windows;
    auto* effect = new CQuellor(nullptr);
    Vantor::GUI::Windowing::CWindowAttributes attributes;
    auto* editor = new CQuellorEditor(effect, Vantor::MathTools::CRect(0, 0, 500, 158), attributes,
                                      Vantor::Basics::CSystemString(PRESSORALITE_RESOURCES));
    ASSERT_TRUE(editor->open(reinterpret_cast<void*>(1)));
    effect->resume();
    EXPECT_EQ(RealTimeTest::audioThreadAllocations(*effect), 0);
    editor->idle(); // the editor's thread picks the values up
    EXPECT_STREQ(editor->getReadOut(CQuellor::kMix)->getText().getString(), "0.250");
    editor->close();
    delete effect; // and with it the editor
}
