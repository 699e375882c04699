#include <gtest/gtest.h>

#include <functional>

#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/events/DropEvent.hpp"
#include "framework/gui/events/KeyboardListener.hpp"
#include "framework/gui/events/MouseListener.hpp"
#include "framework/gui/fonts/Font.hpp"
#include "framework/gui/graphics/ImageManager.hpp"
#include "framework/gui/windowing/EventPump.hpp"
#include "framework/gui/windowing/GuiLifetime.hpp"
#include "framework/gui/windowing/Window.hpp"
#include "tests/gui/FakeWindowSystem.hpp"
#include "tests/gui/TestSupport.hpp"

using namespace Vantor;
using namespace Vantor::GUI;
namespace Message = Vantor::Platform::Message;
using Windowing::CWindow;

namespace
{

Platform::SNativeMessage message(int id, uintptr_t wParam = 0, intptr_t lParam = 0)
{
    return Platform::SNativeMessage{id, wParam, lParam};
}

class CRecordingMouseListener : public Events::IMouseListener
{
public:
    void handleLeftButtonDown(Events::CMouseEvent& e) override { record("left down", e); }
    void handleLeftButtonUp(Events::CMouseEvent& e) override { record("left up", e); }
    void handleRightButtonDown(Events::CMouseEvent& e) override { record("right down", e); }
    void handleRightButtonUp(Events::CMouseEvent& e) override { record("right up", e); }
    void handleDoubleClick(Events::CMouseEvent& e) override { record("double", e); }
    void handleMouseScroll(Events::CMouseEvent& e) override { record("scroll", e); }
    void handleMouseMovement(Events::CMouseEvent& e) override { record("move", e); }
    void handleMouseLeavingArea(Events::CMouseEvent& e) override { record("leave", e); }
    void handleMouseCaptureLost() override { calls.push_back("capture lost"); }

    void record(const char* what, Events::CMouseEvent& e)
    {
        calls.push_back(what);
        position = e.getMousePosition();
        wheel = e.getWheelValue();
        control = e.isControlDown();
        shift = e.isShiftDown();
        alt = e.isAltDown();
    }

    std::vector<std::string> calls;
    MathTools::CPoint position;
    double wheel = 0;
    bool control = false, shift = false, alt = false;
};

class CRecordingKeyListener : public Events::IKeyboardListener
{
public:
    bool handleKeyDown(const Events::CKeyboardEvent& e) override
    {
        last = e;
        return true;
    }
    bool handleKeyUp(const Events::CKeyboardEvent&) override { return false; }
    Events::CKeyboardEvent last;
};

class CChangeListener : public Events::IWindowChangeListener
{
public:
    void windowSized(Windowing::IWindow*, const MathTools::CDimension& size) override { sized = size; }
    void windowMoved(Windowing::IWindow*, const MathTools::CPoint& position) override { moved = position; }
    bool windowClosed(Windowing::IWindow*) override
    {
        closes++;
        return allowClose;
    }
    MathTools::CDimension sized;
    MathTools::CPoint moved;
    int closes = 0;
    bool allowClose = true;
};

class CTimed : public Events::ITimedObject
{
public:
    explicit CTimed(long id) : m_id(id) {}
    void timerExpired() override { expiries++; }
    long getTimerId() const override { return m_id; }
    long m_id;
    int expiries = 0;
};

class WindowTest : public ::testing::Test
{
protected:
    static void openWindow(CWindow& window)
    {
        Windowing::CWindowAttributes attributes;
        window.intialiseWindow(&attributes, true);
    }

    Tests::CFakeWindowSystem system;
    CWindow window{MathTools::CRect(0, 0, 100, 50)};
};

} // namespace

// ---- message table without any native window ----

