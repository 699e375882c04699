#include <gtest/gtest.h>

#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/events/DropEvent.hpp"
#include "framework/gui/events/KeyboardEvent.hpp"
#include "framework/gui/graphics/Graphics.hpp"
#include "framework/gui/windowing/Window.hpp"
#include "framework/io/XMLNode.hpp"
#include "tests/gui/FakeWindowSystem.hpp"
#include "tests/gui/TestSupport.hpp"

using namespace Vantor;
using namespace Vantor::GUI;
using Controls::CControl;
using MathTools::CPoint;
using MathTools::CRect;
namespace Message = Vantor::Platform::Message;

namespace
{

// A control that remembers what reached it.
class CProbe : public CControl
{
public:
    CProbe(Controls::IControlRoot* root, long id, const CRect& area) : CControl(root, id, area) {}

    void handleLeftButtonDown(Events::CMouseEvent& e) override { note("down", e); }
    void handleMouseMovement(Events::CMouseEvent& e) override { note("move", e); }
    void handleMouseScroll(Events::CMouseEvent& e) override
    {
        wheel = e.getWheelValue();
        note("scroll", e);
    }
    bool handleKeyDown(const Events::CKeyboardEvent&) override
    {
        keys++;
        return true;
    }
    void handleFileDrop(const Events::CDropEvent& e) override
    {
        dropPoint = e.getDropPoint();
        drops++;
    }
    void drawControl(Graphics::CGraphics& graphics) override
    {
        draws++;
        drawnUpdateArea = graphics.getUpdateArea();
        drawnOffset = graphics.getDrawingAreaOffset();
    }

    void note(const char* what, Events::CMouseEvent& e)
    {
        last = what;
        position = e.getMousePosition();
        events++;
    }

    std::string last;
    CPoint position, dropPoint, drawnOffset;
    CRect drawnUpdateArea;
    double wheel = 0;
    int events = 0, keys = 0, drops = 0, draws = 0;
};

class ControlRootTest : public ::testing::Test
{
protected:
    ControlRootTest() : window(CRect(0, 0, 200, 100)), root(*window.getControlRoot()) {}

    // Adds a probe owned by this test (the root holds its own reference).
    CProbe* add(long id, const CRect& area)
    {
        auto* probe = new CProbe(&root, id, area);
        probe->referenced();
        root.addControl(probe);
        owned.push_back(probe);
        return probe;
    }

    ~ControlRootTest() override
    {
        root.clearControls();
        root.unlockControl();
        root.clearModalControl();
        for (CProbe* probe : owned)
        {
            probe->dereference();
        }
    }

    intptr_t send(int id, int x, int y, uintptr_t wParam = 0)
    {
        return window.handleWindowEvents({id, wParam, Platform::packMousePosition(x, y)});
    }

    Tests::CFakeWindowSystem system;
    Windowing::CWindow window;
    Controls::CControlRoot& root;
    std::vector<CProbe*> owned;
};

} // namespace

TEST_F(ControlRootTest, NullParentWindowIsRefused)
{
    Tests::expectException([] { Controls::CControlRoot orphan(nullptr); }, "Parent window is NULL",
                           "CControlRoot::CControlRoot(IWindow *)");
}

TEST_F(ControlRootTest, TheFirstAddedOfOverlappingControlsGetsTheClickInControlCoordinates)
{
    CProbe* under = add(1, CRect(10, 10, 50, 50));
    CProbe* over = add(2, CRect(30, 30, 50, 50));
    send(Message::LeftButtonDown, 40, 45);
    EXPECT_EQ(under->last, "down");
    EXPECT_EQ(under->position, CPoint(30, 35));
    EXPECT_EQ(over->events, 0);
    EXPECT_EQ(root.getLastMouseControl(), under);

    // Controls that do not take the mouse are passed over.
    under->setMouseEnabled(false);
    send(Message::LeftButtonDown, 40, 45);
    EXPECT_EQ(under->events, 1);
    EXPECT_EQ(over->position, CPoint(10, 15));
}

