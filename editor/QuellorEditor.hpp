#pragma once
// PressoraLite's editor: a 500 x 158 panel with a background picture, six
// film-strip knobs with captions and value read-outs, a segmented meter of the
// output peak and an "info" button that shows the about window.
//
// One editor lives as long as its effect; the host's open and close only make and
// destroy its native window. Knobs and effect parameters follow each other both
// ways: a knob turn automates the host once; a host, program or MIDI change moves
// the knob and rewrites the read-out. Every knob gesture (a drag, a double-click
// reset, a wheel step) reaches the host as beginEdit, its automation, endEdit.
// Changes that arrive on another thread than the editor's (automation, audio), and
// every change before the first open, are stored in atomics and shown at the next
// idle call or open; the audio thread never touches a control, a reference count or
// the display.

#include <atomic>

#include "editor/PanelLayout.hpp"
#include "framework/collections/AutomaticPointer.hpp"
#include "framework/gui/controls/Knob.hpp"
#include "framework/gui/controls/LevelMeter.hpp"
#include "framework/gui/controls/MomentaryButton.hpp"
#include "framework/gui/controls/TextLabel.hpp"
#include "framework/gui/graphics/Image.hpp"
#include "framework/gui/windowing/AboutWindow.hpp"
#include "framework/vst/VstWindow.hpp"
#include "plugin/ParameterView.hpp"
#include "plugin/Parameters.hpp"
#include "plugin/VstParam.hpp"

namespace Vantor::Quellor
{

class CQuellor;

class CQuellorEditor : public Vst::CVstWindow, public IParameterView
{
public:
    VANTOR_DECLARE_CLASS(CQuellorEditor);

    static constexpr long kInfoButtonId = Layout::kInfoButtonId;
    // The pictures the editor holds: the knob strips, then the button pictures
    // (shown by no control), then the info face.
    static constexpr int kNumStrips = static_cast<int>(Layout::kKnobStripFiles.size());
    static constexpr int kInfoImage = kNumStrips + static_cast<int>(Layout::kButtonFiles.size());
    static constexpr int kNumImages = kInfoImage + 1;

    // Builds every control and takes every picture from the "Resources" folder beside
    // the library, decoded once per process and shared by all editors (a picture that
    // cannot be loaded is named once on stderr and left out); registers with the
    // effect as its editor and, for a CQuellor, as its parameter view. Opens no window.
    CQuellorEditor(Vst::AudioEffect* effect, const MathTools::CRect& area,
                   const GUI::Windowing::CWindowAttributes& attributes);
    // The same with the pictures from another folder.
    CQuellorEditor(Vst::AudioEffect* effect, const MathTools::CRect& area,
                   const GUI::Windowing::CWindowAttributes& attributes,
                   const Basics::CSystemString& resourceFolder);
    // Stops being the effect's parameter view (and, with the bridge, its editor).
    ~CQuellorEditor() override;
    // "Resources" beside the library.
    static Basics::CSystemString getDefaultResourceFolder();
    CQuellorEditor(const CQuellorEditor&) = delete;
    CQuellorEditor& operator=(const CQuellorEditor&) = delete;

    // Indices 0..5: the knob and read-out follow the normalised value (on the editor's
    // thread at once, from any other thread at the next idle call); 7: the meter level,
    // shown at the next idle call; anything else is ignored.
    // Threads: automation, audio, editor.
    void parameterChanged(long index, double value) override;
    // Threads: any.
    bool isSettingParameter() const override;
    // A knob turn automates the effect's parameter; the info button shows the about window.
    // Threads: editor.
    void handleActionEvent(const GUI::Events::CActionEvent& event) override;
    // A knob's gesture begins or ends: the effect's beginEdit / endEdit of its parameter,
    // around the automation of the gesture.
    // Threads: editor.
    void handleGestureBegin(const GUI::Events::CActionEvent& event) override;
    // Threads: editor.
    void handleGestureEnd(const GUI::Events::CActionEvent& event) override;
    // Applies the changes stored by other threads, shows the meter level (clamped to
    // 0..1), then delivers the window's events and paints.
    // Threads: editor.
    void idle() override;
    // Makes the opening thread the editor's and shows every change that waited for it
    // before the panel first paints.
    // Threads: editor.
    bool open(void* parent) override;
    // Hides the about window too: once the editor is closed nothing reads its events.
    // Threads: editor.
    void close() override;

    // The parts, for inspection.
    GUI::Controls::CKnob* getKnob(int index) const { return m_knobs[index]; }
    GUI::Controls::CTextLabel* getReadOut(int index) const { return m_readOuts[index]; }
    GUI::Controls::CTextLabel* getCaption(int index) const { return m_captions[index]; }
    GUI::Controls::CMomentaryButton* getInfoButton() const { return m_infoButton; }
    GUI::Controls::CLevelMeter* getLevelMeter() const { return m_levelMeter; }
    GUI::Windowing::CAboutWindow* getAboutWindow() const { return m_aboutWindow; }
    float getMeterLevel() const { return m_meterLevel.load(std::memory_order_relaxed); }
    // The folder the pictures are read from.
    const Basics::CSystemString& getResourceFolder() const { return m_resourceFolder; }

private:
    void createDisplayParameters();
    GUI::Graphics::IImage* loadImage(const char* fileName);
    void createInfoButton();
    void createParameterControls(int index);
    void createLevelMeter();
    // Moves one parameter's knob and read-out; on the editor's thread only.
    void applyParameter(int index, double value);
    void applyPendingChanges();
    void applyMeterLevel();
    // The display copy's real value as the read-out prints it.
    void showReadOut(int index);

    GUI::Controls::CKnob* m_knobs[Parameters::kCount] = {};
    GUI::Controls::CTextLabel* m_readOuts[Parameters::kCount] = {};
    GUI::Controls::CTextLabel* m_captions[Parameters::kCount] = {};
    GUI::Controls::CMomentaryButton* m_infoButton = nullptr;
    GUI::Controls::CLevelMeter* m_levelMeter = nullptr;
    Collections::TAutomaticPointer<CVstParam> m_displayParameters[Parameters::kCount];
    GUI::Windowing::CAboutWindow* m_aboutWindow = nullptr;
    // The effect as a compressor, whose parameter view this is; null for any other effect.
    CQuellor* m_quellor = nullptr;
    GUI::Graphics::IImage* m_images[kNumImages] = {};
    Basics::CSystemString m_resourceFolder;

    // Handed over from other threads: the meter level, and per parameter the latest
    // value with a bit in the mask saying that it waits for idle.
    std::atomic<float> m_meterLevel{0.0f};
    std::atomic<float> m_pendingValues[Parameters::kCount] = {};
    std::atomic<unsigned> m_pendingMask{0};
    // The level the meter shows now (editor's thread).
    float m_shownLevel = 0.0f;
};

} // namespace Vantor::Quellor