TEST_F(WindowTest, FixedAnswersWithAndWithoutListeners)
{
    auto expectAnswer = [&](intptr_t answer, std::initializer_list<int> ids, uintptr_t wParam)
    {
        for (int id : ids)
        {
            EXPECT_EQ(window.handleWindowEvents(message(id, wParam)), answer) << id;
        }
    };
    expectAnswer(1, {Message::EraseBackground}, 0);
    expectAnswer(0, {Message::Timer, Message::Paint}, 5);
    expectAnswer(CWindow::kNotHandled, {0x0133, 0x0138}, 0);

    window.setMouseListener(nullptr);
    window.setDropFileListener(nullptr);
    window.setKeyboardListener(nullptr);
    expectAnswer(CWindow::kNotHandled,
                 {Message::LeftButtonDown, Message::LeftButtonUp, Message::RightButtonDown,
                  Message::RightButtonUp, Message::MouseWheel, Message::DropFiles},
                 0);
    expectAnswer(0, {Message::MouseMove, Message::LeftButtonDoubleClick, Message::MouseLeave}, 0);
    expectAnswer(1, {Message::KeyDown, Message::KeyUp}, 'A');
}

TEST_F(WindowTest, MouseMessagesReachTheListenerWithPositionAndModifiers)
{
    CRecordingMouseListener listener;
    window.setMouseListener(&listener);
    // The keys held now do not matter: each message says which were held when it happened.
    system.m_keysDown = {Platform::VirtualKey::Control};
    namespace KeyState = Platform::KeyState;

    const int ids[] = {Message::MouseMove,       Message::LeftButtonDown, Message::LeftButtonUp,
                       Message::RightButtonDown, Message::RightButtonUp,  Message::LeftButtonDoubleClick,
                       Message::MouseLeave};
    for (int id : ids)
    {
        SCOPED_TRACE(id);
        EXPECT_EQ(window.handleWindowEvents(
                      message(id, KeyState::Shift | KeyState::Alt, Platform::packMousePosition(12, 34))),
                  0);
        EXPECT_EQ(listener.position, MathTools::CPoint(12, 34));
        EXPECT_FALSE(listener.control);
        EXPECT_TRUE(listener.shift);
        EXPECT_TRUE(listener.alt);
        window.handleWindowEvents(message(id, KeyState::Control | KeyState::LeftButton));
        EXPECT_TRUE(listener.control);
        EXPECT_FALSE(listener.shift);
        EXPECT_FALSE(listener.alt);
    }
    EXPECT_EQ(listener.calls.size(), 14u);
    EXPECT_EQ(listener.calls[0], "move");
    EXPECT_EQ(listener.calls[12], "leave");
    // Both packed coordinates are signed: a captured drag above or left of the window is negative.
    window.handleWindowEvents(message(Message::MouseMove, 0, Platform::packMousePosition(-3, -2)));
    EXPECT_EQ(listener.position, MathTools::CPoint(-3, -2));
    window.handleWindowEvents(message(Message::MouseMove, 0, Platform::packMousePosition(700, -300)));
    EXPECT_EQ(listener.position, MathTools::CPoint(700, -300));
}

TEST_F(WindowTest, WheelNotchesAreScaledAndPlacedFromTheScreenPosition)
{
    openWindow(window);
    CRecordingMouseListener listener;
    window.setMouseListener(&listener);
    auto* native = system.lastBackend();
    // Outer 110 x 80 at (200, 100) around a 100 x 50 client: border 5, client top 100 + (80 - 5 - 50).
    native->m_screenRect = {200, 100, 110, 80};
    native->m_clientSize = {100, 50};
    system.m_cursorPosition = {215, 135};

    const uintptr_t oneNotchTowardsUser = static_cast<uintptr_t>(static_cast<uint16_t>(-120)) << 16;
    EXPECT_EQ(window.handleWindowEvents(message(Message::MouseWheel, oneNotchTowardsUser)), 0);
    EXPECT_DOUBLE_EQ(listener.wheel, -1.0);
    EXPECT_EQ(listener.position, MathTools::CPoint(10, 10));

    EXPECT_FALSE(listener.shift);
    window.handleWindowEvents(
        message(Message::MouseWheel, (uintptr_t{240} << 16) | Platform::KeyState::Shift));
    EXPECT_DOUBLE_EQ(listener.wheel, 2.0);
    EXPECT_TRUE(listener.shift) << "the wheel message's own key state";
}

