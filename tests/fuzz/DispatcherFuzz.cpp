// A host driving the effect through its record: dispatcher calls with opcode,
// index, value and opt from the input, parameter calls and processing calls,
// until the input ends or effClose comes. Wherever the interface defines a
// pointer the target passes one to memory it owns, sized as the interface says
// (text answers exactly their maximum length, so a longer answer is caught);
// it never passes a pointer made from input bytes. The editor's window opcodes
// are left out: they open a display, which a fuzz run does not have.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "plugin/Module.hpp"

using namespace Vantor::Vst;

namespace
{

VstIntPtr VANTOR_VSTCALL fuzzHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float)
{
    switch (opcode)
    {
    case audioMasterVersion:
        return kVstVersion;
    case audioMasterGetVendorString:
    case audioMasterGetProductString:
        if (ptr != nullptr)
        {
            std::strcpy(static_cast<char*>(ptr), "Fuzz host");
        }
        return 1;
    default:
        return 0;
    }
}

// The size of the text buffer the interface defines for an opcode's answer, or 0.
std::size_t answerTextSize(VstInt32 opcode)
{
    switch (opcode)
    {
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
        return kVstMaxParamStrLen;
    case effGetProgramName:
    case effGetProgramNameIndexed:
        return kVstMaxProgNameLen;
    case effGetEffectName:
        return kVstMaxEffectNameLen;
    case effGetVendorString:
        return kVstMaxVendorStrLen;
    case effGetProductString:
        return kVstMaxProductStrLen;
    case effShellGetNextPlugin:
        return kVstMaxNameLen;
    default:
        return 0;
    }
}

class CFuzzHost
{
public:
    explicit CFuzzHost(FuzzedDataProvider& input) : m_input(input) {}

    // Runs calls until the input ends or the effect is closed; closes it then.
    void run(AEffect* effect)
    {
        for (int call = 0; call < 512 && m_input.remaining_bytes() > 0; ++call)
        {
            switch (m_input.ConsumeIntegralInRange<int>(0, 7))
            {
            case 0:
                process(effect);
                break;
            case 1:
                effect->setParameter(effect, m_input.ConsumeIntegralInRange<VstInt32>(-2, 8),
                                     m_input.ConsumeProbability<float>());
                break;
            case 2:
                effect->getParameter(effect, m_input.ConsumeIntegralInRange<VstInt32>(-2, 8));
                break;
            default:
                if (!dispatch(effect))
                {
                    return;
                }
                break;
            }
        }
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    }

private:
    static constexpr int kMaximumFrames = 4096;

    // False when the call was effClose.
    bool dispatch(AEffect* effect)
    {
        const VstInt32 opcode = m_input.ConsumeIntegralInRange<VstInt32>(-1, 82);
        const VstInt32 index = m_input.ConsumeIntegral<VstInt32>();
        VstIntPtr value = m_input.ConsumeIntegral<VstIntPtr>();
        const float opt = anyFloat();
        const bool nullPointer = m_input.ConsumeIntegralInRange<int>(0, 7) == 0;

        std::vector<unsigned char> scratch(4096, 0);
        void* ptr = scratch.data();
        std::unique_ptr<char[]> answer;
        std::vector<unsigned char> events;
        std::vector<VstMidiEvent> midi;
        void* arrangements[2] = {nullptr, nullptr};
        switch (opcode)
        {
        case effClose:
            effect->dispatcher(effect, effClose, index, value, nullptr, opt);
            return false;
        case effEditOpen:
        case effEditClose:
        case effEditIdle:
            return true;
        case effSetProgramName:
        case effString2Parameter:
        case effCanDo:
        {
            const std::string text = m_input.ConsumeRandomLengthString(64);
            std::memcpy(scratch.data(), text.c_str(), text.size() + 1);
            break;
        }
        case effProcessEvents:
            ptr = eventBlock(events, midi);
            break;
        case effSetChunk:
            value = static_cast<VstIntPtr>(static_cast<std::size_t>(value) % scratch.size());
            break;
        case effSetSpeakerArrangement:
            value = reinterpret_cast<VstIntPtr>(scratch.data() + scratch.size() / 2);
            break;
        case effGetSpeakerArrangement:
            value = reinterpret_cast<VstIntPtr>(&arrangements[0]);
            ptr = &arrangements[1];
            break;
        default:
            if (const std::size_t size = answerTextSize(opcode))
            {
                answer = std::make_unique<char[]>(size);
                ptr = answer.get();
            }
            break;
        }
        effect->dispatcher(effect, opcode, index, value, nullPointer ? nullptr : ptr, opt);
        if (answer && std::memchr(answer.get(), 0, answerTextSize(opcode)) == nullptr)
        {
            __builtin_trap(); // an answer without its terminator
        }
        return true;
    }

