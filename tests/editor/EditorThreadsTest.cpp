// The editor among the threads a host runs: automation sets all six parameters
// and switches programs, the audio thread processes and sends MIDI controllers,
// the editor's thread idles with the editor open and turns a knob, which sets the
// parameter from there. Under the tsan preset this must run without a report.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "tests/editor/EditorTestSupport.hpp"
#include "tests/vst/EventBlock.hpp"

using namespace Vantor;
using namespace EditorTest;

TEST(EditorThreads, AutomationAudioAndTheEditorsIdleAndKnobsRunAtOnce)
{
    Tests::CFakeWindowSystem windows;
    Tests::CScratchFolder pictures;
    writePictures(pictures);
    SEditedEffect<> edited(pictures.path());
    Quellor::CQuellor& effect = *edited.effect;
    Quellor::CQuellorEditor& editor = *edited.editor;
    effect.resume();

    std::atomic<bool> stop{false};
    std::atomic<bool> opened{false};
    std::atomic<long> idles{0};
    std::atomic<long> blocks{0};
    std::thread editorThread(
        [&]
        {
            opened = editor.open(reinterpret_cast<void*>(1));
            for (int turn = 0; !stop.load(); ++turn)
            {
                editor.idle();
                idles.fetch_add(1);
                // The Threshold knob, dragged 20 pixels to the right, then back to the left.
                const int to = turn % 2 == 0 ? 70 : 30;
                mouse(editor, Platform::Message::LeftButtonDown, 50, 85, Platform::KeyState::LeftButton);
                mouse(editor, Platform::Message::MouseMove, to, 85, Platform::KeyState::LeftButton);
                mouse(editor, Platform::Message::LeftButtonUp, to, 85, 0);
                std::this_thread::yield();
            }
            editor.close();
        });
    // Threshold and a program by MIDI: what the knob and automation change too.
    Vst::Testing::EventBlock threshold, program;
    threshold.addMidi(0xB0, 71, 30);
    program.addMidi(0xB0, 4, 0);
    Vst::VstEvents* const events[2] = {threshold.events(), program.events()};
    std::thread audio(
        [&]
        {
            std::vector<float> left(256), right(256);
            for (std::size_t i = 0; i < left.size(); ++i)
            {
                left[i] = right[i] = (i % 40 < 20) ? 0.7f : -0.7f;
            }
            float* inputs[2] = {left.data(), right.data()};
            std::vector<float> outLeft(256), outRight(256);
            float* outputs[2] = {outLeft.data(), outRight.data()};
            while (!stop.load())
            {
                const long block = blocks.fetch_add(1);
                if (block % 8 == 0)
                {
                    effect.processEvents(events[(block / 8) % 2]);
                }
                effect.processReplacing(inputs, outputs, 256);
            }
        });
    std::thread automation(
        [&]
        {
            // Enough rounds that all three threads overlap on a loaded machine.
            for (int round = 0; round < 3000 || idles.load() < 50 || blocks.load() < 50; ++round)
            {
                for (int index = 0; index < Quellor::CQuellor::kNumParameters; ++index)
                {
                    effect.setParameter(index, static_cast<float>((round + index * 17) % 101) / 100.0f);
                }
                if (round % 100 == 0)
                {
                    effect.setProgram((round / 100) % Quellor::CQuellor::kNumPrograms);
                }
            }
            stop.store(true);
        });
    automation.join();
    audio.join();
    editorThread.join();
    EXPECT_TRUE(opened.load());
    std::size_t turns = 0;
    for (const SAutomation& call : CAutomationLog::instance().take())
    {
        turns += call.index == 1 ? 1 : 0;
    }
    EXPECT_GT(turns, 0u) << "the knob turns reached the host as automation";

    // Back on one thread: idle shows what a program change on another thread left. The
    // knob holds the value the program handed over, the effect answers it mapped to its
    // range and back, so the two may differ in the last few bits.
    effect.setProgram(3);
    editor.idle();
    for (int index = 0; index < Quellor::CQuellor::kNumParameters; ++index)
    {
        EXPECT_NEAR(editor.getKnob(index)->getValue(), effect.getParameter(index), 1e-6) << index;
    }
}