TEST_F(WindowTest, APressThatWillGetNoReleaseEndsWhenTheWindowGoesOrLosesTheCapture)
{
    CRecordingMouseListener listener;
    window.setMouseListener(&listener);
    const std::vector<std::string> lost{"left down", "capture lost"};
    struct SCase
    {
        const char* name;
        std::function<void()> act;
        std::vector<std::string> calls;
    };
    const SCase cases[] = {
        {"another window takes the capture",
         [&] { window.handleWindowEvents(message(Message::CaptureChanged)); }, lost},
        {"hidden", [&] { window.closeWindow(); }, lost},
        {"closed by the program", [&] { window.uninitialiseWindow(); }, lost},
        {"destroyed from outside",
         [&] { system.lastBackend()->m_sink->handleNativeMessage(message(Message::Destroy)); }, lost},
        // Win32 says CaptureChanged when the window itself lets go at the release.
        {"released",
         [&]
         {
             system.m_captureChangedOnRelease = true;
             window.handleWindowEvents(message(Message::LeftButtonUp));
             system.m_captureChangedOnRelease = false;
         },
         {"left down", "left up"}},
    };
    for (const SCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        openWindow(window);
        listener.calls.clear();
        window.handleWindowEvents(message(Message::LeftButtonDown));
        c.act();
        EXPECT_EQ(listener.calls, c.calls);
        EXPECT_FALSE(Windowing::isMouseCaptured());
        window.uninitialiseWindow();
    }
}

TEST_F(WindowTest, KeyMessagesFillTheEventAndReturnTheListenersAnswer)
{
    openWindow(window);
    system.lastBackend()->m_keyTranslations['A'] = 'a';
    CRecordingKeyListener keys;
    window.setKeyboardListener(&keys);
    system.m_keysDown = {Platform::VirtualKey::Shift};

    EXPECT_EQ(window.handleWindowEvents(message(Message::KeyDown, 'A')), 1);
    EXPECT_EQ(keys.last.getCharacter(), 'a');
    EXPECT_FALSE(keys.last.isSpecialKey());
    EXPECT_EQ(keys.last.getKeyCode(), 56);
    EXPECT_TRUE(keys.last.isShiftDown());
    EXPECT_EQ(window.handleWindowEvents(message(Message::KeyUp, 'A')), 0);

    EXPECT_EQ(window.handleWindowEvents(message(Message::KeyDown, Platform::VirtualKey::F1)), 1);
    EXPECT_EQ(keys.last.getCharacter(), ' ');
    EXPECT_TRUE(keys.last.isSpecialKey());
    EXPECT_EQ(keys.last.getKeyCode(), 24);
}

TEST_F(WindowTest, MoveAndSizeAreStoredAndReported)
{
    CChangeListener listener;
    window.setWindowChangeListener(&listener);
    window.handleWindowEvents(message(Message::Move, 0, Platform::packMousePosition(40, 30)));
    window.handleWindowEvents(message(Message::Size, 0, Platform::packMousePosition(320, 200)));
    EXPECT_EQ(window.getWindowPosition(), MathTools::CPoint(40, 30));
    EXPECT_EQ(window.getWindowSize(), MathTools::CDimension(320, 200));
    EXPECT_EQ(window.getWindowArea(), MathTools::CRect(40, 30, 320, 200));
    EXPECT_EQ(listener.moved, MathTools::CPoint(40, 30));
    EXPECT_EQ(listener.sized, MathTools::CDimension(320, 200));
}

TEST_F(WindowTest, CloseRefusedByTheListenerKeepsTheWindow)
{
    openWindow(window);
    CChangeListener listener;
    listener.allowClose = false;
    window.setWindowChangeListener(&listener);
    EXPECT_EQ(window.handleWindowEvents(message(Message::Close)), CWindow::kNotHandled);
    EXPECT_EQ(window.handleWindowEvents(message(Message::Destroy)), CWindow::kNotHandled);
    EXPECT_TRUE(system.lastBackend()->exists());
    listener.allowClose = true;
    window.handleWindowEvents(message(Message::Close));
    EXPECT_FALSE(system.lastBackend()->exists());
    window.setWindowChangeListener(nullptr);
}

