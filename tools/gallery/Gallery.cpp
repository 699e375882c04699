// gallery: shows every control of the control library in one window: the
// editor's panel (background, six film-strip knobs with read-outs and captions,
// the level meter and the info button) and below it the buttons, a knob and a
// meter in their plain looks and with pictures. Drag, wheel and click them; a
// line at the bottom (and standard output) tells what they report, and a file
// dropped on it shows its path. Missing pictures leave the controls in their default looks.
//
//   gallery [--resources FOLDER] [--seconds N] [--screenshot FILE]
//
//   --resources   the folder with the editor's PNG files (default: "Resources" beside the
//                 plug-in library in the build tree)
//   --seconds     quit by itself after N seconds
//   --screenshot  write a PNG of the window as its first full paint drew it, then quit

#include <cairo.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "editor/PanelLayout.hpp"
#include "framework/basics/Exception.hpp"
#include "framework/gui/controls/Animation.hpp"
#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/controls/Knob.hpp"
#include "framework/gui/controls/LatchingButton.hpp"
#include "framework/gui/controls/LevelMeter.hpp"
#include "framework/gui/controls/MomentaryButton.hpp"
#include "framework/gui/controls/RolloverButton.hpp"
#include "framework/gui/controls/TextLabel.hpp"
#include "framework/gui/events/ActionEvent.hpp"
#include "framework/gui/events/ActionListener.hpp"
#include "framework/gui/events/TimedObject.hpp"
#include "framework/gui/fonts/Font.hpp"
#include "framework/gui/graphics/Graphics.hpp"
#include "framework/gui/graphics/PNGImage.hpp"
#include "framework/gui/windowing/EventPump.hpp"
#include "framework/gui/windowing/Window.hpp"
#include "framework/host/ApplicationInformation.hpp"
#include "framework/platform/DrawingBackend.hpp"

#ifndef VANTOR_GALLERY_RESOURCES
#define VANTOR_GALLERY_RESOURCES "Resources"
#endif

using namespace Vantor;
using namespace Vantor::GUI;
using Graphics::CAlphaColour;
using MathTools::CRect;

namespace
{

constexpr long kWidth = 500;
constexpr long kHeight = 330;
constexpr long kMeterTimer = 1;
namespace Layout = Quellor::Layout;
using Layout::kKnobFrames;

CRect rectOf(const Layout::SBox& box)
{
    return CRect(box.x, box.y, box.width, box.height);
}

CAlphaColour colourOf(const Layout::SColour& colour)
{
    return CAlphaColour(colour.red, colour.green, colour.blue, colour.alpha);
}

const CAlphaColour kPanelText = colourOf(Layout::kLabelText);
const CAlphaColour kPanelFill = colourOf(Layout::kLabelFill);

// Writes a drawing surface as a PNG file; false with a reason on failure.
bool writePng(Platform::IDrawingSurface& surface, const std::string& path, std::string& error)
{
    int stride = 0;
    std::uint32_t* pixels = surface.lockPixels(stride);
    // The surface keeps premultiplied 0xAARRGGBB words in native order: cairo's ARGB32.
    cairo_surface_t* image =
        cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels), CAIRO_FORMAT_ARGB32,
                                            surface.getWidth(), surface.getHeight(), stride * 4);
    const cairo_status_t status = cairo_surface_write_to_png(image, path.c_str());
    cairo_surface_destroy(image);
    surface.unlockPixels();
    if (status != CAIRO_STATUS_SUCCESS)
    {
        error = cairo_status_to_string(status);
        return false;
    }
    return true;
}

class CGallery : public Windowing::CWindow, public Events::IActionListener, public Events::ITimedObject
{
public:
    CGallery(const std::string& resources, const std::string& screenshot)
        : CWindow(CRect(80, 80, kWidth, kHeight)), m_folder(resources.c_str()), m_screenshot(screenshot)
    {
        buildPanel();
        buildLibrary();
    }

    ~CGallery() override
    {
        for (Graphics::IImage* image : m_images)
        {
            if (image)
            {
                image->dereference();
            }
        }
    }

    bool screenshotTaken() const { return m_screenshotTaken; }
    bool screenshotFailed() const { return m_screenshotFailed; }

