#include "framework/vst/EditRelay.hpp"

#include <algorithm>

namespace Vantor::Vst
{

CEditRelay::CEditRelay(VstInt32 numberOfParameters)
    : m_numberOfParameters(std::max<VstInt32>(numberOfParameters, 0)),
      m_slots(std::make_unique<SSlot[]>(static_cast<std::size_t>(m_numberOfParameters)))
{
}

CEditRelay::SSlot* CEditRelay::slot(VstInt32 index)
{
    return index >= 0 && index < m_numberOfParameters ? &m_slots[index] : nullptr;
}

bool CEditRelay::begin(VstInt32 index)
{
    SSlot* edited = slot(index);
    if (edited == nullptr)
    {
        return false;
    }
    // Only this thread writes the word; an open gesture is not begun again.
    const std::uint32_t state = edited->state.load(std::memory_order_relaxed);
    edited->state.store(state | kOpen, std::memory_order_release);
    return true;
}

bool CEditRelay::automate(VstInt32 index, float value)
{
    SSlot* edited = slot(index);
    if (edited == nullptr)
    {
        return false;
    }
    edited->value.store(value, std::memory_order_relaxed);
    const std::uint32_t state = edited->state.load(std::memory_order_relaxed);
    edited->state.store((state & ~kValuesMask) | ((state + 1) & kValuesMask), std::memory_order_release);
    return true;
}

bool CEditRelay::end(VstInt32 index)
{
    SSlot* edited = slot(index);
    const std::uint32_t state = edited != nullptr ? edited->state.load(std::memory_order_relaxed) : 0;
    if ((state & kOpen) == 0)
    {
        return false; // no gesture to end
    }
    const std::uint32_t ends = (state + (1u << kEndsShift)) & kEndsMask;
    edited->state.store((state & kValuesMask) | ends, std::memory_order_release);
    return true;
}

} // namespace Vantor::Vst
