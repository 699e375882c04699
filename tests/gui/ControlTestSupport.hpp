#pragma once
// A window of the editor's size on the fake window system, with its root, an
// action listener that counts reports, and mouse messages sent the way the
// native window sends them (so that routing, locking and modifiers are real).

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/events/ActionEvent.hpp"
#include "framework/gui/events/ActionListener.hpp"
#include "framework/gui/events/Cursor.hpp"
#include "framework/gui/graphics/Graphics.hpp"
#include "framework/gui/graphics/TGAImage.hpp"
#include "framework/gui/windowing/Window.hpp"
#include "framework/platform/DrawingBackend.hpp"
#include "tests/gui/FakeWindowSystem.hpp"
#include "tests/gui/TestSupport.hpp"

namespace Vantor::Tests
{

class CCountingListener : public GUI::Events::IActionListener
{
public:
    void handleActionEvent(const GUI::Events::CActionEvent&) override { reports++; }
    int reports = 0;
};

class CControlWindowTest : public ::testing::Test
{
protected:
    CControlWindowTest() : window(MathTools::CRect(0, 0, 500, 158)), root(window.getControlRoot())
    {
        GUI::Windowing::CWindowAttributes attributes;
        window.intialiseWindow(&attributes, false);
        native = system.lastBackend();
    }

    // Adds a control to the root; the root's reference keeps it.
    template <typename TControl> TControl* add(TControl* control)
    {
        root->addControl(control);
        return control;
    }

    // A mouse message at a window position with KeyState flags (Shift, Control, Alt).
    void send(int message, int x, int y, uintptr_t keys = 0)
    {
        window.handleWindowEvents({message, keys, Platform::packMousePosition(x, y)});
    }
    void press(int x, int y, uintptr_t keys = 0) { send(Platform::Message::LeftButtonDown, x, y, keys); }
    void release(int x, int y, uintptr_t keys = 0) { send(Platform::Message::LeftButtonUp, x, y, keys); }
    void move(int x, int y, uintptr_t keys = 0) { send(Platform::Message::MouseMove, x, y, keys); }
    // A wheel message of some notches (120 each) with the pointer at a window position.
    void wheel(double notches, int x, int y, uintptr_t keys = 0)
    {
        native->m_screenRect = {0, 0, 500, 158};
        native->m_clientSize = {500, 158};
        system.m_cursorPosition = {x, y};
        const auto delta = static_cast<uint16_t>(static_cast<int16_t>(notches * 120));
        window.handleWindowEvents({Platform::Message::MouseWheel, (uintptr_t{delta} << 16) | keys, 0});
    }

    long cursorNumber() { return window.getMouse().getCursor()->getCursorNumber(); }
    // Number of invalidations so far.
    size_t invalidations() const { return native->m_invalidated.size(); }

    CFakeWindowSystem system;
    GUI::Windowing::CWindow window;
    GUI::Controls::CControlRoot* root;
    CFakeWindowBackend* native = nullptr;
    CCountingListener listener;
    CScratchFolder folder;
};

// An offscreen picture of one control drawn alone at the origin over white.
class CControlPicture
{
public:
    CControlPicture(GUI::Controls::IControl& control, int width, int height)
    {
        EXPECT_TRUE(m_graphics.begin(MathTools::CDimension(width, height)));
        m_graphics.getSurface()->clear(Platform::makeColour(255, 255, 255));
        control.drawControl(m_graphics);
    }
    ~CControlPicture() { m_graphics.end(); }
    CControlPicture(const CControlPicture&) = delete;
    CControlPicture& operator=(const CControlPicture&) = delete;

    std::uint32_t pixel(int x, int y) { return m_graphics.getSurface()->getPixel(x, y); }

private:
    GUI::Graphics::CGraphics m_graphics;
};

// A Targa image of one colour per pixel row band: rows [i * bandHeight, (i + 1) * bandHeight)
// have colour colours[i].
inline GUI::Graphics::CTGAImage* makeBandedImage(const CScratchFolder& folder, const std::string& name,
                                                 int width, int bandHeight,
                                                 const std::vector<STargaPixel>& colours)
{
    std::vector<STargaPixel> pixels;
    for (const STargaPixel& colour : colours)
    {
        pixels.insert(pixels.end(), static_cast<size_t>(width * bandHeight), colour);
    }
    writeTarga(folder.file(name), width, bandHeight * static_cast<int>(colours.size()), pixels);
    return new GUI::Graphics::CTGAImage(folder.file(name).c_str());
}

} // namespace Vantor::Tests
