// gtest comes before the X11 headers, whose macros (None, Bool) clash with it.
#include <gtest/gtest.h>

#include "framework/platform/WindowBackend.hpp"
#include "framework/platform/x11/X11Keys.hpp"

#include <X11/keysym.h>
#include <algorithm>

using namespace Vantor::Platform;
using namespace Vantor::Platform::X11Keys;

TEST(X11Keys, CharacterKeysMapToTheirUpperCaseCodes)
{
    EXPECT_EQ(virtualKeyFromKeysym(XK_a), 'A');
    EXPECT_EQ(virtualKeyFromKeysym(XK_z), 'Z');
    EXPECT_EQ(virtualKeyFromKeysym(XK_Q), 'Q');
    EXPECT_EQ(virtualKeyFromKeysym(XK_0), '0');
    EXPECT_EQ(virtualKeyFromKeysym(XK_9), '9');
    EXPECT_EQ(virtualKeyFromKeysym(XK_KP_3), 0x63);
    EXPECT_EQ(virtualKeyFromKeysym(XK_space), VirtualKey::Space);
    EXPECT_EQ(virtualKeyFromKeysym(XK_comma), 0xBC);
}

TEST(X11Keys, SpecialKeysMapToTheKeyCodeTableEntries)
{
    EXPECT_EQ(virtualKeyFromKeysym(XK_BackSpace), VirtualKey::Back);
    EXPECT_EQ(virtualKeyFromKeysym(XK_Return), VirtualKey::Return);
    EXPECT_EQ(virtualKeyFromKeysym(XK_KP_Enter), VirtualKey::Return);
    EXPECT_EQ(virtualKeyFromKeysym(XK_Shift_R), VirtualKey::Shift);
    EXPECT_EQ(virtualKeyFromKeysym(XK_Control_L), VirtualKey::Control);
    EXPECT_EQ(virtualKeyFromKeysym(XK_Alt_L), VirtualKey::Menu);
    EXPECT_EQ(virtualKeyFromKeysym(XK_Escape), VirtualKey::Escape);
    EXPECT_EQ(virtualKeyFromKeysym(XK_Left), VirtualKey::Left);
    EXPECT_EQ(virtualKeyFromKeysym(XK_Down), VirtualKey::Down);
    EXPECT_EQ(virtualKeyFromKeysym(XK_Print), VirtualKey::Snapshot);
    EXPECT_EQ(virtualKeyFromKeysym(XK_Super_R), VirtualKey::RightWindows);
    EXPECT_EQ(virtualKeyFromKeysym(XK_F1), VirtualKey::F1);
    EXPECT_EQ(virtualKeyFromKeysym(XK_F24), VirtualKey::F24);
    EXPECT_EQ(virtualKeyFromKeysym(XK_Scroll_Lock), VirtualKey::Scroll);
    EXPECT_EQ(virtualKeyFromKeysym(XK_dead_acute), 0) << "keys without a virtual key give 0";
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
