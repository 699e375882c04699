#pragma once
// Base of an effect's editor as the host sees it through the editor opcodes
// (effEditGetRect, effEditOpen, effEditClose, effEditIdle, effEditKeyDown,
// effEditKeyUp, effSetEditKnobMode). An effect owns its editor once it is
// registered with AudioEffect::setEditor, and deletes it when it is destroyed.
// The host makes every editor call on its user-interface thread.

#include "framework/vst/VstAbi.hpp"

namespace Vantor::Vst
{

class AudioEffect;

class AEffEditor
{
public:
    // Stores the effect; does not register with it (the effect's setEditor does that).
    explicit AEffEditor(AudioEffect* owner = nullptr) : effect(owner) {}
    virtual ~AEffEditor() = default;

    AEffEditor(const AEffEditor&) = delete;
    AEffEditor& operator=(const AEffEditor&) = delete;

    // Threads: any.
    virtual AudioEffect* getEffect() { return effect; }

    // Stores the address of the editor's own rectangle (which must outlive the
    // call) into *rect. The default has no size: *rect = null, false.
    // Threads: editor.
    virtual bool getRect(ERect** rect)
    {
        if (rect != nullptr)
        {
            *rect = nullptr;
        }
        return false;
    }

    // Opens the editor inside the host's window (an HWND on Windows, an X11
    // window ID carried in the pointer on Linux). The default only remembers
    // the parent and answers false.
    // Threads: editor.
    virtual bool open(void* parent)
    {
        systemWindow = parent;
        return false;
    }
    // Threads: editor.
    virtual void close() { systemWindow = nullptr; }
    // Threads: editor.
    virtual bool isOpen() { return systemWindow != nullptr; }
    // Periodic tick from the host's GUI thread while the editor is open.
    // Threads: editor.
    virtual void idle() {}

    // Keys and wheel: true when the editor used the input.
    // Threads: editor.
    virtual bool onKeyDown(VstKeyCode& /*keyCode*/) { return false; }
    // Threads: editor.
    virtual bool onKeyUp(VstKeyCode& /*keyCode*/) { return false; }
    // Threads: editor.
    virtual bool onWheel(float /*distance*/) { return false; }
    // VstKnobMode: circular, circular relative or linear.
    // Threads: editor.
    virtual bool setKnobMode(VstInt32 /*mode*/) { return false; }

protected:
    AudioEffect* effect;
    void* systemWindow = nullptr; // the host's window while open
};

} // namespace Vantor::Vst
