#pragma once
// A compressor effect with its editor on a window system without a display, a host
// that records what the effect tells it, and pictures of the editor's sizes.

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "editor/QuellorEditor.hpp"
#include "framework/platform/DrawingBackend.hpp"
#include "framework/platform/ImageDecoder.hpp"
#include "plugin/Quellor.hpp"
#include "tests/gui/FakeWindowSystem.hpp"
#include "tests/gui/TestSupport.hpp"

namespace EditorTest
{

using namespace Vantor;

// The automation the host received, from any thread.
struct SAutomation
{
    long index;
    float value;
};

// The automation and the gestures around it, as the host received them.
class CAutomationLog
{
public:
    static CAutomationLog& instance()
    {
        static CAutomationLog log;
        return log;
    }
    void add(Vst::VstInt32 opcode, long index, float value)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_calls.push_back({opcode, {index, value}});
    }
    // The automation calls, oldest first; every call is forgotten.
    std::vector<SAutomation> take()
    {
        std::vector<SAutomation> automation;
        for (const auto& [opcode, call] : takeAll())
        {
            if (opcode == Vst::audioMasterAutomate)
            {
                automation.push_back(call);
            }
        }
        return automation;
    }
    // Every call in order as "begin 1", "automate 1", "end 1"; every call is forgotten.
    std::vector<std::string> takeCalls()
    {
        std::vector<std::string> texts;
        for (const auto& [opcode, call] : takeAll())
        {
            const char* name = opcode == Vst::audioMasterBeginEdit ? "begin "
                               : opcode == Vst::audioMasterEndEdit ? "end "
                                                                   : "automate ";
            texts.push_back(name + std::to_string(call.index));
        }
        return texts;
    }

private:
    std::vector<std::pair<Vst::VstInt32, SAutomation>> takeAll()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return std::exchange(m_calls, {});
    }

    std::mutex m_mutex;
    std::vector<std::pair<Vst::VstInt32, SAutomation>> m_calls;
};

inline Vst::VstIntPtr VANTOR_VSTCALL recordingHost(Vst::AEffect*, Vst::VstInt32 opcode, Vst::VstInt32 index,
                                                   Vst::VstIntPtr, void*, float opt)
{
    if (opcode == Vst::audioMasterVersion)
    {
        return 2400;
    }
    if (opcode == Vst::audioMasterAutomate || opcode == Vst::audioMasterBeginEdit ||
        opcode == Vst::audioMasterEndEdit)
    {
        CAutomationLog::instance().add(opcode, index, opt);
    }
    return 0;
}

// The editor's pictures in a scratch folder, in plain colours: knob strips of 40 x 40
// frames, a 40 x 20 info button, the 500 x 158 background and a 400 x 300 splash.
inline void writePictures(const Tests::CScratchFolder& folder)
{
    struct SPicture
    {
        const char* name;
        int width, height;
        std::uint32_t colour;
    };
    const SPicture pictures[] = {
        {"BackgroundLite.png", 500, 158, 0xFF203040u},
        {"knob.png", 40, 40 * 129, 0xFF806040u},
        {"knob2.png", 40, 40 * 129, 0xFF608040u},
        {"knob3.png", 40, 40 * 129, 0xFF406080u},
        {"buttonUp.png", 30, 20, 0xFF777777u},
        {"buttonDown.png", 30, 20, 0xFF555555u},
        {"info.png", 40, 20, 0xFFC0C0C0u},
        {"splash.png", 400, 300, 0xFFE0E0E0u},
    };
    for (const SPicture& picture : pictures)
    {
        auto surface = Platform::createDrawingSurface(picture.width, picture.height, picture.colour);
        std::string error;
        if (!Platform::writePngFile(*surface, folder.file(picture.name), error))
        {
            ADD_FAILURE() << "cannot write the test picture " << picture.name << ": " << error;
        }
    }
}

inline GUI::Windowing::CWindowAttributes blackBackground()
{
    GUI::Windowing::CWindowAttributes attributes;
    attributes.setBackgroundColour(GUI::Graphics::CColour(0, 0, 0));
    return attributes;
}

// A mouse message at a panel position, as the native window sends it.
inline void mouse(Quellor::CQuellorEditor& editor, int message, int x, int y, uintptr_t keys)
{
    editor.handleWindowEvents({message, keys, Platform::packMousePosition(x, y)});
}

// The effect as the module makes it, with the editor on the given pictures.
template <typename TEditor = Quellor::CQuellorEditor> struct SEditedEffect
{
    explicit SEditedEffect(const std::string& resources, Vst::audioMasterCallback host = &recordingHost)
        : effect(new Quellor::CQuellor(host)),
          editor(new TEditor(effect, MathTools::CRect(0, 0, 500, 158), blackBackground(),
                             Basics::CSystemString(resources.c_str())))
    {
        CAutomationLog::instance().take();
    }
    ~SEditedEffect() { delete effect; } // and with it the editor
    SEditedEffect(const SEditedEffect&) = delete;
    SEditedEffect& operator=(const SEditedEffect&) = delete;

    Quellor::CQuellor* effect;
    TEditor* editor;
};

} // namespace EditorTest
