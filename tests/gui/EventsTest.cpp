#include <gtest/gtest.h>

#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/events/ActionEvent.hpp"
#include "framework/gui/events/Cursor.hpp"
#include "framework/gui/events/DropEvent.hpp"
#include "framework/gui/events/KeyboardEvent.hpp"
#include "framework/gui/events/Mouse.hpp"
#include "framework/gui/events/MouseEvent.hpp"
#include "framework/gui/windowing/Window.hpp"
#include "tests/gui/FakeWindowSystem.hpp"
#include "tests/gui/TestSupport.hpp"

using namespace Vantor;
using namespace Vantor::GUI;
using Events::CKeyboardEvent;

TEST(ActionEvent, NullControlIsRefusedWithTheFrameworksTexts)
{
    Tests::expectException([] { Events::CActionEvent event(nullptr); }, "Control is NULL",
                           "CActionEvent::CActionEvent(IControl *control)");
}

TEST(ActionEvent, ModifiersComeFromTheMouseEventOnly)
{
    Tests::CFakeWindowSystem system;
    Windowing::CWindow window(MathTools::CRect(0, 0, 50, 50));
    Controls::CControl control(window.getControlRoot(), 1, MathTools::CRect(0, 0, 10, 10));
    Events::CMouse mouse;
    Events::CMouseEvent mouseEvent(Events::CMouseEvent::kLeftButtonDown, &mouse);
    mouseEvent.setModifiers(true, false, true);

    const Events::CActionEvent fromMouse(&control, mouseEvent);
    EXPECT_TRUE(fromMouse.isControlDown());
    EXPECT_FALSE(fromMouse.isShiftDown());
    EXPECT_TRUE(fromMouse.isAltDown());

    const Events::CActionEvent plain(&control);
    EXPECT_FALSE(plain.isControlDown() || plain.isShiftDown() || plain.isAltDown());
}

TEST(KeyboardEvent, KeyCodeTableCoversNamedKeysFunctionKeysAndTheRest)
{
    struct SCase
    {
        long virtualKey;
        long code;
    } cases[] = {{8, 0},    {9, 1},    {12, 2},   {13, 3},   {27, 9},  {33, 10},  {37, 14},  {40, 17},
                 {44, 18},  {46, 20},  {47, 21},  {91, 22},  {92, 23}, {112, 24}, {135, 47}, {144, 48},
                 {145, 49}, {160, 50}, {165, 55}, {'A', 56}, {0, 56},  {136, 56}, {111, 56}, {166, 56}};
    for (const SCase& c : cases)
    {
        EXPECT_EQ(CKeyboardEvent::keyCodeFromVirtualKey(c.virtualKey), c.code)
            << "virtual key " << c.virtualKey;
    }
}

TEST(KeyboardEvent, CharacterAndSpecialFlagFollowTheTranslation)
{
    CKeyboardEvent event; // unfilled: a space and the undefined key
    EXPECT_EQ(event.getCharacter(), ' ');
    EXPECT_EQ(event.getKeyCode(), 56);
    EXPECT_FALSE(event.isSpecialKey());
    event.setKey('A', 'a');
    EXPECT_EQ(event.getCharacter(), 'a');
    EXPECT_FALSE(event.isSpecialKey());

    event.setKey(0x25, -1); // left arrow: no character
    EXPECT_EQ(event.getCharacter(), ' ');
    EXPECT_TRUE(event.isSpecialKey());
    EXPECT_EQ(event.getKeyCode(), 14);

    event.setKey(8, 8); // backspace translates, but stays special
    EXPECT_EQ(event.getCharacter(), 8);
    EXPECT_TRUE(event.isSpecialKey());
}

TEST(Cursor, UnknownNumbersGiveTheArrowAndANullCursorIsIgnored)
{
    Tests::CFakeWindowSystem system;
    EXPECT_EQ(Events::CCursor::normaliseCursorNumber(9), 0);
    EXPECT_EQ(Events::CCursor::normaliseCursorNumber(-1), 0);
    EXPECT_EQ(Events::CCursor::normaliseCursorNumber(7), 7);
    EXPECT_EQ(Events::CCursor::getCursor(9), Events::CCursor::getDefaultCursor());
    Events::CMouse mouse;
    EXPECT_EQ(mouse.getCursor()->getCursorNumber(), 0);
    Events::CCursor hand(Events::CCursor::kHandCursor);
    mouse.setCursor(&hand);
    mouse.setCursor(nullptr);
    EXPECT_EQ(mouse.getCursor(), &hand);
    Events::CCursor::releaseSharedCursors();
}

TEST(DropEvent, CopiesShareTheFileListAndKeepTheirOwnPoint)
{
    Events::CDropEvent event(MathTools::CPoint(5, 6));
    event.addFile("/tmp/a.wav");
    event.addFile("/tmp/b.wav");
    Events::CDropEvent copy(event);
    copy.setDropPoint(MathTools::CPoint(1, 2));
    ASSERT_EQ(copy.getNumberOfFiles(), 2);
    EXPECT_STREQ(copy.getFile(1)->getString(), "/tmp/b.wav");
    EXPECT_EQ(copy.getFile(2), nullptr);
    EXPECT_EQ(event.getDropPoint(), MathTools::CPoint(5, 6));
}
