// gtest comes before the X11 headers, whose macros (None, Bool) clash with it.
#include <gtest/gtest.h>

#include "framework/platform/WindowBackend.hpp"
#include "framework/platform/x11/X11Keys.hpp"

#include <X11/Xlib.h>
#include <X11/keysym.h>

using namespace Vantor::Platform;
using namespace Vantor::Platform::X11Keys;

TEST(X11Keys, KeySymbolsMapToVirtualKeys)
{
    // The computed ranges at their far ends and one entry of the key table; letters, digits,
    // Return, Back, Escape, Left and F5 are checked on a live window.
    const std::pair<KeySym, int> cases[] = {
        {XK_Q, 'Q'},        {XK_KP_3, 0x63}, {XK_comma, 0xBC}, {XK_F24, VirtualKey::F24},
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
    EXPECT_EQ(keysymsOfVirtualKey('C'), (std::vector<KeySym>{XK_c}));
    EXPECT_EQ(keysymsOfVirtualKey('7'), (std::vector<KeySym>{XK_7}));
    EXPECT_EQ(keysymsOfVirtualKey(VirtualKey::F1 + 4), (std::vector<KeySym>{XK_F5}));
    EXPECT_TRUE(keysymsOfVirtualKey(0).empty());
}
