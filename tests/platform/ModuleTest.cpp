#include "framework/platform/Module.hpp"

#include "tests/AskLibrary.hpp"
#include "tests/NativePaths.hpp"
#include "tests/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace Vantor::Platform;

namespace
{

// A module's file name is absolute, in the system's own spelling: resolved
// on POSIX systems, with drive and "\\" separators on Windows.
void expectNamesFile(const std::string& name, const std::filesystem::path& file)
{
    EXPECT_EQ(name, Vantor::Testing::nativePath(file));
#ifdef _WIN32
    EXPECT_TRUE(name.size() > 3 && name[1] == ':' && name[2] == '\\') << name;
#endif
}

} // namespace

// The program's own name (a null module) is tested through the host's
// application information and file utilities.
TEST(ModuleTest, CodeLinkedIntoTheProgramBelongsToTheProgram)
{
    ASSERT_NE(getCurrentModule(), nullptr);
    expectNamesFile(getModuleFileName(getCurrentModule()), VANTOR_TEST_PROGRAM);
}

TEST(ModuleTest, CodeInALoadedLibraryNamesTheLibraryNotTheProgram)
{
    // Opened through a relative-looking path on purpose: the answer must
    // still be the absolute, resolved file name.
    const std::filesystem::path probe = VANTOR_MODULE_PROBE;
    const std::string indirect =
        std::filesystem::path(probe.parent_path() / "." / probe.filename()).make_preferred().string();
    expectNamesFile(Vantor::Testing::askLibrary(indirect, "probeModuleFileName"), probe);
}

// A library that cannot be loaded answers null; a caller that asks gets the
// system's reason, which a host shows its user.
TEST(ModuleTest, ALibraryThatCannotLoadAnswersNullAndTheSystemsReason)
{
    const Vantor::Testing::CScratchFolder folder("module");
    const std::filesystem::path textFile = folder / "not_a_library.so";
    std::ofstream(textFile) << "not a shared object\n";
    for (const std::filesystem::path& path : {folder / "missing.so", textFile})
    {
        std::string reason;
        EXPECT_EQ(loadLibrary(path.string(), &reason), nullptr) << path;
        EXPECT_NE(reason, "") << path;
        EXPECT_EQ(loadLibrary(path.string()), nullptr) << path;
    }
}

// A host looks for an entry point in the plug-in itself: a symbol of one of
// its dependencies (the C runtime's malloc) must not pass for the library's own.
TEST(ModuleTest, OnlyALibrarysOwnSymbolsAreFound)
{
    LibraryHandle probe = loadLibrary(VANTOR_MODULE_PROBE);
    ASSERT_NE(probe, nullptr);
    EXPECT_NE(getLibrarySymbol(probe, "probeModuleFileName"), nullptr);
    for (const char* name : {"malloc", "noSuchSymbol", ""})
    {
        EXPECT_EQ(getLibrarySymbol(probe, name), nullptr) << name;
    }
    freeLibrary(probe);
    EXPECT_EQ(getLibrarySymbol(nullptr, "probeModuleFileName"), nullptr);
}

// The load hook runs once, before anything else of the library is called, with
// the library's own module (not the program's); the unload hook runs once
// when the last handle is released, and knows that the process goes on.
TEST(ModuleTest, TheLibraryHooksRunOnceAtLoadAndOnceAtUnload)
{
    const std::filesystem::path probe = VANTOR_MODULE_PROBE;
    EXPECT_EQ(Vantor::Testing::askLibrary(probe.string(), "probeLoadHook"),
              "1 " + Vantor::Testing::nativePath(probe));

    int unloads = 0;
    LibraryHandle library = loadLibrary(probe.string());
    ASSERT_NE(library, nullptr);
    auto countUnloadsIn = reinterpret_cast<void (*)(int*)>(getLibrarySymbol(library, "probeCountUnloadsIn"));
    ASSERT_NE(countUnloadsIn, nullptr);
    countUnloadsIn(&unloads);
    EXPECT_EQ(unloads, 0);
    freeLibrary(library);
    EXPECT_EQ(unloads, 1);
}

TEST(ModuleTest, AnAddressOutsideEveryModuleHasNoName)
{
    int onTheStack = 0;
    EXPECT_EQ(getModuleFileName(&onTheStack), "");
}