TEST_F(ControlRootTest, WheelValueIsPassedOn)
{
    CProbe* probe = add(1, CRect(0, 0, 200, 100));
    window.handleWindowEvents({Message::MouseWheel, uintptr_t{120} << 16, 0});
    EXPECT_EQ(probe->last, "scroll");
    EXPECT_DOUBLE_EQ(probe->wheel, 1.0);
}

TEST_F(ControlRootTest, RightAndBottomEdgesBelongToTheControl)
{
    CProbe* probe = add(1, CRect(10, 10, 20, 20));
    send(Message::MouseMove, 30, 30);
    EXPECT_EQ(probe->position, CPoint(20, 20));
    send(Message::MouseMove, 31, 30);
    EXPECT_EQ(probe->events, 1);
    EXPECT_EQ(root.getControlAtPoint(CPoint(10, 10)), probe);
    EXPECT_EQ(root.getControlAtPoint(CPoint(9, 10)), nullptr);
}

TEST_F(ControlRootTest, TheLockedControlGetsEverythingWithFarCoordinates)
{
    CProbe* locked = add(1, CRect(50, 50, 10, 10));
    CProbe* other = add(2, CRect(0, 0, 20, 20));
    root.lockControl(locked);
    send(Message::MouseMove, 5, 5);
    EXPECT_EQ(locked->position, CPoint(-45, -45));
    EXPECT_EQ(other->events, 0);
    send(Message::MouseMove, 190, 90);
    EXPECT_EQ(locked->position, CPoint(140, 40));
    root.unlockControl();
    send(Message::MouseMove, 5, 5);
    EXPECT_EQ(other->events, 1);
}

TEST_F(ControlRootTest, AModalControlBlocksClicksOutsideIt)
{
    CProbe* normal = add(1, CRect(0, 0, 50, 50));
    CProbe* dialog = add(2, CRect(100, 0, 50, 50));
    root.setModalControl(dialog);
    send(Message::LeftButtonDown, 10, 10);
    EXPECT_EQ(normal->events, 0);
    EXPECT_EQ(dialog->events, 0);
    send(Message::LeftButtonDown, 110, 10);
    EXPECT_EQ(dialog->position, CPoint(10, 10));

    // The modal control takes the keys, but the root still answers that it did not handle them.
    Events::CKeyboardEvent key;
    EXPECT_FALSE(root.handleKeyDown(key));
    EXPECT_EQ(dialog->keys, 1);

    root.clearModalControl();
    send(Message::LeftButtonDown, 10, 10);
    EXPECT_EQ(normal->events, 1);
}

TEST_F(ControlRootTest, KeysGoToTheLastClickedControlWhateverItsKeyboardFlag)
{
    CProbe* probe = add(1, CRect(0, 0, 50, 50));
    EXPECT_EQ(window.handleWindowEvents({Message::KeyDown, 'A', 0}), 0); // nobody clicked yet
    send(Message::LeftButtonDown, 5, 5);
    EXPECT_FALSE(probe->isKeyboardEnabled());
    EXPECT_EQ(window.handleWindowEvents({Message::KeyDown, 'A', 0}), 1);
    EXPECT_EQ(probe->keys, 1);
}

TEST_F(ControlRootTest, DropsGoToDropEnabledControlsInTheirCoordinates)
{
    CProbe* plain = add(1, CRect(0, 0, 100, 100));
    CProbe* target = add(2, CRect(20, 20, 50, 50));
    target->setDropFileEnabled(true);
    Events::CDropEvent drop(CPoint(30, 40));
    drop.addFile("x.png");
    root.handleFileDrop(drop);
    EXPECT_EQ(plain->drops, 0);
    EXPECT_EQ(target->drops, 1);
    EXPECT_EQ(target->dropPoint, CPoint(10, 20));
}