TEST_F(WindowTest, ClosingTheMainWindowEndsTheApplicationOtherWindowsDoNot)
{
    openWindow(window);
    window.handleWindowEvents(message(Message::Close));
    EXPECT_FALSE(system.m_quitPosted);

    CWindow main(MathTools::CRect(0, 0, 10, 10));
    openWindow(main);
    CWindow::setApplicationMainWindow(&main);
    main.handleWindowEvents(message(Message::Close));
    EXPECT_TRUE(system.m_quitPosted);
}

TEST_F(WindowTest, FocusInstallsTheWheelHookAndLosingItRemovesIt)
{
    openWindow(window);
    window.handleWindowEvents(message(Message::SetFocus));
    EXPECT_TRUE(system.lastBackend()->m_hookInstalled);
    EXPECT_EQ(CWindow::getCurrentWindow(), &window);
    window.handleWindowEvents(message(Message::KillFocus));
    EXPECT_FALSE(system.lastBackend()->m_hookInstalled);
}

TEST_F(WindowTest, DroppedFilesReachTheListenerAndTheWindowComesForward)
{
    struct SDropListener : Events::IDropFileListener
    {
        void handleFileDrop(const Events::CDropEvent& e) override
        {
            point = e.getDropPoint();
            files = e.getNumberOfFiles();
        }
        MathTools::CPoint point;
        long files = 0;
    } listener;
    openWindow(window);
    window.setDropFileListener(&listener);
    system.lastBackend()->m_dropped = {{3, 4}, {"a.tga", "b.tga"}};
    EXPECT_EQ(window.handleWindowEvents(message(Message::DropFiles, 77)), 0);
    EXPECT_EQ(listener.point, MathTools::CPoint(3, 4));
    EXPECT_EQ(listener.files, 2);
    EXPECT_EQ(system.lastBackend()->m_dropsFinished, 1);
    EXPECT_EQ(system.lastBackend()->m_broughtToFront, 1);
}

TEST_F(WindowTest, AnExceptionInAListenerNeverLeavesTheMessageHandler)
{
    struct SThrowing : CRecordingMouseListener
    {
        void handleMouseMovement(Events::CMouseEvent&) override
        {
            throw Exceptions::CException("boom", "test");
        }
    } listener;
    window.setMouseListener(&listener);
    EXPECT_NO_THROW(window.handleWindowEvents(message(Message::MouseMove)));
}

// ---- creation ----

TEST_F(WindowTest, CreationUsesTheAttributes)
{
    CWindow panel(MathTools::CRect(5, 6, 100, 50));
    Windowing::CWindowAttributes attributes;
    attributes.setEnabled(false);
    attributes.setAlpha(0.5);
    attributes.setWindowTitle("Panel");
    panel.intialiseWindow(&attributes, true);
    auto* native = system.lastBackend();
    ASSERT_TRUE(panel.isWindowOpen());
    EXPECT_FALSE(native->m_enabled);
    EXPECT_EQ(native->m_opacity, 127);
    EXPECT_TRUE(native->m_visible);
    EXPECT_EQ(native->m_updates, 1);
    EXPECT_EQ(native->m_params.title, "Panel");
    EXPECT_EQ(native->m_params.style, 0xCF0008u);
    EXPECT_EQ(native->m_params.extendedStyle, 0x10u);
    EXPECT_EQ(native->m_params.area.x, 5);
    EXPECT_EQ(native->m_params.area.width, 100);
}

TEST_F(WindowTest, WindowsOfOneTitleShareTheirClassAndChildrenNameTheirParent)
{
    CWindow second(MathTools::CRect(0, 0, 10, 10));
    openWindow(window);
    second.setParentWindow(&window);
    openWindow(second);
    EXPECT_EQ(system.m_registeredClasses.size(), 1u);
    EXPECT_EQ(system.m_backends[1]->m_params.parent, system.m_backends[0]->getNativeHandle());
}