    // Draws as every window does; the first paint of the whole window is also saved.
    void drawWindow(Graphics::CGraphics& graphics) override
    {
        CWindow::drawWindow(graphics);
        const CRect& area = graphics.getUpdateArea();
        if (m_screenshot.empty() || m_screenshotTaken || area.getWidth() < kWidth ||
            area.getHeight() < kHeight)
        {
            return;
        }
        std::string error;
        m_screenshotTaken = true;
        m_screenshotFailed = !writePng(*graphics.getSurface(), m_screenshot, error);
        if (m_screenshotFailed)
        {
            std::fprintf(stderr, "gallery: cannot write %s: %s\n", m_screenshot.c_str(), error.c_str());
        }
    }

    void handleActionEvent(const Events::CActionEvent& event) override
    {
        Controls::IControl* control = event.getControl();
        Basics::CString text;
        text.setStringWithFormat("%s (id %ld) reports %.4f", control->getRuntimeClassName(),
                                 control->getUniqueId(), control->getValue());
        m_status->setText(text);
        std::printf("%s\n", text.getString());
        std::fflush(stdout);
        if (control->getUniqueId() >= 0 && control->getUniqueId() < 6)
        {
            Basics::CString value;
            value.setStringWithFormat("%.3f", control->getValue());
            m_readOuts[control->getUniqueId()]->setText(value);
        }
    }

    // Moves both meters along a slow wave.
    void timerExpired() override
    {
        m_phase += 0.07;
        const double level = 0.5 + 0.5 * std::sin(m_phase);
        for (Controls::CLevelMeter* meter : {m_panelMeter, m_reductionMeter, m_wideMeter})
        {
            meter->setValue(meter == m_reductionMeter ? 1.0 - level : level);
            meter->update();
        }
    }
    long getTimerId() const override { return kMeterTimer; }

private:
    // Loads a picture of the resource folder; a missing one stays unloaded and the control
    // that shows it keeps its default look.
    Graphics::IImage* load(const char* fileName)
    {
        Graphics::CPNGImage* image = Graphics::CPNGImage::createImage(m_folder, fileName);
        image->referenced();
        m_images.push_back(image);
        if (!image->hasImageLoaded())
        {
            std::fprintf(stderr, "gallery: %s: %s (default look)\n", fileName,
                         image->getLastError().getString());
        }
        return image;
    }

    template <typename TControl> TControl* add(TControl* control)
    {
        getControlRoot()->addControl(control);
        return control;
    }

    Controls::CTextLabel* label(const CRect& area, const char* text, const CAlphaColour& colour)
    {
        auto* made = add(new Controls::CTextLabel(getControlRoot(), -1, area, text));
        made->setTextColour(colour);
        return made;
    }

    // A knob at a place, as big as one frame of its strip (40 x 40 without a strip).
    Controls::CKnob* knob(long id, long left, long top, Graphics::IImage* strip)
    {
        const long frameHeight = strip->getImageSize().getHeight() / kKnobFrames;
        const long width = strip->getImageSize().getWidth();
        auto* made = add(new Controls::CKnob(
            getControlRoot(), id,
            CRect(left, top, width > 0 ? width : 40, frameHeight > 0 ? frameHeight : 40), this));
        made->setAnimationImage(strip, frameHeight, kKnobFrames, false);
        made->setDefaultDrawing(true);
        made->setDefaultControlColours(kPanelFill, kPanelText);
        return made;
    }

