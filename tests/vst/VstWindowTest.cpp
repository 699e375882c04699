// The host editor window bridge, driven through the effect's dispatcher the way a
// host drives it, on a window system without a display.
#include <gtest/gtest.h>

#include <thread>

#include "framework/basics/Exception.hpp"
#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/events/KeyboardEvent.hpp"
#include "framework/gui/events/KeyboardListener.hpp"
#include "framework/vst/AudioEffect.hpp"
#include "framework/vst/VstWindow.hpp"
#include "tests/gui/FakeWindowSystem.hpp"
#include "tests/gui/TestSupport.hpp"

using namespace Vantor;
using namespace Vantor::Vst;

namespace
{

class CSilentEffect : public AudioEffect
{
public:
    CSilentEffect() : AudioEffect(nullptr, 1, 1) {}
    void processReplacing(float**, float**, VstInt32) override {}
};

struct VstWindowFixture : ::testing::Test
{
    VstWindowFixture()
    {
        GUI::Windowing::CWindowAttributes attributes;
        attributes.setBackgroundColour(GUI::Graphics::CColour(0, 0, 0));
        editor = new CVstWindow(&effect, MathTools::CRect(0, 0, 500, 158), attributes);
    }

    VstIntPtr dispatch(VstInt32 opcode, VstIntPtr value = 0, void* ptr = nullptr)
    {
        return effect.dispatcher(opcode, 0, value, ptr, 0.0f);
    }
    static void* hostWindow(std::uintptr_t id) { return reinterpret_cast<void*>(id); }
    void expectRect(const char* when)
    {
        ERect* rect = nullptr;
        EXPECT_EQ(dispatch(effEditGetRect, 0, &rect), 1) << when;
        ASSERT_NE(rect, nullptr) << when;
        EXPECT_EQ(rect->top, 0) << when;
        EXPECT_EQ(rect->left, 0) << when;
        EXPECT_EQ(rect->bottom, 158) << when;
        EXPECT_EQ(rect->right, 500) << when;
    }

    Tests::CFakeWindowSystem system;
    CSilentEffect effect; // owns the editor
    CVstWindow* editor = nullptr;
};

} // namespace

TEST_F(VstWindowFixture, RegistersWithTheEffectAndOpensNothingBeforeTheHostAsks)
{
    EXPECT_EQ(effect.getEditor(), editor);
    EXPECT_NE(effect.getAeffect()->flags & effFlagsHasEditor, 0);
    EXPECT_TRUE(system.m_backends.empty());
    EXPECT_TRUE(editor->getControlRoot()->getRootFlag());
    expectRect("before open");
}

TEST_F(VstWindowFixture, OpensAChildOfExactlyItsSizeInsideTheHostsWindowAndClosesOnlyThatChild)
{
    ASSERT_EQ(dispatch(effEditOpen, 0, hostWindow(0x4200001)), 1);
    ASSERT_EQ(system.m_backends.size(), 1u);
    Tests::CFakeWindowBackend& child = *system.lastBackend();
    EXPECT_EQ(child.m_params.parent, 0x4200001u);
    EXPECT_EQ(child.m_params.style, Platform::WindowStyle::Child | Platform::WindowStyle::Visible);
    EXPECT_EQ(child.m_params.extendedStyle, Platform::ExtendedWindowStyle::AcceptFiles);
    EXPECT_EQ(child.m_area.x, 0);
    EXPECT_EQ(child.m_area.y, 0);
    EXPECT_EQ(child.m_area.width, 500);
    EXPECT_EQ(child.m_area.height, 158);
    EXPECT_TRUE(child.m_visible);
    EXPECT_TRUE(editor->isOpen());
    ASSERT_NE(editor->getHostWindow(), nullptr);
    EXPECT_EQ(editor->getHostWindow()->getWindowHandle()->getNativeHandle(), 0x4200001u);
    expectRect("while open");

    dispatch(effEditIdle);
    dispatch(effEditIdle);
    EXPECT_EQ(system.m_pumps, 2) << "idle delivers the editor's own events";

    dispatch(effEditClose);
    EXPECT_FALSE(child.m_exists);
    EXPECT_FALSE(editor->isOpen());
    EXPECT_EQ(editor->getHostWindow(), nullptr);
    EXPECT_EQ(system.m_backends.size(), 1u) << "the host's window was only borrowed";
    expectRect("after close");
    dispatch(effEditClose); // twice is harmless
}

