#pragma once
// Base of an effect's editor as the host sees it through the editor opcodes
// (effEditGetRect, effEditOpen, effEditClose, effEditIdle, effEditKeyDown,
// effEditKeyUp, effSetEditKnobMode). An effect owns its editor once it is
// registered with AudioEffect::setEditor, and deletes it when it is destroyed.

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

    virtual AudioEffect* getEffect() { return effect; }

    // Stores the address of the editor's own rectangle (which must outlive the
    // call) into *rect. The default has no size: *rect = null, false.
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
    virtual bool open(void* parent)
    {
        systemWindow = parent;
        return false;
    }
    virtual void close() { systemWindow = nullptr; }
    virtual bool isOpen() { return systemWindow != nullptr; }
    // Periodic tick from the host's GUI thread while the editor is open.
    virtual void idle() {}

    // Keys and wheel: true when the editor used the input.
    virtual bool onKeyDown(VstKeyCode& /*keyCode*/) { return false; }
    virtual bool onKeyUp(VstKeyCode& /*keyCode*/) { return false; }
    virtual bool onWheel(float /*distance*/) { return false; }
    // VstKnobMode: circular, circular relative or linear.
    virtual bool setKnobMode(VstInt32 /*mode*/) { return false; }

protected:
    AudioEffect* effect;
    void* systemWindow = nullptr; // the host's window while open
};

} // namespace Vantor::Vst