TEST_F(WindowTest, CreationFailuresNeitherShowNorLeaveTheInitialisationUnexplained)
{
    system.m_refuseClassRegistration = true;
    EXPECT_NO_THROW(openWindow(window));
    EXPECT_FALSE(window.isWindowOpen());
    EXPECT_FALSE(system.lastBackend()->m_visible);

    system.m_refuseClassRegistration = false;
    system.m_refuseCreation = true;
    Tests::expectException(
        [&] { openWindow(window); },
        "Caught an exception whilst initialising window. Further details below:\n\n"
        "The fake refuses to create windows",
        "void CWindow::intialiseWindow(CWindowAttributes *, const bool) ->\nCWindow::createWindow()");
}

TEST_F(WindowTest, NativeOperationsWaitForTheNativeWindow)
{
    window.setWindowArea(MathTools::CRect(1, 2, 3, 4));
    window.redrawWindow();
    EXPECT_EQ(window.getWindowArea(), MathTools::CRect(0, 0, 100, 50));
    EXPECT_TRUE(system.m_backends.empty());

    openWindow(window);
    CChangeListener listener;
    window.setWindowChangeListener(&listener);
    window.setWindowArea(MathTools::CRect(1, 2, 3, 4));
    EXPECT_EQ(system.lastBackend()->m_area.width, 3);
    EXPECT_EQ(listener.moved, MathTools::CPoint(1, 2));
    EXPECT_EQ(listener.sized, MathTools::CDimension(3, 4));
    window.closeWindow();
    EXPECT_FALSE(system.lastBackend()->m_visible);
    EXPECT_EQ(listener.closes, 1);
    window.setWindowChangeListener(nullptr);
}

// ---- timers ----

TEST_F(WindowTest, TimerIdZeroIsRefused)
{
    Tests::expectException([&] { window.startTimer(0, 10); },
                           "Timer id's cannot be zero on Windows platforms",
                           "CWindow::startTimer(const long, const long)");
}

TEST_F(WindowTest, TimersCallEveryObjectOfTheirIdAndRemovingAStrangerOnlyStopsItsId)
{
    CTimed a(1), b(1), c(2), stranger(1); // timed objects outlive the panel that calls them
    CWindow panel(MathTools::CRect(0, 0, 10, 10));
    openWindow(panel);
    panel.addTimedObject(&a);
    panel.addTimedObject(&b);
    panel.addTimedObject(&c);
    panel.startTimer(1, 20);
    panel.startTimer(2, 10);
    EXPECT_EQ(system.lastBackend()->m_timers[1], 20);
    system.lastBackend()->m_sink->timerFired(1);
    EXPECT_EQ(a.expiries + b.expiries, 2);
    EXPECT_EQ(c.expiries, 0);

    panel.removeTimedObject(&a);
    panel.timerFired(1);
    EXPECT_EQ(a.expiries, 1);
    EXPECT_EQ(b.expiries, 2);

    system.lastBackend()->m_stoppedTimers.clear();
    panel.removeTimedObject(&stranger);
    EXPECT_EQ(system.lastBackend()->m_stoppedTimers, std::vector<long>{1});
    panel.timerFired(1);
    EXPECT_EQ(b.expiries, 3);

    panel.stopAllTimers();
    EXPECT_TRUE(system.lastBackend()->m_timers.empty());
    panel.timerFired(1);
    EXPECT_EQ(b.expiries, 3);
}

