#pragma once
// CEditRelay: the editor's edits of parameters (a gesture's begin, its values,
// its end), kept for the processing call to tell the host. For a host that
// cannot take them on the thread that runs our editor (see
// CHostCanDo::takesEditsFromTheEditorThread).
//
// Per parameter, the editor's thread keeps one state word (whether a gesture is
// open, how many have ended, how many values were set) and the latest value; the
// audio thread reads the word once, a consistent picture, and compares it with
// what it told the host last time. Nothing is allocated after construction and no
// lock is taken, so the processing call may deliver. What the editor did between
// two processing calls arrives in one: a gesture begun and ended meanwhile becomes
// begin, its last value, end.

#include "framework/vst/VstAbi.hpp"

#include <atomic>
#include <cstdint>
#include <memory>

namespace Vantor::Vst
{

class CEditRelay
{
public:
    explicit CEditRelay(VstInt32 numberOfParameters);

    // False (and nothing kept) for an index out of range.
    // Threads: editor.
    bool begin(VstInt32 index);
    // Threads: editor.
    bool automate(VstInt32 index, float value);
    // Threads: editor.
    bool end(VstInt32 index);

    // Calls send(opcode, index, value) for what the editor did since the last call,
    // parameter by parameter in the order audioMasterBeginEdit, audioMasterAutomate
    // (the latest value), audioMasterEndEdit, and audioMasterBeginEdit again when a
    // new gesture has already begun. Every begin sent is matched by one end.
    // Threads: audio.
    template <typename Send> void deliver(Send&& send);

private:
    // The state word: bit 31 a gesture is open, bits 16 to 30 the gestures ended,
    // bits 0 to 15 the values set (both counts wrap; only a change matters).
    static constexpr std::uint32_t kOpen = 0x80000000u;
    static constexpr std::uint32_t kEndsShift = 16;
    static constexpr std::uint32_t kEndsMask = 0x7fffu << kEndsShift;
    static constexpr std::uint32_t kValuesMask = 0xffffu;

    struct SSlot
    {
        // Written by the editor's thread only.
        std::atomic<std::uint32_t> state{0};
        std::atomic<float> value{0.0f};
        // The audio thread's own: what the host has been told.
        std::uint32_t toldEnds = 0;
        std::uint32_t toldValues = 0;
        bool hostInGesture = false;
    };

    SSlot* slot(VstInt32 index);

    VstInt32 m_numberOfParameters;
    std::unique_ptr<SSlot[]> m_slots;
};

template <typename Send> void CEditRelay::deliver(Send&& send)
{
    for (VstInt32 index = 0; index < m_numberOfParameters; ++index)
    {
        SSlot& slot = m_slots[index];
        const std::uint32_t state = slot.state.load(std::memory_order_acquire);
        const std::uint32_t ends = state & kEndsMask;
        const std::uint32_t values = state & kValuesMask;
        const bool ended = ends != slot.toldEnds;
        const bool inGesture = (state & kOpen) != 0;
        if ((ended || inGesture) && !slot.hostInGesture)
        {
            send(audioMasterBeginEdit, index, 0.0f);
            slot.hostInGesture = true;
        }
        if (values != slot.toldValues)
        {
            slot.toldValues = values;
            send(audioMasterAutomate, index, slot.value.load(std::memory_order_relaxed));
        }
        if (ended)
        {
            slot.toldEnds = ends;
            send(audioMasterEndEdit, index, 0.0f);
            slot.hostInGesture = false;
            if (inGesture)
            {
                send(audioMasterBeginEdit, index, 0.0f);
                slot.hostInGesture = true;
            }
        }
    }
}

} // namespace Vantor::Vst
