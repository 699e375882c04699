#include "framework/platform/Module.hpp"

#include "tests/NativePaths.hpp"

#include <gtest/gtest.h>

#include <filesystem>

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

TEST(ModuleTest, CodeLinkedIntoTheProgramBelongsToTheProgram)
{
    expectNamesFile(getModuleFileName(nullptr), VANTOR_TEST_PROGRAM);
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
    LibraryHandle library = loadLibrary(indirect);
    ASSERT_NE(library, nullptr);
    using Probe = void (*)(char*, unsigned long);
    auto function = reinterpret_cast<Probe>(getLibrarySymbol(library, "probeModuleFileName"));
    ASSERT_NE(function, nullptr);
    char name[4096];
    function(name, sizeof(name));
    expectNamesFile(name, probe);
    freeLibrary(library);
}

TEST(ModuleTest, LoadingFailuresAnswerNull)
{
    EXPECT_EQ(loadLibrary("/nonexistent/folder/libnothing.so"), nullptr);
    EXPECT_EQ(getLibrarySymbol(nullptr, "anything"), nullptr);
    freeLibrary(nullptr); // must be harmless

    LibraryHandle library = loadLibrary(Vantor::Testing::nativePath(VANTOR_MODULE_PROBE));
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(getLibrarySymbol(library, "noSuchFunction"), nullptr);
    freeLibrary(library);
}

TEST(ModuleTest, AnAddressOutsideEveryModuleHasNoName)
{
    int onTheStack = 0;
    EXPECT_EQ(getModuleFileName(&onTheStack), "");
}
