#pragma once
// The editor as the host sees it and as the framework sees it at once: an
// AEffEditor that the host drives through the effect's editor opcodes, and a
// CWindow whose native window lives inside a window the host hands over. The
// object belongs to the effect (registered with setEditor, deleted with it);
// the host's open and close only make and destroy the native window, so the
// controls and their state outlive any number of open/close cycles.
//
// Linked into the GUI library: the effect itself only knows AEffEditor.

#include <atomic>
#include <cstdint>
#include <thread>

#include "framework/gui/events/ActionListener.hpp"
#include "framework/gui/events/KeyboardListener.hpp"
#include "framework/gui/windowing/Window.hpp"
#include "framework/gui/windowing/WindowAttributes.hpp"
#include "framework/vst/AEffEditor.hpp"
#include "framework/vst/AudioEffect.hpp"

namespace Vantor::Vst
{

class CVstWindow : public AEffEditor,
                   public GUI::Windowing::CWindow,
                   public GUI::Events::IActionListener,
                   public GUI::Events::IKeyboardListener
{
public:
    VANTOR_DECLARE_CLASS(CVstWindow);

    // The host's window as a framework window, so that it can serve as the parent of
    // the editor's native window. It only borrows the native handle: the host's window
    // is never changed or destroyed through it.
    class CParentWindow : public GUI::Windowing::CWindow
    {
    public:
        VANTOR_DECLARE_CLASS(CParentWindow);

        explicit CParentWindow(std::uintptr_t hostWindow);
        ~CParentWindow() override;
        CParentWindow(const CParentWindow&) = delete;
        CParentWindow& operator=(const CParentWindow&) = delete;
    };

    // Registers with the effect (which owns the editor from then on) and prepares a
    // visible child window of that area; no native window exists before open().
    // No thread is the editor's until the host opens it: not even the constructing one,
    // which a host may go on to use for automation or audio.
    CVstWindow(AudioEffect* effect, const MathTools::CRect& area,
               const GUI::Windowing::CWindowAttributes& attributes);
    // Leaves the effect without an editor if it still names this one.
    ~CVstWindow() override;
    CVstWindow(const CVstWindow&) = delete;
    CVstWindow& operator=(const CVstWindow&) = delete;

    // ---- what the host calls (effEditGetRect, effEditOpen, effEditClose, effEditIdle) ----
    // The window's size in device pixels (its logical size at its scale) with the origin at
    // (0, 0), open or not.
    // Threads: editor.
    bool getRect(ERect** rect) override;
    // Creates the editor's native window as a child of the host's window (an X11 window
    // id on Linux, an HWND on Windows), on the editor's own display connection. False,
    // with nothing opened, when no window can be made; false for a null parent, which
    // leaves an open editor as it is.
    // Threads: editor.
    bool open(void* parent) override;
    // Destroys the editor's native window, never the host's.
    // Threads: editor.
    void close() override;
    // Delivers the editor's pending window events and paints (X11 windows are pumped
    // here: hosts drive Linux editors through idle).
    // Threads: editor.
    void idle() override;

    // ---- the bridge's own operations ----
    // Threads: editor.
    virtual void redraw();
    // Creates the native child window and shows it.
    // Threads: editor.
    virtual void createEditorWindow();
    // A parameter of the effect changed; nothing here (the editor overrides it).
    // Threads: automation, audio, editor.
    virtual void parameterChanged(long index, double value);
    // True only on the editor's thread while the editor itself pushes a value into the
    // effect, so that the effect does not echo that change back; false on every other
    // thread, whose changes must reach the editor.
    // Threads: any.
    virtual bool isSettingParameter() const;
    // Threads: editor.
    virtual void setSettingParameter(bool setting);
    // Adopts the host's window as parent; throws CException for a null handle.
    // Threads: editor.
    virtual void attachToParent(void* parentWindow);
    // Drops the parent wrapper and destroys the native window.
    // Threads: editor.
    virtual void detachFromParent();

    // Controls' notifications; nothing here (the editor overrides it).
    // Threads: editor.
    void handleActionEvent(const GUI::Events::CActionEvent& event) override;
    // Keys go to the window's keyboard listener (its control root); false without one.
    // Threads: editor.
    bool handleKeyDown(const GUI::Events::CKeyboardEvent& event) override;
    // Threads: editor.
    bool handleKeyUp(const GUI::Events::CKeyboardEvent& event) override;

    // The wrapper of the host's window while open, else null.
    CParentWindow* getHostWindow() const { return m_hostWindow; }

protected:
    // Whether the calling thread is the one that opened, idled or closed the editor last,
    // after its first open: the only thread on which controls may be touched.
    bool isEditorThread() const;
    // Whether the editor has been opened, so that some thread is its own.
    bool hasEditorThread() const;
    void claimEditorThread();

private:
    CParentWindow* m_hostWindow = nullptr;
    std::atomic<bool> m_settingParameter{false};
    std::atomic<std::thread::id> m_editorThread;
    ERect m_rect{};
};

} // namespace Vantor::Vst