    // The editor's panel, laid out as the editor lays it out.
    void buildPanel()
    {
        Controls::IControlRoot* root = getControlRoot();
        Graphics::IImage* background = load(Layout::kBackgroundFile);
        auto* panel =
            add(new Controls::CAnimation(root, -1, CRect(0, 0, Layout::kPanelWidth, Layout::kPanelHeight)));
        panel->setAnimationImage(background, Layout::kPanelHeight, 1, false);
        panel->setDefaultDrawing(true);
        panel->setDefaultControlColours(CAlphaColour(34, 40, 42), CAlphaColour(34, 40, 42));

        Graphics::IImage* strips[Layout::kKnobStripFiles.size()] = {};
        for (std::size_t strip = 0; strip < Layout::kKnobStripFiles.size(); ++strip)
        {
            strips[strip] = load(Layout::kKnobStripFiles[strip]);
        }
        m_buttonUp = load(Layout::kButtonFiles[0]);
        m_buttonDown = load(Layout::kButtonFiles[1]);
        Graphics::IImage* info = load(Layout::kInfoButtonFile);

        // Sample host values by parameter index, so that every knob shows a different frame.
        const double values[Quellor::Parameters::kCount] = {0.5, 0.8, 0.3, 0.1, 0.45, 1.0};
        for (const Quellor::Parameters::SParameter& parameter : Quellor::Parameters::kTable)
        {
            const Layout::SParameterControls& place = Layout::kParameterControls[parameter.index];
            const long id = parameter.index;
            Controls::CKnob* made = knob(id, place.knobLeft, Layout::kKnobTop, strips[place.strip]);
            made->setValue(values[id]);
            auto* readOut = add(new Controls::CTextLabel(root, id, rectOf(place.readOut), " "));
            readOut->setColours(kPanelFill, kPanelFill, kPanelText);
            Basics::CString value;
            value.setStringWithFormat("%.3f", values[id]);
            readOut->setText(value);
            m_readOuts[id] = readOut;
            auto* caption = add(new Controls::CTextLabel(root, -1, rectOf(place.caption),
                                                         Quellor::Parameters::captionOf(parameter)));
            caption->setColours(kPanelFill, kPanelFill, kPanelText);
        }

        // Without its picture the button keeps the size the picture is drawn at.
        const Layout::SBox& place = Layout::kInfoButton;
        const long infoWidth =
            info->getImageSize().getWidth() > 0 ? info->getImageSize().getWidth() : place.width;
        const long infoHeight =
            info->getImageSize().getHeight() > 0 ? info->getImageSize().getHeight() : place.height;
        auto* infoButton = add(new Controls::CMomentaryButton(
            root, Layout::kInfoButtonId, CRect(place.x, place.y, infoWidth, infoHeight), this));
        infoButton->setLabelText(Layout::kInfoButtonText);
        infoButton->setPrimaryImage(info);
        infoButton->setDownImage(info);

        m_panelMeter =
            add(new Controls::CLevelMeter(root, -1, rectOf(Layout::kMeter), Layout::kMeterSegments));
        m_panelMeter->setColours(colourOf(Layout::kMeterLowest), colourOf(Layout::kMeterHighest));
        // The gain-reduction meter, lit from the top.
        m_reductionMeter = add(
            new Controls::CLevelMeter(root, -1, rectOf(Layout::kGainReductionMeter), Layout::kMeterSegments));
        m_reductionMeter->setColours(colourOf(Layout::kGainReductionLowest),
                                     colourOf(Layout::kGainReductionHighest));
        m_reductionMeter->setDirection(Controls::CLevelMeter::kDownward);
    }

    // The rest of the library below the panel, in plain looks and with pictures.
    void buildLibrary()
    {
        Controls::IControlRoot* root = getControlRoot();
        const CAlphaColour caption(190, 196, 200);
        label(CRect(10, 164, 480, 16), "Plain looks (no pictures) and the buttons' pictures:", caption);

        auto* plainKnob = add(new Controls::CKnob(root, 20, CRect(14, 188, 36, 36), this));
        plainKnob->setDefaultDrawing(true);
        plainKnob->setValue(0.5);
        label(CRect(8, 226, 60, 16), "Knob", caption);

        auto* push = add(new Controls::CMomentaryButton(root, 21, CRect(70, 190, 76, 28), this));
        push->setLabelText("Push");
        label(CRect(70, 226, 80, 16), "Momentary", caption);

        auto* latch = add(new Controls::CLatchingButton(root, 22, CRect(156, 190, 76, 28), this));
        latch->setLabelText("Link");
        label(CRect(156, 226, 80, 16), "Latching", caption);

        auto* hover = add(new Controls::CRolloverButton(root, 23, CRect(242, 190, 76, 28), this));
        hover->setLabelText("Hover");
        label(CRect(242, 226, 80, 16), "Rollover", caption);

        Graphics::IImage* up = m_buttonUp;
        Graphics::IImage* down = m_buttonDown;
        const long buttonWidth = up->getImageSize().getWidth() > 0 ? up->getImageSize().getWidth() : 60;
        const long buttonHeight = up->getImageSize().getHeight() > 0 ? up->getImageSize().getHeight() : 28;
        auto* pictureLatch =
            add(new Controls::CLatchingButton(root, 24, CRect(330, 190, buttonWidth, buttonHeight), this));
        pictureLatch->setPrimaryImage(up);
        pictureLatch->setDownImage(down);
        pictureLatch->setLabelText("On/Off");
        auto* pictureHover = add(new Controls::CRolloverButton(
            root, 25, CRect(330 + buttonWidth + 10, 190, buttonWidth, buttonHeight), this));
        pictureHover->setPrimaryImage(up);
        pictureHover->setOverImage(down);
        pictureHover->setDownImage(down);
        label(CRect(330, 226, 160, 16), "Latching, rollover", caption);

        m_wideMeter = add(new Controls::CLevelMeter(root, -1, CRect(14, 252, 300, 18), 20));
        label(CRect(322, 252, 170, 18), "Level meter, 20 steps", caption);

        m_status = add(new Controls::CTextLabel(root, -1, CRect(10, 284, 480, 36),
                                                "Drag, wheel, click; drop a file here"));
        m_status->setDefaultDrawing(true);
        m_status->setColours(CAlphaColour(90, 100, 104), CAlphaColour(24, 28, 30), caption);
        m_status->setAlignment(Fonts::kLeftCentre);

        timerExpired();
    }