TEST_F(WindowTest, AnObjectThatRemovesItselfWhileItsTimerFiresLetsTheOthersRun)
{
    struct SOneShot : CTimed
    {
        using CTimed::CTimed;
        void timerExpired() override
        {
            CTimed::timerExpired();
            window->removeTimedObject(this);
        }
        CWindow* window = nullptr;
    };
    // Timed objects outlive the window that calls them.
    SOneShot first(1), second(1);
    CTimed third(1), other(2);
    CWindow owner(MathTools::CRect(0, 0, 10, 10));
    openWindow(owner);
    first.window = second.window = &owner;
    for (Events::ITimedObject* object :
         std::initializer_list<Events::ITimedObject*>{&first, &second, &third, &other})
    {
        owner.addTimedObject(object);
    }
    owner.timerFired(1);
    EXPECT_EQ(first.expiries, 1);
    EXPECT_EQ(second.expiries, 1);
    EXPECT_EQ(third.expiries, 1);
    owner.timerFired(1);
    owner.timerFired(2);
    EXPECT_EQ(first.expiries + second.expiries, 2) << "removed objects are not called again";
    EXPECT_EQ(third.expiries, 2);
    EXPECT_EQ(other.expiries, 1);
}

// ---- painting ----

namespace
{
// Fills its whole area in one colour.
class CSwatch : public Controls::CControl
{
public:
    CSwatch(Controls::IControlRoot* root, const MathTools::CRect& area, const Graphics::CAlphaColour& colour)
        : CControl(root, 0, area)
    {
        setDefaultControlColours(colour, colour);
    }
    void drawControl(Graphics::CGraphics& graphics) override { drawPrimaryImage(graphics, true); }
};
} // namespace

TEST_F(WindowTest, PaintCopiesOnlyTheUpdateAreaOfAFreshBackBuffer)
{
    CWindow panel(MathTools::CRect(0, 0, 40, 30));
    Windowing::CWindowAttributes attributes;
    attributes.setBackgroundColour(Graphics::CColour(0, 0, 255));
    panel.intialiseWindow(&attributes, false);
    auto* swatch = new CSwatch(panel.getControlRoot(), MathTools::CRect(0, 0, 40, 30),
                               Graphics::CAlphaColour(255, 0, 0));
    panel.getControlRoot()->addControl(swatch);
    auto* native = system.lastBackend();

    native->m_paintArea = {10, 5, 8, 6};
    EXPECT_EQ(panel.handleWindowEvents(message(Message::Paint)), 0);
    ASSERT_NE(native->m_screen, nullptr);
    EXPECT_EQ(native->m_screen->getPixel(10, 5), Platform::makeColour(255, 0, 0));
    EXPECT_EQ(native->m_screen->getPixel(17, 10), Platform::makeColour(255, 0, 0));
    EXPECT_EQ(native->m_screen->getPixel(18, 10), 0u); // outside the update area: never copied
    EXPECT_EQ(native->m_screen->getPixel(9, 5), 0u);
    EXPECT_EQ(native->m_paints, 1);
    EXPECT_FALSE(panel.getGraphics().isDrawing()); // the back buffer lived for one paint only

    // Without controls the background colour shows.
    panel.getControlRoot()->clearControls();
    native->m_paintArea = {0, 0, 2, 2};
    panel.handleWindowEvents(message(Message::Paint));
    EXPECT_EQ(native->m_screen->getPixel(1, 1), Platform::makeColour(0, 0, 255));

    native->m_paintArea = {0, 0, 0, 0};
    const int presents = native->m_presents;
    panel.handleWindowEvents(message(Message::Paint));
    EXPECT_EQ(native->m_presents, presents);
    EXPECT_EQ(native->m_paints, 3);
}

TEST_F(WindowTest, APaintWhoseDrawingThrowsStillEndsThePaint)
{
    struct SFaulty : Controls::CControl
    {
        using CControl::CControl;
        void drawControl(Graphics::CGraphics&) override { throw Exceptions::CException("broken", "test"); }
    };
    openWindow(window);
    window.getControlRoot()->addControl(
        new SFaulty(window.getControlRoot(), 0, MathTools::CRect(0, 0, 5, 5)));
    system.lastBackend()->m_paintArea = {0, 0, 10, 10};
    EXPECT_NO_THROW(window.handleWindowEvents(message(Message::Paint)));
    EXPECT_EQ(system.lastBackend()->m_paints, 1);
    EXPECT_FALSE(window.getGraphics().isDrawing());
}

