// gtest comes before the X11 headers, whose macros (None, Bool) clash with it.
#include <gtest/gtest.h>

#include "framework/platform/WindowBackend.hpp"
#include "framework/platform/x11/X11Keys.hpp"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <algorithm>

using namespace Vantor::Platform;
using namespace Vantor::Platform::X11Keys;

TEST(X11Keys, KeySymbolsMapToVirtualKeys)
{
    // Letters, digits, Return, Back, Escape, Left and F5 are checked on a live window.
    const std::pair<KeySym, int> cases[] = {
        {XK_Q, 'Q'},
        {XK_KP_3, 0x63},
        {XK_space, VirtualKey::Space},
        {XK_comma, 0xBC},
        {XK_KP_Enter, VirtualKey::Return},
        {XK_Shift_R, VirtualKey::Shift},
        {XK_Control_L, VirtualKey::Control},
        {XK_Alt_L, VirtualKey::Menu},
        {XK_Down, VirtualKey::Down},
        {XK_Print, VirtualKey::Snapshot},
        {XK_Super_R, VirtualKey::RightWindows},
        {XK_F24, VirtualKey::F24},
        {XK_Scroll_Lock, VirtualKey::Scroll},
        {XK_dead_acute, 0}, // keys without a virtual key give 0
    };
    for (const auto& [keysym, virtualKey] : cases)
    {
        EXPECT_EQ(virtualKeyFromKeysym(keysym), virtualKey) << XKeysymToString(keysym);
    }
}

TEST(X11Keys, VirtualKeysFindTheirKeySymbolsForStateQueries)
{
    EXPECT_EQ(keysymsOfVirtualKey(VirtualKey::Shift), (std::vector<KeySym>{XK_Shift_L, XK_Shift_R}));
    EXPECT_EQ(keysymsOfVirtualKey(VirtualKey::RightControl), (std::vector<KeySym>{XK_Control_R}));
    EXPECT_EQ(keysymsOfVirtualKey('C'), (std::vector<KeySym>{XK_c}));
    EXPECT_EQ(keysymsOfVirtualKey('7'), (std::vector<KeySym>{XK_7}));
    EXPECT_EQ(keysymsOfVirtualKey(VirtualKey::F1 + 4), (std::vector<KeySym>{XK_F5}));
    EXPECT_TRUE(keysymsOfVirtualKey(0).empty());
    const auto menu = keysymsOfVirtualKey(VirtualKey::Menu);
    EXPECT_NE(std::find(menu.begin(), menu.end(), static_cast<KeySym>(XK_Alt_R)), menu.end());
}
