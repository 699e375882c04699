#include "framework/platform/Module.hpp"

#include "tests/AskLibrary.hpp"
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

// The library loader never asks for a file that is not there; the other
// failures (a file that is no library, a missing symbol, a null handle) are
// tested through it.
TEST(ModuleTest, AMissingLibraryAnswersNull)
{
    EXPECT_EQ(loadLibrary("/nonexistent/folder/libnothing.so"), nullptr);
}

TEST(ModuleTest, AnAddressOutsideEveryModuleHasNoName)
{
    int onTheStack = 0;
    EXPECT_EQ(getModuleFileName(&onTheStack), "");
}
