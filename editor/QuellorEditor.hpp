#pragma once
// PressoraLite's editor: a 500 x 158 panel with a background picture, six
// film-strip knobs with captions and value read-outs, a segmented meter of the
// output peak beside one of the compressor's gain reduction, an "info" button
// that shows the about window, and a size menu on a right click.
//
// The panel draws at any scale from 1 to 3 (see EditorScale for where the scale
// comes from): its controls keep their 1x places while the native window, the
// text and the pictures (from the artwork set drawn for the scale) grow. A
// change while the editor is open asks the host for the new size.
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
#include <optional>
#include <string>
#include <vector>

#include "editor/PanelLayout.hpp"
#include "framework/collections/AutomaticPointer.hpp"
#include "framework/gui/controls/Knob.hpp"
#include "framework/gui/controls/LevelMeter.hpp"
#include "framework/gui/controls/MomentaryButton.hpp"
#include "framework/gui/controls/PopupMenu.hpp"
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
    static constexpr long kSizeMenuId = 9;
    // The pictures the editor holds: the knob strips, then the button pictures
    // (shown by no control), then the info face, the background and the about picture.
    static constexpr int kNumStrips = static_cast<int>(Layout::kKnobStripFiles.size());
    static constexpr int kInfoImage = kNumStrips + static_cast<int>(Layout::kButtonFiles.size());
    static constexpr int kBackgroundImage = kInfoImage + 1;
    static constexpr int kSplashImage = kBackgroundImage + 1;
    static constexpr int kNumImages = kSplashImage + 1;

    // Builds every control and takes every picture from the "Resources" folder beside
    // the library, decoded once per process and shared by all editors (a picture that
    // cannot be loaded is named once on stderr and left out); registers with the
    // effect as its editor and, for a CQuellor, as its parameter view. Reads the user's
    // size choice from the settings file. Opens no window and no display.
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
    // 0..1) and the gain reduction, takes a new scale, then delivers the window's events
    // and paints.
    // Threads: editor.
    void idle() override;
    // The size at the scale the sources give now (which the next open uses).
    // Threads: editor.
    bool getRect(Vst::ERect** rect) override;
    // Makes the opening thread the editor's and shows every change that waited for it;
    // reads the desktop's scale near the host's window, takes the scale and its pictures,
    // then opens before the panel first paints; a host that asked for the size before
    // and now gets another is told (audioMasterSizeWindow).
    // Threads: editor.
    bool open(void* parent) override;
    // Hides the about window too: once the editor is closed nothing reads its events.
    // Threads: editor.
    void close() override;

    // ---- the scale ----
    // The host's scale (a VST 2 host's vendor call, LV2's ui:scaleFactor option): used while
    // PRESSORA_SCALE is unset and the user's choice is Automatic. Taken at the next getRect,
    // open or idle; 0, a negative or a non-finite value withdraws it.
    // Threads: any.
    void setHostScale(double scale);
    // Threads: any.
    void hostScaleChanged(double scale) override { setHostScale(scale); }
    // The user's size choice (empty: Automatic): kept in the settings file (for the session
    // only when the file cannot be written) and taken at once.
    // Threads: editor.
    void setUserScale(const std::optional<double>& scale);
    const std::optional<double>& getUserScale() const { return m_userScale; }
    // The scale the editor draws at now.
    double getScale() const { return getWindowScale(); }
    // The settings file this editor reads and writes.
    const std::string& getSettingsPath() const { return m_settingsPath; }

    // The gain reduction in dB for an effect that is not a CQuellor (a CQuellor's own is read
    // at every idle call); shown at the next idle call.
    // Threads: any.
    void setGainReduction(float decibels) { m_externalReduction.store(decibels, std::memory_order_relaxed); }

    // The parts, for inspection.
    GUI::Controls::CKnob* getKnob(int index) const { return m_knobs[index]; }
    GUI::Controls::CTextLabel* getReadOut(int index) const { return m_readOuts[index]; }
    GUI::Controls::CTextLabel* getCaption(int index) const { return m_captions[index]; }
    GUI::Controls::CMomentaryButton* getInfoButton() const { return m_infoButton; }
    GUI::Controls::CLevelMeter* getLevelMeter() const { return m_levelMeter; }
    GUI::Controls::CLevelMeter* getGainReductionMeter() const { return m_reductionMeter; }
    GUI::Controls::CPopupMenu* getSizeMenu() const { return m_sizeMenu; }
    GUI::Windowing::CAboutWindow* getAboutWindow() const { return m_aboutWindow; }
    float getMeterLevel() const { return m_meterLevel.load(std::memory_order_relaxed); }
    // The folder the pictures are read from.
    const Basics::CSystemString& getResourceFolder() const { return m_resourceFolder; }

private:
    void createDisplayParameters();
    GUI::Graphics::IImage* loadImage(const char* fileName, int density);
    // Makes the pictures of a density current (the 1x picture stands in for a missing one)
    // and hands them to the controls.
    void loadArtwork(int density);
    void createInfoButton();
    void createParameterControls(int index);
    void createLevelMeter();
    void createGainReductionMeter();
    void createSizeMenu();
    // The scale the sources give now.
    double wantedScale() const;
    // Takes the wanted scale: at once while closed; while open after asking the host.
    void refreshScale();
    void applyScale(double scale);
    bool askHostForSize(const MathTools::CDimension& size);
    void applyGainReduction();
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
    GUI::Controls::CLevelMeter* m_reductionMeter = nullptr;
    GUI::Controls::CPopupMenu* m_sizeMenu = nullptr;
    Collections::TAutomaticPointer<CVstParam> m_displayParameters[Parameters::kCount];
    GUI::Windowing::CAboutWindow* m_aboutWindow = nullptr;
    GUI::Graphics::IImage* m_images[kNumImages] = {};
    int m_imageDensity = 0;
    Basics::CSystemString m_resourceFolder;
    // The effect as a compressor, whose parameter view this is; null for any other effect.
    CQuellor* m_quellor = nullptr;

    // The scale's sources that are not read afresh each time: the user's choice, the desktop's
    // (known from the first open on), the host's (handed over from any thread).
    std::string m_settingsPath;
    std::optional<double> m_userScale;
    std::optional<double> m_desktopScale;
    std::atomic<double> m_hostScale{0.0};
    std::atomic<bool> m_scaleChanged{false};
    // The size the host was last told by getRect (none before it asked), and a scale the host
    // refused while open (not asked for again until the next open).
    std::optional<MathTools::CDimension> m_answeredSize;
    std::optional<double> m_refusedScale;
    std::atomic<float> m_externalReduction{0.0f};

    // Handed over from other threads: the meter level, and per parameter the latest
    // value with a bit in the mask saying that it waits for idle.
    std::atomic<float> m_meterLevel{0.0f};
    std::atomic<float> m_pendingValues[Parameters::kCount] = {};
    std::atomic<unsigned> m_pendingMask{0};
    // The level the meter shows now (editor's thread).
    float m_shownLevel = 0.0f;
};

} // namespace Vantor::Quellor