TEST_F(ControlRootTest, RemovingLeavesAnEmptySlot)
{
    CProbe* first = add(7, CRect(0, 0, 10, 10));
    CProbe* second = add(8, CRect(0, 0, 10, 10));
    root.addControl(first); // already there
    EXPECT_EQ(root.getNumberOfInsertedControls(), 2);
    root.removeControl(first);
    EXPECT_EQ(root.getNumberOfControls(), 32);
    EXPECT_EQ(root.getControlIndex(first), -1);
    EXPECT_EQ(root.getControlIndex(second), 1);
    EXPECT_EQ(root.getControlAtIndex(0), nullptr);
    EXPECT_EQ(root.getControlAtIndex(8, false), second);
    EXPECT_EQ(root.getControlAtIndex(99), nullptr);
    EXPECT_EQ(first->getReferenceCount(), 1);
}

TEST_F(ControlRootTest, AControlRemovingItselfWhileHandlingStaysAliveUntilDone)
{
    struct SSelfRemoving : CProbe
    {
        using CProbe::CProbe;
        void handleLeftButtonDown(Events::CMouseEvent& e) override
        {
            getControlRoot()->removeControl(this);
            note("down", e);
        }
    };
    auto* control = new SSelfRemoving(&root, 1, CRect(0, 0, 10, 10));
    root.addControl(control); // only the root holds it
    send(Message::LeftButtonDown, 5, 5);
    EXPECT_EQ(root.getLastMouseControl(), control);
    EXPECT_EQ(control->events, 1);
    root.clearControls();
}

TEST_F(ControlRootTest, NamesIdsAndBinding)
{
    CProbe* probe = add(1, CRect(0, 0, 10, 10));
    probe->setName("Knob");
    EXPECT_EQ(root.getControlWithName("Knob"), probe);
    EXPECT_EQ(root.getControlWithName("Other"), nullptr);
    EXPECT_EQ(root.bindNamedControl("Knob", 42, nullptr, "CKnob"), nullptr);
    EXPECT_EQ(root.bindNamedControl("Knob", 42, nullptr, "CControl"), probe);
    EXPECT_EQ(probe->getUniqueId(), 42);
}

TEST_F(ControlRootTest, UpdatesInvalidateTheAbsoluteAreaOnly)
{
    Windowing::CWindowAttributes attributes;
    window.intialiseWindow(&attributes, false);
    CProbe* probe = add(1, CRect(10, 20, 30, 40));
    auto& invalidated = system.lastBackend()->m_invalidated;
    invalidated.clear();
    probe->disable();
    EXPECT_TRUE(invalidated.empty());
    probe->update();
    ASSERT_EQ(invalidated.size(), 1u);
    const Platform::SPixelRect& area = invalidated[0];
    EXPECT_EQ((std::vector<int>{area.x, area.y, area.width, area.height}),
              (std::vector<int>{10, 20, 30, 40}));
}

TEST_F(ControlRootTest, DrawingGivesEachControlItsOffsetAndUpdateArea)
{
    CProbe* inside = add(1, CRect(10, 10, 20, 20));
    CProbe* partly = add(2, CRect(40, 0, 40, 40));
    CProbe* outside = add(3, CRect(150, 50, 10, 10));
    Graphics::CGraphics graphics;
    ASSERT_TRUE(graphics.begin(MathTools::CDimension(200, 100)));
    graphics.setUpdateArea(CRect(0, 0, 60, 50));
    graphics.getClip().setClip(CRect(0, 0, 60, 50));
    root.drawRootControl(graphics);

    EXPECT_EQ(inside->drawnOffset, CPoint(10, 10));
    EXPECT_EQ(inside->drawnUpdateArea, CRect(0, 0, 20, 20));
    EXPECT_EQ(partly->drawnOffset, CPoint(40, 0));
    EXPECT_EQ(partly->drawnUpdateArea, CRect(0, 0, 20, 40));
    EXPECT_EQ(outside->draws, 0);
    EXPECT_EQ(graphics.getDrawingAreaOffset(), CPoint(0, 0));
    EXPECT_EQ(graphics.getUpdateArea(), CRect(0, 0, 60, 50));
    graphics.end();
}

