#include "editor/QuellorEditor.hpp"

#include <algorithm>
#include <cstdio>

#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/events/ActionEvent.hpp"
#include "framework/gui/graphics/AlphaColour.hpp"
#include "framework/gui/graphics/ImageCache.hpp"
#include "framework/gui/graphics/PNGImage.hpp"
#include "framework/host/ApplicationInformation.hpp"
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
    return Layout::kInfoButtonFile;
}

const GUI::Graphics::CColour kAboutBackground(215, 219, 223);
constexpr double kAboutAlpha = 0.8;

// Unlike the general creator, a missing file still gives an image: unloaded, its
// size reads as zero and its last error says why.
GUI::Graphics::IImage* loadPNGImage(const Basics::CString& path)
{
    return new GUI::Graphics::CPNGImage(path);
}

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
    : CVstWindow(owner, area, attributes), m_resourceFolder(resourceFolder)
{
    createDisplayParameters();

    GUI::Graphics::IImage* background = loadImage(Layout::kBackgroundFile);
    getControlRoot()->setBackgroundImage(background);
    release(background);

    GUI::Windowing::CWindowAttributes aboutAttributes;
    aboutAttributes.setBackgroundColour(kAboutBackground);
    aboutAttributes.setAlpha(kAboutAlpha);

    for (int image = 0; image < kNumImages; ++image)
    {
        m_images[image] = loadImage(imageFile(image));
    }

    m_aboutWindow =
        keep(new GUI::Windowing::CAboutWindow(m_resourceFolder, Layout::kSplashFile, kAboutAlpha));
    m_aboutWindow->intialiseWindow(&aboutAttributes, true);

    createInfoButton();
    for (int index = 0; index < Parameters::kCount; ++index)
    {
        createParameterControls(index);
    }
    createLevelMeter();

    m_quellor = dynamic_cast<CQuellor*>(effect);
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

GUI::Graphics::IImage* CQuellorEditor::loadImage(const char* fileName)
{
    // Every editor of the process shares the decoded picture: decoding the film
    // strips costs tens of milliseconds and megabytes per copy.
    const Basics::CString path = GUI::Graphics::CBaseImage::joinPath(m_resourceFolder, fileName);
    GUI::Graphics::IImage* image = GUI::Graphics::CImageCache::acquireImage(path, &loadPNGImage);
    if (!image->hasImageLoaded())
    {
        // The editor still works without it; the user learns which file to look at.
        GUI::Graphics::CBaseImage::reportLoadFailure(path, image->getLastError().getString());
    }
    return image;
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
    m_levelMeter = keep(meter);
    meter->setValue(0.0);
    getControlRoot()->addControl(meter);
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
    const float clamped = std::clamp(level, 0.0f, 1.0f);
    if (clamped != level)
    {
        // A newer level from the audio thread wins over the clamped older one.
        m_meterLevel.compare_exchange_strong(level, clamped, std::memory_order_relaxed);
    }
    m_levelMeter->setValue(clamped);
    if (clamped != m_shownLevel)
    {
        // Nothing to repaint while the level stands still.
        m_shownLevel = clamped;
        m_levelMeter->update();
    }
}

bool CQuellorEditor::open(void* parent)
{
    if (parent != nullptr)
    {
        claimEditorThread();
        applyPendingChanges();
        applyMeterLevel();
    }
    return CVstWindow::open(parent);
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
    }
    CVstWindow::idle();
}

} // namespace Vantor::Quellor
