#pragma once
// The editor as an LV2 UI. The UI and the DSP are separate instances that talk
// only through ports, so the UI hosts the VST editor on a stand-in effect of its
// own: the six parameter objects and nothing of the audio. What the editor tells
// its effect becomes port writes; what the host tells the UI (port_event)
// becomes the editor's parameterChanged, the level port its meter.
//
// Every call arrives on the host's UI thread; the editor has no thread of its
// own and paints in the host's idle calls.

#include <cstdint>

#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include "framework/collections/AutomaticPointer.hpp"
#include "framework/vst/AudioEffectX.hpp"
#include "plugin/Parameters.hpp"
#include "plugin/VstParam.hpp"

namespace Vantor::Quellor
{
class CQuellorEditor;
}

namespace Vantor::Quellor::Lv2
{

// What the host offers the UI, taken from its features.
struct SUiHost
{
    LV2UI_Write_Function write = nullptr;
    LV2UI_Controller controller = nullptr;
    const LV2UI_Touch* touch = nullptr;   // null: the host has no touch feature
    const LV2UI_Resize* resize = nullptr; // null: the host cannot be asked for a new size
};

// The stand-in effect the editor works on.
//
// Gestures: the editor wraps each of its gestures (a drag, a double-click
// reset, a wheel step) in beginEdit and endEdit, which become ui:touch start and
// end of the parameter's port where the host offers touch; a change made outside
// any gesture is wrapped on its own (start, write, end). The editor's requests
// for another size (sizeWindow) become ui:resize.
class CLv2EditorEffect : public Vst::AudioEffectX
{
public:
    explicit CLv2EditorEffect(const SUiHost& host);
    ~CLv2EditorEffect() override;
    CLv2EditorEffect(const CLv2EditorEffect&) = delete;
    CLv2EditorEffect& operator=(const CLv2EditorEffect&) = delete;

    // Threads: editor (all of these: the host's UI thread).
    void setParameter(Vst::VstInt32 index, float value) override;
    float getParameter(Vst::VstInt32 index) override;
    void getParameterName(Vst::VstInt32 index, char* text) override;
    void getParameterLabel(Vst::VstInt32 index, char* text) override;
    void getParameterDisplay(Vst::VstInt32 index, char* text) override;
    // Sets the value and writes the parameter's port in the user's unit.
    void setParameterAutomated(Vst::VstInt32 index, float value) override;
    bool beginEdit(Vst::VstInt32 index) override;
    bool endEdit(Vst::VstInt32 index) override;
    // Asks the host to give the UI this size; false when it cannot be asked or refuses.
    bool sizeWindow(Vst::VstInt32 width, Vst::VstInt32 height) override;
    // No audio passes through the stand-in.
    void processReplacing(float** inputs, float** outputs, Vst::VstInt32 sampleFrames) override;

    // Ends every open gesture (the UI is going away).
    void endAllGestures();
    bool isTouching(int index) const { return m_touching[index]; }

    // The value last written to a parameter's port, in the user's unit (NaN before any).
    float getWrittenValue(int index) const { return m_written[index]; }

private:
    void touch(int index, bool grabbed);

    SUiHost m_host;
    Collections::TAutomaticPointer<CVstParam> m_parameters[Parameters::kCount];
    bool m_touching[Parameters::kCount] = {};
    float m_written[Parameters::kCount];
};

// The UI scale among the host's options (a list ended by key 0): the value of
// ui:scaleFactor (`scaleKey`) given as a float (`floatType`) between 0 and 16,
// else `current` (0: none).
float scaleFactorOf(const LV2_Options_Option* options, LV2_URID scaleKey, LV2_URID floatType, float current);

// One UI instance: the stand-in effect and the editor in the host's window.
class CLv2Editor
{
public:
    // Creates the editor with the pictures of `resourceFolder` and opens it in
    // `parent` (an X11 window) at the host's scale (0: the host gives none, and the
    // editor's other sources decide). Throws CException when it cannot be opened.
    CLv2Editor(const SUiHost& host, const char* resourceFolder, std::uintptr_t parent, double hostScale);
    ~CLv2Editor();
    CLv2Editor(const CLv2Editor&) = delete;
    CLv2Editor& operator=(const CLv2Editor&) = delete;

    // The editor's own X11 window and its size in pixels (the scale's).
    std::uintptr_t getWidget() const;
    int getWidth() const;
    int getHeight() const;
    // A new scale from the host (ui:scaleFactor through the options interface);
    // the editor asks for its new size through ui:resize.
    void setHostScale(double scale);

    // Output ports become the meters; control ports move their knob and read-out.
    void portEvent(std::uint32_t port, std::uint32_t bufferSize, std::uint32_t format, const void* buffer);
    // Delivers the window's events and paints.
    void idle();

    CLv2EditorEffect& getEffect() { return *m_effect; }
    CQuellorEditor& getEditor() { return *m_editor; }

private:
    CLv2EditorEffect* m_effect; // owns the editor
    CQuellorEditor* m_editor;
};

} // namespace Vantor::Quellor::Lv2
