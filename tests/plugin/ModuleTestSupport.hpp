#pragma once
// What the module's tests share: a host that answers the version question (and
// fails capability questions on request), and a reader of the error box the
// entry point shows when it cannot load.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "framework/vst/VstAbi.hpp"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace ModuleTest
{

inline bool g_failCapabilityQuestions = false;

inline Vantor::Vst::VstIntPtr VANTOR_VSTCALL testHost(Vantor::Vst::AEffect*, Vantor::Vst::VstInt32 opcode,
                                                      Vantor::Vst::VstInt32, Vantor::Vst::VstIntPtr, void*,
                                                      float)
{
    if (opcode == Vantor::Vst::audioMasterVersion)
    {
        return 2400;
    }
    if (opcode == Vantor::Vst::audioMasterCanDo && g_failCapabilityQuestions)
    {
        throw std::runtime_error("host failure");
    }
    return 0;
}

#ifdef _WIN32
// Where the hook below writes what the boxes said; null when no one listens.
inline std::string* g_boxesShown = nullptr;

// Sees every window of this thread activate: a message box ("#32770") is read and
// its OK pressed, as a user would.
inline LRESULT CALLBACK answerErrorBox(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && g_boxesShown != nullptr)
    {
        const auto box = reinterpret_cast<HWND>(wParam);
        char className[16] = "";
        GetClassNameA(box, className, sizeof(className));
        if (std::string(className) == "#32770")
        {
            char caption[256] = "";
            char text[256] = "";
            GetWindowTextA(box, caption, sizeof(caption));
            GetDlgItemTextA(box, 0xFFFF, text, sizeof(text)); // the message
            *g_boxesShown += std::string(caption) + ": " + text + "\n";
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
#endif

// What the error box said: "caption: text", the way the Linux build writes it
// to the standard error stream. On Windows the box is a real modal message box on
// this thread; a hook on the thread answers it the moment it shows, so nothing
// waits on the clock.
inline std::string errorBoxShownBy(const std::function<void()>& action)
{
#ifdef _WIN32
    std::string shown;
    g_boxesShown = &shown;
    HHOOK hook = SetWindowsHookExA(WH_CBT, &answerErrorBox, nullptr, GetCurrentThreadId());
    EXPECT_NE(hook, nullptr);
    action();
    if (hook != nullptr)
    {
        UnhookWindowsHookEx(hook);
    }
    g_boxesShown = nullptr;
    return shown;
#else
    ::testing::internal::CaptureStderr();
    action();
    return ::testing::internal::GetCapturedStderr();
#endif
}

} // namespace ModuleTest
