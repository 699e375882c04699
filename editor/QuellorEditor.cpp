#include "editor/QuellorEditor.hpp"

#include "editor/EditorScale.hpp"
#include "editor/EditorSettings.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/events/ActionEvent.hpp"
#include "framework/gui/graphics/AlphaColour.hpp"
#include "framework/gui/graphics/DeviceScale.hpp"
#include "framework/gui/graphics/ImageCache.hpp"
#include "framework/gui/graphics/PNGImage.hpp"
#include "framework/host/ApplicationInformation.hpp"
#include "framework/platform/WindowBackend.hpp"
#include "framework/vst/AudioEffectX.hpp"
#include "plugin/ParameterObjects.hpp"
#include "plugin/Quellor.hpp"

namespace Vantor::Quellor
{

VANTOR_DEFINE_CLASS(Vantor::Quellor::CQuellorEditor, "CQuellorEditor", "CVstWindow")

// What other threads hand over passes without a lock.
static_assert(std::atomic<float>::is_always_lock_free && std::atomic<unsigned>::is_always_lock_free);

namespace
{
using GUI::Graphics::CAlphaColour;
using MathTools::CRect;

CRect rectOf(const Layout::SBox& box)
{
    return CRect(box.x, box.y, box.width, box.height);
}

CAlphaColour colourOf(const Layout::SColour& colour)
{
    return CAlphaColour(colour.red, colour.green, colour.blue, colour.alpha);
}

// The pictures the editor holds, in the order of its image slots.
const char* imageFile(int image)
{
    if (image < CQuellorEditor::kNumStrips)
    {
        return Layout::kKnobStripFiles[static_cast<std::size_t>(image)];
    }
    if (image < CQuellorEditor::kInfoImage)
    {
        return Layout::kButtonFiles[static_cast<std::size_t>(image - CQuellorEditor::kNumStrips)];
    }
    if (image == CQuellorEditor::kInfoImage)
    {
        return Layout::kInfoButtonFile;
    }
    return image == CQuellorEditor::kBackgroundImage ? Layout::kBackgroundFile : Layout::kSplashFile;
}

const GUI::Graphics::CColour kAboutBackground(215, 219, 223);
constexpr double kAboutAlpha = 0.8;

// Unlike the general creator, a missing file still gives an image: unloaded, its
// size reads as zero and its last error says why. The density is the artwork set's.
template <int Density> GUI::Graphics::IImage* loadPNGImage(const Basics::CString& path)
{
    auto* image = new GUI::Graphics::CPNGImage(path);
    image->setImageDensity(Density);
    return image;
}

GUI::Graphics::CImageCache::TLoader loaderFor(int density)
{
    switch (density)
    {
    case 2:
        return &loadPNGImage<2>;
    case 3:
        return &loadPNGImage<3>;
    default:
        return &loadPNGImage<1>;
    }
}

const CAlphaColour kMenuFill(34, 36, 40, 250);
const CAlphaColour kMenuHeading(128, 130, 128, 255);
const CAlphaColour kMenuHighlight(72, 66, 52, 255);

// Holds a pointer for as long as the object lives: the counted-reference convention.
template <typename T> T* keep(T* object)
{
    object->referenced();
    return object;
}

template <typename T> void release(T*& object)
{
    if (object != nullptr)
    {
        object->dereference();
        object = nullptr;
    }
}
} // namespace

Basics::CSystemString CQuellorEditor::getDefaultResourceFolder()
{
    Basics::CSystemString folder = Host::CApplicationInformation::getApplicationPath();
    folder.appendPath("Resources");
    return folder;
}

CQuellorEditor::CQuellorEditor(Vst::AudioEffect* owner, const MathTools::CRect& area,
                               const GUI::Windowing::CWindowAttributes& attributes)
    : CQuellorEditor(owner, area, attributes, getDefaultResourceFolder())
{
}

CQuellorEditor::CQuellorEditor(Vst::AudioEffect* owner, const MathTools::CRect& area,
                               const GUI::Windowing::CWindowAttributes& attributes,
                               const Basics::CSystemString& resourceFolder)
    : CVstWindow(owner, area, attributes), m_resourceFolder(resourceFolder),
      m_quellor(dynamic_cast<CQuellor*>(effect)), m_settingsPath(CEditorSettings::defaultPath()),
      m_userScale(CEditorSettings::readSizeChoice(m_settingsPath))
{
    createDisplayParameters();

    GUI::Windowing::CWindowAttributes aboutAttributes;
    aboutAttributes.setBackgroundColour(kAboutBackground);
    aboutAttributes.setAlpha(kAboutAlpha);

    const double scale = wantedScale();
    setWindowScale(scale);
    loadArtwork(Layout::artworkDensityFor(scale));

    m_aboutWindow = keep(new GUI::Windowing::CAboutWindow(m_images[kSplashImage], kAboutAlpha));
    m_aboutWindow->intialiseWindow(&aboutAttributes, true);
    m_aboutWindow->setWindowScale(scale);

    createInfoButton();
    for (int index = 0; index < Parameters::kCount; ++index)
    {
        createParameterControls(index);
    }
    createLevelMeter();
    createGainReductionMeter();
    createSizeMenu();

    if (m_quellor != nullptr)
    {
        m_quellor->setParameterView(this);
    }
}

CQuellorEditor::~CQuellorEditor()
{
    // A compressor deletes its editor while it is still whole (see its destructor).
    if (m_quellor != nullptr && m_quellor->getParameterView() == this)
    {
        m_quellor->setParameterView(nullptr);
    }
    release(m_sizeMenu);
    release(m_reductionMeter);
    release(m_levelMeter);
    for (int index = Parameters::kCount - 1; index >= 0; --index)
    {
        release(m_captions[index]);
        release(m_readOuts[index]);
        release(m_knobs[index]);
    }
    release(m_infoButton);
    release(m_aboutWindow);
    for (GUI::Graphics::IImage*& image : m_images)
    {
        release(image);
    }
}

void CQuellorEditor::createDisplayParameters()
{
    // The editor's own copies, at their initial values until the first change arrives.
    for (const Parameters::SParameter& parameter : Parameters::kTable)
    {
        m_displayParameters[parameter.index].setPointer(createParameterObject(parameter));
    }
}

GUI::Graphics::IImage* CQuellorEditor::loadImage(const char* fileName, int density)
{
    // Every editor of the process shares the decoded picture: decoding the film
    // strips costs tens of milliseconds and megabytes per copy.
    const Basics::CString path =
        GUI::Graphics::CBaseImage::joinPath(m_resourceFolder, Layout::artworkFile(fileName, density).c_str());
    GUI::Graphics::IImage* image = GUI::Graphics::CImageCache::acquireImage(path, loaderFor(density));
    if (!image->hasImageLoaded())
    {
        // The editor still works without it; the user learns which file to look at.
        GUI::Graphics::CBaseImage::reportLoadFailure(path, image->getLastError().getString());
        if (density > 1)
        {
            // The 1x picture, enlarged, is better than none.
            image->dereference();
            return loadImage(fileName, 1);
        }
    }
    return image;
}

void CQuellorEditor::loadArtwork(int density)
{
    if (density == m_imageDensity)
    {
        return;
    }
    m_imageDensity = density;
    for (int image = 0; image < kNumImages; ++image)
    {
        GUI::Graphics::IImage* loaded = loadImage(imageFile(image), density);
        release(m_images[image]);
        m_images[image] = loaded;
    }
    getControlRoot()->setBackgroundImage(m_images[kBackgroundImage]);
    if (m_aboutWindow != nullptr)
    {
        m_aboutWindow->setPicture(m_images[kSplashImage]);
    }
    if (m_infoButton != nullptr)
    {
        m_infoButton->setDownImage(m_images[kInfoImage]);
        m_infoButton->setPrimaryImage(m_images[kInfoImage]);
    }
    for (int index = 0; index < Parameters::kCount; ++index)
    {
        if (GUI::Controls::CKnob* knob = m_knobs[index])
        {
            GUI::Graphics::IImage* strip =
                m_images[Layout::kParameterControls[static_cast<std::size_t>(index)].strip];
            knob->setAnimationImage(strip, strip->getImageSize().getHeight() / Layout::kKnobFrames,
                                    Layout::kKnobFrames, false);
        }
    }
}

void CQuellorEditor::createInfoButton()
{
    GUI::Graphics::IImage* info = m_images[kInfoImage];
    const MathTools::CDimension& size = info->getImageSize();
    auto* button = new GUI::Controls::CMomentaryButton(
        getControlRoot(), kInfoButtonId,
        CRect(Layout::kInfoButton.x, Layout::kInfoButton.y, size.getWidth(), size.getHeight()), nullptr);
    button->setLabelText(Layout::kInfoButtonText);
    getControlRoot()->addControl(button);
    m_infoButton = keep(button);
    button->registerActionListener(this);
    button->setDownImage(info);
    button->setPrimaryImage(info);
}

void CQuellorEditor::createParameterControls(int index)
{
    const Layout::SParameterControls& layout = Layout::kParameterControls[static_cast<std::size_t>(index)];
    GUI::Controls::CControlRoot* root = getControlRoot();

    GUI::Graphics::IImage* strip = m_images[layout.strip];
    const long frameHeight = strip->getImageSize().getHeight() / Layout::kKnobFrames;
    auto* knob = new GUI::Controls::CKnob(
        root, index, CRect(layout.knobLeft, Layout::kKnobTop, strip->getImageSize().getWidth(), frameHeight),
        nullptr);
    knob->setAnimationImage(strip, frameHeight, Layout::kKnobFrames, false);
    m_knobs[index] = keep(knob);
    if (effect != nullptr)
    {
        knob->setValue(effect->getParameter(index));
    }
    knob->registerActionListener(this);
    root->addControl(knob);

    const CAlphaColour fill = colourOf(Layout::kLabelFill);
    const CAlphaColour text = colourOf(Layout::kLabelText);
    auto* readOut = new GUI::Controls::CTextLabel(root, index, rectOf(layout.readOut), " ");
    root->addControl(readOut);
    m_readOuts[index] = keep(readOut);
    readOut->registerActionListener(this);
    readOut->setColours(fill, fill, text);
    showReadOut(index);

    auto* caption = new GUI::Controls::CTextLabel(root, -1, rectOf(layout.caption), " ");
    root->addControl(caption);
    m_captions[index] = keep(caption);
    caption->setColours(fill, fill, text);
    caption->setText(Parameters::captionOf(Parameters::parameter(index)));
}

void CQuellorEditor::createLevelMeter()
{
    auto* meter =
        new GUI::Controls::CLevelMeter(getControlRoot(), -1, rectOf(Layout::kMeter), Layout::kMeterSegments);
    meter->setColours(colourOf(Layout::kMeterLowest), colourOf(Layout::kMeterHighest));
    // A right click on a meter opens the size menu, as on the panel around it.
    meter->setMouseEnabled(false);
    m_levelMeter = keep(meter);
    meter->setValue(0.0);
    getControlRoot()->addControl(meter);
}

void CQuellorEditor::createGainReductionMeter()
{
    auto* meter = new GUI::Controls::CLevelMeter(getControlRoot(), -1, rectOf(Layout::kGainReductionMeter),
                                                 Layout::kMeterSegments);
    meter->setColours(colourOf(Layout::kGainReductionLowest), colourOf(Layout::kGainReductionHighest));
    meter->setDirection(GUI::Controls::CLevelMeter::kDownward);
    meter->setMouseEnabled(false);
    m_reductionMeter = keep(meter);
    meter->setValue(0.0);
    getControlRoot()->addControl(meter);
}

void CQuellorEditor::createSizeMenu()
{
    // Over the whole panel and added last: it sees only what falls on the background.
    auto* menu = new GUI::Controls::CPopupMenu(getControlRoot(), kSizeMenuId,
                                               CRect(0, 0, Layout::kPanelWidth, Layout::kPanelHeight), this);
    menu->setHeading("Size:");
    std::vector<std::string> items;
    items.reserve(EditorScale::kMenuChoices);
    for (int choice = 0; choice < EditorScale::kMenuChoices; ++choice)
    {
        items.push_back(EditorScale::menuText(choice));
    }
    menu->setItems(items);
    menu->setMarkedItem(EditorScale::menuChoiceOf(m_userScale));
    menu->setMenuColours(kMenuFill, colourOf(Layout::kLabelText), kMenuHeading, kMenuHighlight);
    m_sizeMenu = keep(menu);
    getControlRoot()->addControl(menu);
}

void CQuellorEditor::showReadOut(int index)
{
    const Parameters::SParameter& parameter = Parameters::parameter(index);
    const double shown = Parameters::userValueOfReal(parameter, m_displayParameters[index]->getRealValue());
    char text[64];
    std::snprintf(text, sizeof text, "%.3f%s", shown, parameter.readOutSuffix);
    m_readOuts[index]->setText(text);
    m_readOuts[index]->update();
}

void CQuellorEditor::applyParameter(int index, double value)
{
    m_displayParameters[index]->setValue(
        Parameters::objectValue(Parameters::parameter(index), static_cast<float>(value)));
    m_knobs[index]->setValue(value);
    m_knobs[index]->update();
    showReadOut(index);
}

void CQuellorEditor::parameterChanged(long index, double value)
{
    if (index == kMeterIndex)
    {
        m_meterLevel.store(static_cast<float>(value), std::memory_order_relaxed);
        return;
    }
    if (!Parameters::isIndex(index))
    {
        return;
    }
    const unsigned bit = 1u << index;
    if (isEditorThread())
    {
        // Newer than anything another thread left for idle.
        m_pendingMask.fetch_and(~bit, std::memory_order_relaxed);
        applyParameter(static_cast<int>(index), value);
        return;
    }
    m_pendingValues[index].store(static_cast<float>(value), std::memory_order_relaxed);
    m_pendingMask.fetch_or(bit, std::memory_order_release);
}

bool CQuellorEditor::isSettingParameter() const
{
    return CVstWindow::isSettingParameter();
}

void CQuellorEditor::handleActionEvent(const GUI::Events::CActionEvent& event)
{
    GUI::Controls::IControl* control = event.getControl();
    const long id = control->getUniqueId();
    if (id == kSizeMenuId)
    {
        const auto choice = static_cast<int>(control->getValue());
        setUserScale(choice >= 0 && choice < EditorScale::kAutomaticChoice
                         ? std::optional<double>(EditorScale::kMenuScales[choice])
                         : std::nullopt);
        return;
    }
    if (id == kInfoButtonId)
    {
        m_aboutWindow->openWindow();
        return;
    }
    if (effect == nullptr || !Parameters::isIndex(id))
    {
        return;
    }
    const auto value = static_cast<float>(control->getValue());
    // Newer than anything another thread left for idle, which must not turn the knob back.
    m_pendingMask.fetch_and(~(1u << id), std::memory_order_relaxed);
    m_displayParameters[id]->setValue(
        Parameters::objectValue(Parameters::parameter(static_cast<int>(id)), value));
    {
        // The effect skips its notification while the flag is up, even if the host throws.
        struct SSetting
        {
            CQuellorEditor& editor;
            explicit SSetting(CQuellorEditor& owner) : editor(owner) { editor.setSettingParameter(true); }
            ~SSetting() { editor.setSettingParameter(false); }
        } setting(*this);
        effect->setParameterAutomated(static_cast<Vst::VstInt32>(id), value);
    }
    showReadOut(static_cast<int>(id));
}

void CQuellorEditor::handleGestureBegin(const GUI::Events::CActionEvent& event)
{
    const long id = event.getControl()->getUniqueId();
    if (effect != nullptr && Parameters::isIndex(id))
    {
        effect->beginEdit(static_cast<Vst::VstInt32>(id));
    }
}

void CQuellorEditor::handleGestureEnd(const GUI::Events::CActionEvent& event)
{
    const long id = event.getControl()->getUniqueId();
    if (effect != nullptr && Parameters::isIndex(id))
    {
        effect->endEdit(static_cast<Vst::VstInt32>(id));
    }
}

void CQuellorEditor::applyPendingChanges()
{
    unsigned mask = m_pendingMask.exchange(0, std::memory_order_acquire);
    for (int index = 0; mask != 0; ++index, mask >>= 1)
    {
        if ((mask & 1u) != 0)
        {
            applyParameter(index, m_pendingValues[index].load(std::memory_order_relaxed));
        }
    }
}

void CQuellorEditor::applyMeterLevel()
{
    float level = m_meterLevel.load(std::memory_order_relaxed);
    // Not a number is silence.
    const float clamped = std::isnan(level) ? 0.0f : std::clamp(level, 0.0f, 1.0f);
    if (clamped != level)
    {
        // A newer level from the audio thread wins over the clamped older one.
        m_meterLevel.compare_exchange_strong(level, clamped, std::memory_order_relaxed);
    }
    const long lit = m_levelMeter->getLitSegments();
    m_levelMeter->setValue(clamped);
    m_shownLevel = clamped;
    if (m_levelMeter->getLitSegments() != lit)
    {
        // Only a change of the lit segments shows.
        m_levelMeter->update();
    }
}

void CQuellorEditor::applyGainReduction()
{
    const float decibels = m_quellor != nullptr ? m_quellor->getGainReduction()
                                                : m_externalReduction.load(std::memory_order_relaxed);
    const long lit = m_reductionMeter->getLitSegments();
    m_reductionMeter->setValue(static_cast<double>(decibels) / Layout::kGainReductionRange);
    if (m_reductionMeter->getLitSegments() != lit)
    {
        m_reductionMeter->update();
    }
}

void CQuellorEditor::close()
{
    m_aboutWindow->closeWindow();
    CVstWindow::close();
}

void CQuellorEditor::idle()
{
    // Before the first open the changes wait for it.
    if (hasEditorThread())
    {
        claimEditorThread();
        applyPendingChanges();
        applyMeterLevel();
        applyGainReduction();
        if (m_scaleChanged.exchange(false, std::memory_order_acquire))
        {
            refreshScale();
        }
    }
    CVstWindow::idle();
}

// ---- the scale ----

double CQuellorEditor::wantedScale() const
{
    EditorScale::SSources sources = EditorScale::fromEnvironment();
    sources.user = m_userScale;
    sources.host = EditorScale::given(m_hostScale.load(std::memory_order_relaxed));
    sources.desktop = m_desktopScale;
    return EditorScale::choose(sources);
}

void CQuellorEditor::setHostScale(double scale)
{
    m_hostScale.store(EditorScale::given(scale).value_or(0.0), std::memory_order_relaxed);
    m_scaleChanged.store(true, std::memory_order_release);
}

void CQuellorEditor::setUserScale(const std::optional<double>& scale)
{
    m_userScale = scale;
    if (!CEditorSettings::writeSizeChoice(m_settingsPath, scale))
    {
        std::fprintf(stderr, "%s: cannot write %s: the size applies to this session only\n",
                     Host::CApplicationInformation::getApplicationName().getString(), m_settingsPath.c_str());
    }
    m_sizeMenu->setMarkedItem(EditorScale::menuChoiceOf(scale));
    m_refusedScale.reset();
    refreshScale();
}

bool CQuellorEditor::getRect(Vst::ERect** rect)
{
    if (m_scaleChanged.exchange(false, std::memory_order_acquire) || !isWindowOpen())
    {
        refreshScale();
    }
    const bool answered = CVstWindow::getRect(rect);
    m_answeredSize = getNativeSize();
    return answered;
}

bool CQuellorEditor::open(void* parent)
{
    if (parent == nullptr)
    {
        // Nothing to open into: the window, open or not, stays as it is.
        return CVstWindow::open(parent);
    }
    // The opening thread becomes the editor's; every change that waited for it shows
    // before the panel first paints.
    claimEditorThread();
    applyPendingChanges();
    applyMeterLevel();
    applyGainReduction();
    // Opening a display is allowed from here on: the desktop's scale joins the sources.
    m_desktopScale = EditorScale::given(
        Platform::getWindowSystem().getDesktopScale(reinterpret_cast<std::uintptr_t>(parent)));
    m_scaleChanged.store(false, std::memory_order_relaxed);
    m_refusedScale.reset();
    applyScale(wantedScale());
    if (!CVstWindow::open(parent))
    {
        return false;
    }
    if (m_answeredSize && !(*m_answeredSize == getNativeSize()))
    {
        // The host sized its window from an earlier answer.
        askHostForSize(getNativeSize());
        m_answeredSize = getNativeSize();
    }
    return true;
}

void CQuellorEditor::refreshScale()
{
    const double scale = wantedScale();
    if (scale == getWindowScale())
    {
        return;
    }
    if (!isWindowOpen())
    {
        applyScale(scale);
        return;
    }
    if (m_refusedScale && *m_refusedScale == scale)
    {
        return;
    }
    const MathTools::CDimension size(GUI::Graphics::DeviceScale::sizeToDevice(Layout::kPanelWidth, scale),
                                     GUI::Graphics::DeviceScale::sizeToDevice(Layout::kPanelHeight, scale));
    // A host that sent the scale resizes its window by itself; any other change needs its
    // consent, or the panel would be cut off or float in a larger frame.
    const bool hostsScale = !EditorScale::fromEnvironment().environment && !m_userScale &&
                            EditorScale::given(m_hostScale.load(std::memory_order_relaxed));
    if (!askHostForSize(size) && !hostsScale)
    {
        m_refusedScale = scale;
        return;
    }
    applyScale(scale);
    m_answeredSize = getNativeSize();
}

void CQuellorEditor::applyScale(double scale)
{
    loadArtwork(Layout::artworkDensityFor(scale));
    setWindowScale(scale);
    m_aboutWindow->setWindowScale(scale);
    m_aboutWindow->setPicture(m_images[kSplashImage]);
}

bool CQuellorEditor::askHostForSize(const MathTools::CDimension& size)
{
    auto* host = dynamic_cast<Vst::AudioEffectX*>(effect);
    return host != nullptr && host->sizeWindow(static_cast<Vst::VstInt32>(size.getWidth()),
                                               static_cast<Vst::VstInt32>(size.getHeight()));
}

} // namespace Vantor::Quellor
