#include "plugin/Module.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

#include "ProductVersion.hpp"
#include "editor/QuellorEditor.hpp"
#include "framework/host/ApplicationInformation.hpp"
#include "framework/platform/Module.hpp"
#include "plugin/Quellor.hpp"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

using namespace Vantor;

namespace
{

bool g_failCapabilityQuestions = false;

Vst::VstIntPtr VANTOR_VSTCALL testHost(Vst::AEffect*, Vst::VstInt32 opcode, Vst::VstInt32, Vst::VstIntPtr,
                                       void*, float)
{
    if (opcode == Vst::audioMasterVersion)
    {
        return 2400;
    }
    if (opcode == Vst::audioMasterCanDo && g_failCapabilityQuestions)
    {
        throw std::runtime_error("host failure");
    }
    return 0;
}

struct ModuleFixture : ::testing::Test
{
    ~ModuleFixture() override
    {
        g_failCapabilityQuestions = false;
        Quellor::setEditorFactory(nullptr);
    }
};

// An editor that fails after it registered with its effect, as editor and as view.
class CFailingEditor : public Quellor::CQuellorEditor
{
public:
    explicit CFailingEditor(Quellor::CQuellor& owner)
        : CQuellorEditor(&owner, MathTools::CRect(0, 0, 500, 158), GUI::Windowing::CWindowAttributes(),
                         Basics::CSystemString(PRESSORALITE_RESOURCES))
    {
        throw std::runtime_error("the editor cannot be built");
    }
};

void createFailingEditor(Quellor::CQuellor& effect)
{
    new CFailingEditor(effect);
}

#ifdef _WIN32
// Where the hook below writes what the boxes said; null when no one listens.
std::string* g_boxesShown = nullptr;

// Sees every window of this thread activate: a message box ("#32770") is read and
// its OK pressed, as a user would.
LRESULT CALLBACK answerErrorBox(int code, WPARAM wParam, LPARAM lParam)
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
std::string errorBoxShownBy(const std::function<void()>& action)
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

} // namespace

TEST_F(ModuleFixture, AttachingFillsTheApplicationInformationAndDetachingReleasesIt)
{
    Quellor::attachModule(Platform::getCurrentModule());
    // The names are read back through the built module's dispatcher in the end-to-end cases.
    EXPECT_STREQ(Host::CApplicationInformation::getVersionString().getString(), Product::kVersion);
    EXPECT_STREQ(Host::CApplicationInformation::getRegistryKeyPath().getString(),
                 "Software\\Tamsk\\PressoraLite");
    // The folder of the module holding this code: here the test program's.
    const std::filesystem::path folder = Platform::getModuleFileName(Platform::getCurrentModule());
    EXPECT_EQ(std::string(Host::CApplicationInformation::getApplicationPath().getString()),
              folder.parent_path().string());

    Quellor::detachModule();
    EXPECT_STREQ(Host::CApplicationInformation::getCompanyName().getString(), " ");
    Quellor::detachModule(); // twice is harmless
}

// A host that does not answer is refused on the built module; here the
// record for one that does, and the error line when creating fails.
TEST_F(ModuleFixture, EntryAnswersARecordOrShowsTheErrorAndAnswersNull)
{
    Vst::AEffect* record = VSTPluginMain(&testHost);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->magic, Vst::kEffectMagic);
    EXPECT_EQ(record->dispatcher(record, Vst::effClose, 0, 0, nullptr, 0.0f), 1);

    g_failCapabilityQuestions = true;
    Vst::AEffect* refused = record;
    EXPECT_EQ(errorBoxShownBy([&] { refused = VSTPluginMain(&testHost); }),
              "Exception occurred: Caught exception in main function of Pressora. Cannot continue to load\n");
    EXPECT_EQ(refused, nullptr);
}

// The failed editor is gone when the exception leaves its constructor: the effect, which
// the entry point then deletes, must not delete it a second time (run under ASan).
TEST_F(ModuleFixture, AnEditorThatFailsToBuildIsDeletedOnceWithTheEffectThatNeverReachesTheHost)
{
    Quellor::setEditorFactory(&createFailingEditor);
    Vst::AEffect* record = nullptr;
    EXPECT_EQ(errorBoxShownBy([&] { record = VSTPluginMain(&testHost); }),
              "Exception occurred: Caught exception in main function of Pressora. Cannot continue to load\n");
    EXPECT_EQ(record, nullptr);
}
