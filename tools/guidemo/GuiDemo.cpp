// guidemo: opens a window with a few controls drawn in the framework's default
// look. Click the boxes to toggle them, turn the wheel over the bar; the meter
// moves on a timer. Closing the window ends the program.
//
//   guidemo [--seconds N]    quit by itself after N seconds (for screenshots)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/basics/Exception.hpp"
#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/events/ActionEvent.hpp"
#include "framework/gui/events/ActionListener.hpp"
#include "framework/gui/events/MouseEvent.hpp"
#include "framework/gui/fonts/Font.hpp"
#include "framework/gui/graphics/Graphics.hpp"
#include "framework/gui/graphics/RGBAImage.hpp"
#include "framework/gui/windowing/EventPump.hpp"
#include "framework/gui/windowing/Window.hpp"
#include "framework/host/ApplicationInformation.hpp"

using namespace Vantor;
using namespace Vantor::GUI;
using Graphics::CAlphaColour;
using MathTools::CPoint;
using MathTools::CRect;

namespace
{

// A box in the default look with a caption; a click toggles its value and tells the listener.
class CToggleBox : public Controls::CControl
{
public:
    CToggleBox(Controls::IControlRoot* root, long id, const CRect& area, const char* caption,
               Events::IActionListener* listener)
        : CControl(root, id, area, listener), m_caption(caption)
    {
        setValue(0.0);
    }

    void drawControl(Graphics::CGraphics& graphics) override
    {
        const bool on = getValue() > 0.5;
        setDefaultControlColours(on ? CAlphaColour::kGreen : CAlphaColour::kLightGrey, CAlphaColour::kBlack);
        drawPrimaryImage(graphics, true);
        graphics.setTextColour(CAlphaColour::kBlack);
        graphics.drawText(m_caption, getNormalisedArea(), nullptr, Fonts::kCentreCentre);
    }

    void handleLeftButtonDown(Events::CMouseEvent& event) override
    {
        setValue(getValue() > 0.5 ? 0.0 : 1.0);
        update();
        if (m_actionListener)
        {
            m_actionListener->handleActionEvent(Events::CActionEvent(this, event));
        }
    }

private:
    Basics::CString m_caption;
};

// A sunken horizontal bar whose value the mouse wheel changes.
class CWheelBar : public Controls::CControl
{
public:
    CWheelBar(Controls::IControlRoot* root, const CRect& area) : CControl(root, 2, area) { setValue(0.5); }

    void drawControl(Graphics::CGraphics& graphics) override
    {
        graphics.getPen().setColour(CAlphaColour::kGrey);
        graphics.getBrush().setColour(CAlphaColour::kWhite);
        graphics.drawSunkenRectangle(getNormalisedArea());
        const long filled = static_cast<long>((getDimension().getWidth() - 4) * getValue());
        graphics.getBrush().setColour(CAlphaColour::kBlue);
        graphics.fillRoundedRectangle(CRect(2, 2, filled, getDimension().getHeight() - 4),
                                      MathTools::CDimension(3, 3));
    }

    void handleMouseScroll(Events::CMouseEvent& event) override
    {
        double value = getValue() + event.getWheelValue() * 0.05;
        setValue(value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value));
        update();
    }
};

// A vertical meter moved by a timer.
class CMeter : public Controls::CControl, public Events::ITimedObject
{
public:
    CMeter(Controls::IControlRoot* root, const CRect& area) : CControl(root, 3, area) { setValue(0.0); }

    void drawControl(Graphics::CGraphics& graphics) override
    {
        graphics.getPen().setColour(CAlphaColour::kBlack);
        graphics.getBrush().setColour(CAlphaColour(40, 40, 40));
        graphics.drawFilledBorderedRectangle(getNormalisedArea());
        const long height = getDimension().getHeight() - 2;
        const long lit = static_cast<long>(height * getValue());
        graphics.getBrush().setColour(getValue() > 0.8 ? CAlphaColour::kRed : CAlphaColour::kGreen);
        graphics.fillRectangle(CRect(1, 1 + height - lit, getDimension().getWidth() - 2, lit));
    }

    void timerExpired() override
    {
        m_phase = (m_phase + 1) % 40;
        setValue(m_phase < 20 ? m_phase / 20.0 : (40 - m_phase) / 20.0);
        update();
    }
    long getTimerId() const override { return 7; }

private:
    int m_phase = 0;
};

// A decorative panel: shaded fill and a raised bevel with a title.
class CTitlePanel : public Controls::CControl
{
public:
    CTitlePanel(Controls::IControlRoot* root, const CRect& area) : CControl(root, 4, area)
    {
        setMouseEnabled(false);
    }