TEST_F(VstWindowFixture, ALaterOpenInANewParentKeepsTheControlsAndOpeningTwiceMovesTheWindow)
{
    GUI::Controls::CControlRoot* root = editor->getControlRoot();
    ASSERT_EQ(dispatch(effEditOpen, 0, hostWindow(11)), 1);
    dispatch(effEditClose);
    ASSERT_EQ(dispatch(effEditOpen, 0, hostWindow(22)), 1);
    EXPECT_EQ(editor->getControlRoot(), root);
    EXPECT_EQ(system.lastBackend()->m_params.parent, 22u);

    // A host that opens again without closing: one wrapper, one window, in the new parent
    // (the window made in parent 22 went with its platform object).
    const size_t made = system.m_backends.size();
    ASSERT_EQ(dispatch(effEditOpen, 0, hostWindow(33)), 1);
    ASSERT_EQ(system.m_backends.size(), made + 1);
    EXPECT_TRUE(system.lastBackend()->m_exists);
    EXPECT_EQ(editor->getWindowHandle()->getNativeHandle(), system.lastBackend()->m_handle);
    EXPECT_EQ(system.lastBackend()->m_params.parent, 33u);
    EXPECT_EQ(editor->getHostWindow()->getWindowHandle()->getNativeHandle(), 33u);
}

TEST_F(VstWindowFixture, ANullParentOrAWindowThatCannotBeMadeAnswersZeroAndLeavesNothingOpen)
{
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(dispatch(effEditOpen, 0, nullptr), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "the host asked for nothing";
    EXPECT_TRUE(system.m_backends.empty());
    EXPECT_FALSE(editor->isOpen());
    Tests::expectException([&] { editor->attachToParent(nullptr); }, "Parent window handle is NULL",
                           "CVSTPanel::open(void *)");

    system.m_refuseCreation = true;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(dispatch(effEditOpen, 0, hostWindow(5)), 0);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("The fake refuses to create windows"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_FALSE(editor->isOpen());
    EXPECT_EQ(editor->getHostWindow(), nullptr);

    system.m_refuseCreation = false;
    EXPECT_EQ(dispatch(effEditOpen, 0, hostWindow(5)), 1) << "a later open still works";

    // On an open editor a null parent changes nothing.
    Tests::CFakeWindowBackend& child = *system.lastBackend();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(dispatch(effEditOpen, 0, nullptr), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(editor->isOpen());
    EXPECT_TRUE(child.m_exists);
    EXPECT_EQ(editor->getWindowHandle()->getNativeHandle(), child.m_handle);
    ASSERT_NE(editor->getHostWindow(), nullptr);
    EXPECT_EQ(editor->getHostWindow()->getWindowHandle()->getNativeHandle(), 5u);
}

TEST_F(VstWindowFixture, TheSettingFlagHoldsOnlyOnTheEditorsThread)
{
    // Before the first open no thread is the editor's, the constructing one included.
    editor->setSettingParameter(true);
    EXPECT_FALSE(editor->isSettingParameter());
    editor->setSettingParameter(false);

    ASSERT_EQ(dispatch(effEditOpen, 0, hostWindow(3)), 1);
    EXPECT_FALSE(editor->isSettingParameter());
    editor->setSettingParameter(true);
    EXPECT_TRUE(editor->isSettingParameter());
    bool seenElsewhere = true;
    std::thread([&] { seenElsewhere = editor->isSettingParameter(); }).join();
    EXPECT_FALSE(seenElsewhere) << "a change on another thread must still reach the editor";
    editor->setSettingParameter(false);
    EXPECT_FALSE(editor->isSettingParameter());
}

TEST_F(VstWindowFixture, KeysGoToTheControlRoot)
{
    struct CKeys : GUI::Events::IKeyboardListener
    {
        bool handleKeyDown(const GUI::Events::CKeyboardEvent&) override { return ++downs > 0; }
        bool handleKeyUp(const GUI::Events::CKeyboardEvent&) override { return false; }
        int downs = 0;
    } keys;
    GUI::Events::CKeyboardEvent event;
    EXPECT_FALSE(editor->handleKeyDown(event)) << "the empty root uses no key";
    editor->setKeyboardListener(&keys);
    EXPECT_TRUE(editor->handleKeyDown(event));
    EXPECT_FALSE(editor->handleKeyUp(event));
    EXPECT_EQ(keys.downs, 1);
    editor->setKeyboardListener(nullptr);
    EXPECT_FALSE(editor->handleKeyDown(event));
}
