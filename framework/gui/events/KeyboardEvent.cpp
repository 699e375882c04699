#include "framework/gui/events/KeyboardEvent.hpp"

namespace Vantor::GUI::Events
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Events::CKeyboardEvent, "CKeyboardEvent", "CCountedObject")

namespace
{
constexpr long kVirtualKeyBack = 0x08;

struct SKeyMapping
{
    long virtualKey;
    long keyCode;
};

// Virtual keys (Win32 numbering) with a key code of their own, except F1..F24.
constexpr SKeyMapping kKeyTable[] = {
    {0x08, kKeyBackspace},   {0x09, kKeyTab},          {0x0C, kKeyClear},       {0x0D, kKeyReturn},
    {0x10, kKeyShift},       {0x11, kKeyControl},      {0x12, kKeyAlt},         {0x13, kKeyPause},
    {0x14, kKeyCapsLock},    {0x1B, kKeyEscape},       {0x21, kKeyPageUp},      {0x22, kKeyPageDown},
    {0x23, kKeyEnd},         {0x24, kKeyHome},         {0x25, kKeyLeft},        {0x26, kKeyUp},
    {0x27, kKeyRight},       {0x28, kKeyDown},         {0x2C, kKeyPrintScreen}, {0x2D, kKeyInsert},
    {0x2E, kKeyDelete},      {0x2F, kKeyHelp},         {0x5B, kKeyLeftWindows}, {0x5C, kKeyRightWindows},
    {0x90, kKeyNumLock},     {0x91, kKeyScrollLock},   {0xA0, kKeyLeftShift},   {0xA1, kKeyRightShift},
    {0xA2, kKeyLeftControl}, {0xA3, kKeyRightControl}, {0xA4, kKeyLeftAlt},     {0xA5, kKeyRightAlt},
};

constexpr long kVirtualKeyF1 = 0x70;
constexpr long kVirtualKeyF24 = 0x87;
} // namespace

CKeyboardEvent::CKeyboardEvent() = default;

void CKeyboardEvent::setModifiers(bool control, bool shift, bool alt)
{
    m_controlDown = control;
    m_shiftDown = shift;
    m_altDown = alt;
}

long CKeyboardEvent::keyCodeFromVirtualKey(long virtualKey)
{
    if (virtualKey >= kVirtualKeyF1 && virtualKey <= kVirtualKeyF24)
    {
        return kKeyF1 + (virtualKey - kVirtualKeyF1);
    }
    for (const SKeyMapping& mapping : kKeyTable)
    {
        if (mapping.virtualKey == virtualKey)
        {
            return mapping.keyCode;
        }
    }
    return kUndefinedKey;
}

void CKeyboardEvent::setKey(long virtualKey, int translatedCharacter)
{
    m_keyCode = keyCodeFromVirtualKey(virtualKey);
    // Backspace translates to a character too, but counts as a special key.
    if (translatedCharacter >= 0 && virtualKey != kVirtualKeyBack)
    {
        m_character = static_cast<char>(translatedCharacter);
        m_specialKey = false;
    }
    else
    {
        m_character = (virtualKey == kVirtualKeyBack) ? '\b' : ' ';
        m_specialKey = true;
    }
}

} // namespace Vantor::GUI::Events
