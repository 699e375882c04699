// The editor among the threads a host runs: automation sets all six parameters
// and switches programs, the audio thread processes, the editor's thread idles
// with the editor open. Under the tsan preset this must run without a report.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "tests/editor/EditorTestSupport.hpp"

using namespace Vantor;
using namespace EditorTest;

TEST(EditorThreads, AutomationAudioAndTheEditorsIdleRunAtOnce)
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
            while (!stop.load())
            {
                editor.idle();
                idles.fetch_add(1);
                std::this_thread::yield();
            }
            editor.close();
        });
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
                effect.processReplacing(inputs, outputs, 256);
                blocks.fetch_add(1);
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
            effect.setProgram(3);
            stop.store(true);
        });
    automation.join();
    audio.join();
    editorThread.join();
    EXPECT_TRUE(opened.load());

    // Back on one thread: idle shows what automation left. The knob holds the value the
    // program handed over, the effect answers it mapped to its range and back, so the two
    // may differ in the last few bits.
    editor.idle();
    for (int index = 0; index < Quellor::CQuellor::kNumParameters; ++index)
    {
        EXPECT_NEAR(editor.getKnob(index)->getValue(), effect.getParameter(index), 1e-6) << index;
    }
}