    // A well-formed event block whose pointers all point at events owned here.
    void* eventBlock(std::vector<unsigned char>& storage, std::vector<VstMidiEvent>& midi)
    {
        const int count = m_input.ConsumeIntegralInRange<int>(0, 200);
        midi.assign(static_cast<std::size_t>(count), VstMidiEvent{});
        storage.assign(sizeof(VstEvents) + sizeof(VstEvent*) * static_cast<std::size_t>(count), 0);
        auto* header = reinterpret_cast<VstEvents*>(storage.data());
        VstEvent** slots = header->events;
        for (int i = 0; i < count; ++i)
        {
            VstMidiEvent& event = midi[static_cast<std::size_t>(i)];
            event.type = m_input.ConsumeBool() ? kVstMidiType : m_input.ConsumeIntegral<VstInt32>();
            event.byteSize = sizeof(VstMidiEvent);
            event.deltaFrames = m_input.ConsumeIntegral<VstInt32>();
            for (char& byte : event.midiData)
            {
                byte = static_cast<char>(m_input.ConsumeIntegral<std::uint8_t>());
            }
            slots[i] = reinterpret_cast<VstEvent*>(&event);
        }
        header->numEvents = m_input.ConsumeIntegralInRange<VstInt32>(-1, count);
        return header;
    }

    // Finite input in the range a host can send; the output must stay finite.
    void process(AEffect* effect)
    {
        const int frames = m_input.ConsumeIntegralInRange<int>(0, kMaximumFrames);
        std::vector<float> buffers(4 * kMaximumFrames, 0.0f);
        float* inputs[2] = {buffers.data(), buffers.data() + kMaximumFrames};
        float* outputs[2] = {buffers.data() + 2 * kMaximumFrames, buffers.data() + 3 * kMaximumFrames};
        const std::vector<std::uint8_t> bytes =
            m_input.ConsumeBytes<std::uint8_t>(static_cast<std::size_t>(frames));
        for (std::size_t i = 0; i < bytes.size(); ++i)
        {
            inputs[i % 2][i / 2] = static_cast<float>(static_cast<std::int8_t>(bytes[i])) / 64.0f;
        }
        effect->processReplacing(effect, inputs, outputs, frames);
        for (int channel = 0; channel < 2; ++channel)
        {
            for (int i = 0; i < frames; ++i)
            {
                if (!std::isfinite(outputs[channel][i]))
                {
                    __builtin_trap();
                }
            }
        }
    }

    // Any bit pattern: sample rates and key modifiers arrive as floats.
    float anyFloat()
    {
        const std::uint32_t bits = m_input.ConsumeIntegral<std::uint32_t>();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    FuzzedDataProvider& m_input;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    AEffect* effect = Vantor::Quellor::createEffect(fuzzHost);
    if (effect == nullptr)
    {
        __builtin_trap();
    }
    FuzzedDataProvider input(data, size);
    CFuzzHost(input).run(effect);
    return 0;
}