    Basics::CString m_folder;
    std::string m_screenshot;
    bool m_screenshotTaken = false;
    bool m_screenshotFailed = false;
    std::vector<Graphics::IImage*> m_images;
    Graphics::IImage* m_buttonUp = nullptr;
    Graphics::IImage* m_buttonDown = nullptr;
    Controls::CTextLabel* m_readOuts[6] = {};
    Controls::CTextLabel* m_status = nullptr;
    Controls::CLevelMeter* m_panelMeter = nullptr;
    Controls::CLevelMeter* m_reductionMeter = nullptr;
    Controls::CLevelMeter* m_wideMeter = nullptr;
    double m_phase = 0.6;
};

} // namespace

int main(int argc, char** argv)
{
    std::string resources = VANTOR_GALLERY_RESOURCES;
    std::string screenshot;
    double seconds = 0.0;
    // Every option takes a value; anything else, or an option left without its value, gets
    // the usage before any window opens.
    for (int i = 1; i < argc; i += 2)
    {
        const bool hasValue = i + 1 < argc;
        if (hasValue && std::strcmp(argv[i], "--resources") == 0)
        {
            resources = argv[i + 1];
        }
        else if (hasValue && std::strcmp(argv[i], "--seconds") == 0)
        {
            seconds = std::atof(argv[i + 1]);
        }
        else if (hasValue && std::strcmp(argv[i], "--screenshot") == 0)
        {
            screenshot = argv[i + 1];
        }
        else
        {
            std::fprintf(stderr, "usage: gallery [--resources FOLDER] [--seconds N] [--screenshot FILE]\n");
            return 2;
        }
    }
    try
    {
        Host::CApplicationInformation::setApplicationName("Gallery");
        CGallery gallery(resources, screenshot);
        Windowing::CWindowAttributes attributes;
        attributes.setWindowTitle("Vantor control gallery");
        attributes.setBackgroundColour(Graphics::CColour(40, 46, 48));
        gallery.intialiseWindow(&attributes, true);
        if (!gallery.isWindowOpen())
        {
            std::fprintf(stderr, "gallery: the window could not be created\n");
            return 1;
        }
        Windowing::CWindow::setApplicationMainWindow(&gallery);
        gallery.addTimedObject(&gallery);
        gallery.startTimer(kMeterTimer, 40);

        const auto start = std::chrono::steady_clock::now();
        while (Windowing::processEvents(20))
        {
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
            if ((seconds > 0.0 && elapsed.count() >= seconds) ||
                (!screenshot.empty() && gallery.screenshotTaken()))
            {
                break;
            }
            if (!screenshot.empty() && elapsed.count() > 10.0)
            {
                std::fprintf(stderr, "gallery: the window was never painted whole\n");
                return 1;
            }
        }
        const bool failed = gallery.screenshotFailed();
        gallery.removeTimedObject(&gallery);
        gallery.uninitialiseWindow();
        Windowing::CWindow::setApplicationMainWindow(nullptr);
        return failed ? 1 : 0;
    }
    catch (const Exceptions::CException& e)
    {
        std::fprintf(stderr, "gallery: %s (%s)\n", e.getErrorReason().getString(),
                     e.getFunctionName().getString());
        return 1;
    }
}
