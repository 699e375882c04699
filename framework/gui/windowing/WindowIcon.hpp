#pragma once
// A window's icon: one native icon handle, owned.

#include <cstdint>

#include "framework/basics/CountedObject.hpp"

namespace Vantor::GUI::Windowing
{

class CWindowIcon : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CWindowIcon);

    CWindowIcon() = default;
    CWindowIcon(const CWindowIcon&) = delete;
    CWindowIcon& operator=(const CWindowIcon&) = delete;

    // The native icon, 0 for none.
    std::uintptr_t getNativeIcon() const { return m_icon; }
    // Takes a native icon handle (the window backend made it).
    void setNativeIcon(std::uintptr_t icon) { m_icon = icon; }

private:
    std::uintptr_t m_icon = 0;
};

} // namespace Vantor::GUI::Windowing
