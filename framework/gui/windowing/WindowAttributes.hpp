#pragma once
// How a window looks and behaves, set before it is created.

#include <cstdint>

#include "framework/basics/CountedObject.hpp"
#include "framework/basics/String.hpp"
#include "framework/gui/graphics/Colour.hpp"

namespace Vantor::GUI::Windowing
{

class CWindowIcon;

class CWindowAttributes : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CWindowAttributes);

    static constexpr std::uint32_t kDefaultStyle = 0xCF0008;
    static constexpr std::uint32_t kDefaultExtendedStyle = 0x10;

    // Title "Application", white, opaque, enabled, no shadow, the default styles.
    CWindowAttributes();
    CWindowAttributes(const CWindowAttributes& other);
    CWindowAttributes& operator=(const CWindowAttributes& other);
    ~CWindowAttributes() override;

    void setWindowTitle(const Basics::CString& title) { m_title = title; }
    const Basics::CString& getWindowTitle() const { return m_title; }
    void setBackgroundColour(const Graphics::CColour& colour) { m_backgroundColour = colour; }
    const Graphics::CColour& getBackgroundColour() const { return m_backgroundColour; }
    // Opacity 0..1.
    void setAlpha(double alpha) { m_alpha = alpha; }
    double getAlpha() const { return m_alpha; }
    // Counted reference; null removes the icon.
    void setWindowIcon(CWindowIcon* icon);
    CWindowIcon* getWindowIcon() const { return m_icon; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isEnabled() const { return m_enabled; }
    void setDropShadow(bool dropShadow) { m_dropShadow = dropShadow; }
    bool hasDropShadow() const { return m_dropShadow; }

    // Presets of style and extended style: 0 a normal framed window, 1 and 2 a
    // fixed-size framed window, 3 a borderless, non-activating, layered, topmost
    // pop-up. Other presets change nothing.
    void setWindowStyle(long preset);
    void setWindowStyle(std::uint32_t style, std::uint32_t extendedStyle);
    std::uint32_t getWindowStyle() const { return m_style; }
    std::uint32_t getExtendedWindowStyle() const { return m_extendedStyle; }

private:
    Basics::CString m_title;
    Graphics::CColour m_backgroundColour;
    double m_alpha = 1.0;
    CWindowIcon* m_icon = nullptr;
    bool m_enabled = true;
    bool m_dropShadow = false;
    std::uint32_t m_style = kDefaultStyle;
    std::uint32_t m_extendedStyle = kDefaultExtendedStyle;
};

} // namespace Vantor::GUI::Windowing