TEST_F(WindowTest, TheDesktopWheelHookActsOnlyForWindowsThatListenToKeysAndMouse)
{
    openWindow(window);
    CRecordingMouseListener listener;
    window.setMouseListener(&listener);
    EXPECT_TRUE(window.handleHookedMouseWheel((uintptr_t{360} << 16) | Platform::KeyState::Alt));
    EXPECT_DOUBLE_EQ(listener.wheel, 3.0);
    EXPECT_TRUE(listener.alt);
    window.setKeyboardListener(nullptr);
    EXPECT_FALSE(window.handleHookedMouseWheel(uintptr_t{120} << 16));
    EXPECT_DOUBLE_EQ(listener.wheel, 3.0);
}

TEST_F(WindowTest, DestroyingAnOpenWindowStopsItsTimersAndItsNativeWindow)
{
    CTimed timed(5);
    auto* panel = new CWindow(MathTools::CRect(0, 0, 10, 10));
    openWindow(*panel);
    panel->addTimedObject(&timed);
    panel->startTimer(5, 10);
    CWindow::setApplicationMainWindow(panel);
    delete panel;
    EXPECT_TRUE(system.m_quitPosted); // the native panel was destroyed: the main panel's close ends the loop
    EXPECT_EQ(CWindow::getApplicationMainWindow(), nullptr);
    EXPECT_EQ(CWindow::getCurrentWindow(), nullptr);
}

TEST_F(WindowTest, TheEventPumpRunsUntilTheMainWindowCloses)
{
    openWindow(window);
    CWindow::setApplicationMainWindow(&window);
    EXPECT_TRUE(Windowing::processEvents(0));
    window.uninitialiseWindow();
    EXPECT_FALSE(Windowing::processEvents(0));
    CWindow::setApplicationMainWindow(nullptr);
}

TEST_F(WindowTest, EndingTheEventLoopStopsThePump)
{
    EXPECT_TRUE(Windowing::processEvents(0));
    Windowing::endEventLoop(0);
    EXPECT_FALSE(Windowing::processEvents(0));
}

TEST(GuiLifetime, ShutDownReleasesTheSharedObjectsAndStartUpMakesThemAgain)
{
    GUI::startGuiFramework();
    Graphics::CImageManager::addImage("x", nullptr);
    GUI::shutdownGuiFramework();
    EXPECT_EQ(Graphics::CImageManager::getNumberOfImages(), 0);
    GUI::startGuiFramework();
    EXPECT_STREQ(Fonts::CFont::getDefaultFont()->getFaceName().getString(), "Arial");
}

TEST_F(WindowTest, AWindowClosedAnyWayCanBeCreatedAgainWithItsControls)
{
    CTimed timed(5);
    auto* control = new Controls::CControl(window.getControlRoot(), 1, MathTools::CRect(0, 0, 5, 5));
    window.getControlRoot()->addControl(control);
    for (const std::string how : {"closed by the program", "its parent went", "closed by the user"})
    {
        SCOPED_TRACE(how);
        openWindow(window);
        window.addTimedObject(&timed);
        window.startTimer(5, 10);
        auto* native = system.lastBackend();
        if (how == "closed by the program")
        {
            window.uninitialiseWindow();
        }
        else if (how == "its parent went")
        {
            native->m_sink->handleNativeMessage(message(Message::Destroy));
            native->m_exists = false;
        }
        else
        {
            window.handleWindowEvents(message(Message::Close)); // the default destroys the window
        }
        EXPECT_FALSE(window.isWindowOpen());
        EXPECT_FALSE(native->exists());
        EXPECT_TRUE(native->m_timers.empty());
        window.redrawWindow(); // touches nothing native any more
        EXPECT_TRUE(native->m_invalidated.empty());

        const size_t backends = system.m_backends.size();
        openWindow(window);
        EXPECT_TRUE(window.isWindowOpen());
        EXPECT_EQ(system.m_backends.size(), backends + 1) << "a new native window";
        EXPECT_TRUE(system.lastBackend()->exists());
        EXPECT_EQ(window.getControlRoot()->getControlAtIndex(1, false), control);
        window.uninitialiseWindow();
    }
}
