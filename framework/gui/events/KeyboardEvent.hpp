#pragma once
// One key press or release: the character it types (if any), the modifiers and
// the framework's key code.

#include "framework/basics/CountedObject.hpp"

namespace Vantor::GUI::Events
{

// Key codes of the framework; every key without a code of its own is kUndefinedKey.
enum EKeyCode : long
{
    kKeyBackspace = 0,
    kKeyTab,
    kKeyClear,
    kKeyReturn,
    kKeyShift,
    kKeyControl,
    kKeyAlt,
    kKeyPause,
    kKeyCapsLock,
    kKeyEscape,
    kKeyPageUp,
    kKeyPageDown,
    kKeyEnd,
    kKeyHome,
    kKeyLeft,
    kKeyUp,
    kKeyRight,
    kKeyDown,
    kKeyPrintScreen,
    kKeyInsert,
    kKeyDelete,
    kKeyHelp,
    kKeyLeftWindows,
    kKeyRightWindows,
    kKeyF1,
    kKeyF24 = kKeyF1 + 23,
    kKeyNumLock,
    kKeyScrollLock,
    kKeyLeftShift,
    kKeyRightShift,
    kKeyLeftControl,
    kKeyRightControl,
    kKeyLeftAlt,
    kKeyRightAlt,
    kUndefinedKey,
};

class CKeyboardEvent : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CKeyboardEvent);

    // Character ' ', no modifiers, not special, key code kUndefinedKey.
    CKeyboardEvent();

    char getCharacter() const { return m_character; }
    bool isShiftDown() const { return m_shiftDown; }
    bool isAltDown() const { return m_altDown; }
    bool isControlDown() const { return m_controlDown; }
    // The key types no character of its own.
    bool isSpecialKey() const { return m_specialKey; }
    long getKeyCode() const { return m_keyCode; }

    void setCharacter(char character) { m_character = character; }
    void setModifiers(bool control, bool shift, bool alt);
    void setSpecialKey(bool special) { m_specialKey = special; }
    void setKeyCode(long keyCode) { m_keyCode = keyCode; }

    // Fills character, special flag and key code from a virtual key and what the
    // keyboard layout translates it to (a character 0..255, or -1 for none).
    void setKey(long virtualKey, int translatedCharacter);

    // The key code of a (Win32-numbered) virtual key.
    static long keyCodeFromVirtualKey(long virtualKey);

private:
    char m_character = ' ';
    bool m_shiftDown = false;
    bool m_altDown = false;
    bool m_controlDown = false;
    bool m_specialKey = false;
    long m_keyCode = kUndefinedKey;
};

} // namespace Vantor::GUI::Events
