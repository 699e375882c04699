#include "framework/platform/x11/X11Keys.hpp"

#include "framework/platform/WindowBackend.hpp"

#include <X11/keysym.h>

#include <array>
#include <utility>

namespace Vantor::Platform::X11Keys
{

namespace
{

// Keys that do not follow from a character range.
constexpr std::array<std::pair<KeySym, int>, 50> kKeyTable{{
    {XK_BackSpace, VirtualKey::Back},
    {XK_Tab, VirtualKey::Tab},
    {XK_ISO_Left_Tab, VirtualKey::Tab},
    {XK_Clear, VirtualKey::Clear},
    {XK_Return, VirtualKey::Return},
    {XK_KP_Enter, VirtualKey::Return},
    {XK_Shift_L, VirtualKey::Shift},
    {XK_Shift_R, VirtualKey::Shift},
    {XK_Control_L, VirtualKey::Control},
    {XK_Control_R, VirtualKey::Control},
    {XK_Alt_L, VirtualKey::Menu},
    {XK_Alt_R, VirtualKey::Menu},
    {XK_Meta_L, VirtualKey::Menu},
    {XK_Meta_R, VirtualKey::Menu},
    {XK_ISO_Level3_Shift, VirtualKey::Menu},
    {XK_Pause, VirtualKey::Pause},
    {XK_Caps_Lock, VirtualKey::Capital},
    {XK_Escape, VirtualKey::Escape},
    {XK_space, VirtualKey::Space},
    {XK_Prior, VirtualKey::Prior},
    {XK_Next, VirtualKey::Next},
    {XK_End, VirtualKey::End},
    {XK_Home, VirtualKey::Home},
    {XK_Left, VirtualKey::Left},
    {XK_Up, VirtualKey::Up},
    {XK_Right, VirtualKey::Right},
    {XK_Down, VirtualKey::Down},
    {XK_Print, VirtualKey::Snapshot},
    {XK_Insert, VirtualKey::Insert},
    {XK_Delete, VirtualKey::Delete},
    {XK_Help, VirtualKey::Help},
    {XK_Super_L, VirtualKey::LeftWindows},
    {XK_Super_R, VirtualKey::RightWindows},
    {XK_Num_Lock, VirtualKey::NumLock},
    {XK_Scroll_Lock, VirtualKey::Scroll},
    {XK_KP_Multiply, 0x6A},
    {XK_KP_Add, 0x6B},
    {XK_KP_Subtract, 0x6D},
    {XK_KP_Decimal, 0x6E},
    {XK_KP_Divide, 0x6F},
    {XK_semicolon, 0xBA},
    {XK_equal, 0xBB},
    {XK_comma, 0xBC},
    {XK_minus, 0xBD},
    {XK_period, 0xBE},
    {XK_slash, 0xBF},
    {XK_grave, 0xC0},
    {XK_bracketleft, 0xDB},
    {XK_backslash, 0xDC},
    {XK_bracketright, 0xDD},
}};

} // namespace

int virtualKeyFromKeysym(KeySym keysym)
{
    if (keysym >= XK_a && keysym <= XK_z)
    {
        return static_cast<int>('A' + (keysym - XK_a));
    }
    if (keysym >= XK_A && keysym <= XK_Z)
    {
        return static_cast<int>(keysym);
    }
    if (keysym >= XK_0 && keysym <= XK_9)
    {
        return static_cast<int>(keysym);
    }
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
    {
        return static_cast<int>(0x60 + (keysym - XK_KP_0));
    }
    if (keysym >= XK_F1 && keysym <= XK_F24)
    {
        return static_cast<int>(VirtualKey::F1 + (keysym - XK_F1));
    }
    if (keysym == XK_apostrophe)
    {
        return 0xDE;
    }
    for (const auto& [symbol, virtualKey] : kKeyTable)
    {
        if (symbol == keysym)
        {
            return virtualKey;
        }
    }
    return 0;
}

std::vector<KeySym> keysymsOfVirtualKey(int virtualKey)
{
    switch (virtualKey)
    {
    case VirtualKey::LeftShift:
        return {XK_Shift_L};
    case VirtualKey::RightShift:
        return {XK_Shift_R};
    case VirtualKey::LeftControl:
        return {XK_Control_L};
    case VirtualKey::RightControl:
        return {XK_Control_R};
    case VirtualKey::LeftMenu:
        return {XK_Alt_L};
    case VirtualKey::RightMenu:
        return {XK_Alt_R};
    default:
        break;
    }
    std::vector<KeySym> result;
    if (virtualKey >= 'A' && virtualKey <= 'Z')
    {
        result.push_back(static_cast<KeySym>(XK_a + (virtualKey - 'A')));
        return result;
    }
    if ((virtualKey >= '0' && virtualKey <= '9') ||
        (virtualKey >= VirtualKey::F1 && virtualKey <= VirtualKey::F24))
    {
        result.push_back(virtualKey <= '9' ? static_cast<KeySym>(virtualKey)
                                           : static_cast<KeySym>(XK_F1 + (virtualKey - VirtualKey::F1)));
        return result;
    }
    for (const auto& [symbol, key] : kKeyTable)
    {
        if (key == virtualKey)
        {
            result.push_back(symbol);
        }
    }
    return result;
}

} // namespace Vantor::Platform::X11Keys