TEST_F(ControlRootTest, LayoutsAreWrittenIntoAControlsNodeAndFileAndReadBack)
{
    CProbe* saved = add(1, CRect(1, 2, 3, 4));
    CProbe* skipped = add(2, CRect(0, 0, 5, 5));
    skipped->setExcludedFromSaving(true);
    saved->setName("Saved");
    saved->setMouseEnabled(false);

    auto* wrong = new IO::CXMLNode("control_list");
    wrong->referenced();
    EXPECT_FALSE(root.writeToXml(wrong));
    EXPECT_STREQ(root.getLastError().getString(),
                 "The node name of a control root xml file must be \"controls\"");
    wrong->dereference();

    auto* node = new IO::CXMLNode("controls");
    node->referenced();
    ASSERT_TRUE(root.writeToXml(node));
    EXPECT_EQ(node->getNumberOfChildNodes(), 1);
    EXPECT_STREQ(node->getAttributeValue("number_of_controls").getString(), "1");
    EXPECT_STREQ(node->getChildNode(0)->getAttributeValue("type").getString(), "CControl");
    node->dereference();

    // Reading a file reads its root node the same way.

    Tests::CScratchFolder folder;
    const std::string path = folder.file("layout.xml");
    ASSERT_TRUE(root.writeToXmlFile(path.c_str()));
    Windowing::CWindow third(CRect(0, 0, 50, 50));
    ASSERT_TRUE(third.getControlRoot()->readFromXmlFile(path.c_str()));
    Controls::IControl* read = third.getControlRoot()->getControlAtIndex(1, false);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(third.getControlRoot()->getControlWithName("Saved"), read);
    EXPECT_EQ(read->getAbsoluteRect(), CRect(1, 2, 3, 4));
    EXPECT_FALSE(read->isMouseEnabled());
    EXPECT_EQ(third.getControlRoot()->getNumberOfInsertedControls(), 1);
    EXPECT_FALSE(third.getControlRoot()->readFromXmlFile(folder.file("missing.xml").c_str()));
}

TEST_F(ControlRootTest, ControlCornersInWindowAndScreenCoordinates)
{
    CProbe* probe = add(1, CRect(10, 20, 5, 5));
    CPoint corner;
    ASSERT_TRUE(root.getWindowCoordinatesOfControl(probe, corner));
    EXPECT_EQ(corner, CPoint(10, 20));

    Windowing::CWindowAttributes attributes;
    window.intialiseWindow(&attributes, false);
    system.lastBackend()->m_screenRect = {300, 200, 210, 130}; // border 5, title bar 25
    system.lastBackend()->m_clientSize = {200, 100};
    ASSERT_TRUE(root.getGlobalCoordinatesOfControl(probe, corner));
    EXPECT_EQ(corner, CPoint(315, 245));
    EXPECT_FALSE(root.getGlobalCoordinatesOfControl(nullptr, corner));
}

TEST_F(ControlRootTest, TheControlTreeListsTheAttachedControlsInOrder)
{
    CProbe* first = add(1, CRect(0, 0, 5, 5));
    CProbe* second = add(2, CRect(0, 0, 5, 5));
    CProbe* gone = add(3, CRect(0, 0, 5, 5));
    root.removeControl(gone);
    Collections::TTreeNode<Controls::IControl> tree;
    root.buildControlTree(tree);
    ASSERT_EQ(tree.getNumberOfChildNodes(), 2);
    EXPECT_EQ(tree.getChildNode(0)->getItem(), first);
    EXPECT_EQ(tree.getChildNode(1)->getItem(), second);
}