    void drawControl(Graphics::CGraphics& graphics) override
    {
        graphics.getPen().setColour(CAlphaColour::kTurquoise);
        graphics.drawShadedRectangle(getNormalisedArea());
        graphics.setTextColour(CAlphaColour(20, 30, 60));
        Fonts::CFont title("Arial", 18, false, true);
        graphics.drawText("Vantor GUI demo", getNormalisedArea(), &title, Fonts::kCentreCentre);
    }
};

// A control that shows its primary image.
class CPicture : public Controls::CControl
{
public:
    CPicture(Controls::IControlRoot* root, const CRect& area) : CControl(root, 5, area)
    {
        setMouseEnabled(false);
    }
    void drawControl(Graphics::CGraphics& graphics) override { drawPrimaryImage(graphics); }
};

// A translucent badge drawn once into a run-time image and shown as a control's primary image.
Graphics::CRGBAImage* makeBadge()
{
    auto* badge = new Graphics::CRGBAImage();
    if (badge->initialise(48, 48))
    {
        Graphics::CGraphics& graphics = *badge->getGraphics();
        graphics.setAntiAliasingMode(Graphics::CGraphics::kAntiAliasSmoothing);
        graphics.getBrush().setColour(CAlphaColour(239, 149, 41, 160));
        graphics.fillEllipse(CRect(0, 0, 48, 48));
        graphics.getBrush().setColour(CAlphaColour(153, 116, 188, 220));
        graphics.fillEllipse(CRect(14, 14, 20, 20));
        badge->unintialise();
    }
    return badge;
}

class CDemo : public Events::IActionListener
{
public:
    void handleActionEvent(const Events::CActionEvent& event) override
    {
        std::printf("control %ld is now %s\n", event.getControl()->getUniqueId(),
                    event.getControl()->getValue() > 0.5 ? "on" : "off");
        std::fflush(stdout);
    }
};

} // namespace

int main(int argc, char** argv)
{
    double seconds = 0.0;
    for (int i = 1; i + 1 < argc; i++)
    {
        if (std::strcmp(argv[i], "--seconds") == 0)
        {
            seconds = std::atof(argv[i + 1]);
        }
    }
    try
    {
        Host::CApplicationInformation::setApplicationName("GuiDemo");
        CDemo demo;
        Windowing::CWindow window(CRect(100, 100, 360, 200));
        Controls::CControlRoot* root = window.getControlRoot();

        auto* panel = new CTitlePanel(root, CRect(10, 10, 340, 40));
        auto* first = new CToggleBox(root, 0, CRect(10, 70, 100, 30), "Bypass", &demo);
        auto* second = new CToggleBox(root, 1, CRect(120, 70, 100, 30), "Link", &demo);
        auto* bar = new CWheelBar(root, CRect(10, 120, 210, 24));
        auto* meter = new CMeter(root, CRect(300, 60, 30, 120));
        auto* badge = new CPicture(root, CRect(235, 100, 48, 48));
        badge->setPrimaryImage(makeBadge());
        for (Controls::IControl* control :
             {static_cast<Controls::IControl*>(panel), static_cast<Controls::IControl*>(first),
              static_cast<Controls::IControl*>(second), static_cast<Controls::IControl*>(bar),
              static_cast<Controls::IControl*>(meter), static_cast<Controls::IControl*>(badge)})
        {
            root->addControl(control);
        }

        Windowing::CWindowAttributes attributes;
        attributes.setWindowTitle("Vantor GUI demo");
        attributes.setBackgroundColour(Graphics::CColour(215, 219, 223));
        window.intialiseWindow(&attributes, true);
        if (!window.isWindowOpen())
        {
            std::fprintf(stderr, "guidemo: the window could not be created\n");
            return 1;
        }
        Windowing::CWindow::setApplicationMainWindow(&window);
        window.addTimedObject(meter);
        window.startTimer(meter->getTimerId(), 50);

        const auto start = std::chrono::steady_clock::now();
        while (Windowing::processEvents(20))
        {
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
            if (seconds > 0.0 && elapsed.count() >= seconds)
            {
                break;
            }
        }
        window.removeTimedObject(meter);
        window.uninitialiseWindow();
        Windowing::CWindow::setApplicationMainWindow(nullptr);
    }
    catch (const Exceptions::CException& e)
    {
        std::fprintf(stderr, "guidemo: %s (%s)\n", e.getErrorReason().getString(),
                     e.getFunctionName().getString());
        return 1;
    }
    return 0;
}
