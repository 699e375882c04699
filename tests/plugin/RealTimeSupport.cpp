#include "tests/plugin/RealTimeSupport.hpp"

#include <thread>

#include "plugin/Quellor.hpp"
#include "tests/AllocationHooks.hpp"
#include "tests/plugin/QuellorTestSupport.hpp"

namespace RealTimeTest
{

long audioThreadAllocations(Vantor::Quellor::CQuellor& effect)
{
    using Vantor::Quellor::CQuellor;
    using Vantor::Vst::VstInt32;
    QuellorTest::SStereo input = QuellorTest::programme(8192);
    QuellorTest::SStereo output = input;
    QuellorTest::CMidiBlock midi;
    midi.addMidi(0xB0, 5, 0);
    midi.addMidi(0xB0, 71, 20);
    midi.addMidi(0xB0, 70, 100);
    midi.addMidi(0xB0, 74, 64);
    midi.addMidi(0x90, 60, 100);
    Vantor::Vst::VstEvents* events = midi.events();

    long allocations = -1;
    std::thread audio(
        [&]
        {
            Vantor::Testing::CAllocationCounter counter;
            std::size_t done = 0;
            for (VstInt32 size : {1, 5, 16, 17, 64, 511, 512, 4096})
            {
                float* inputs[2] = {input.left.data() + done, input.right.data() + done};
                float* outputs[2] = {output.left.data() + done, output.right.data() + done};
                effect.processEvents(events);
                for (int index = 0; index < CQuellor::kNumParameters; ++index)
                {
                    effect.setParameter(index, 0.25f);
                }
                effect.processReplacing(inputs, outputs, size);
                done += static_cast<std::size_t>(size);
            }
            effect.processReplacing(nullptr, nullptr, 0);
            allocations = counter.count();
        });
    audio.join();
    return allocations;
}

} // namespace RealTimeTest
