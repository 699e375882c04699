#include "framework/platform/Module.hpp"

#include <gtest/gtest.h>

#include <filesystem>

using namespace Vantor::Platform;

namespace
{

std::string thisProgram()
{
    return std::filesystem::canonical("/proc/self/exe").string();
}

} // namespace

TEST(ModuleTest, CodeLinkedIntoTheProgramBelongsToTheProgram)
{
    EXPECT_EQ(getModuleFileName(nullptr), thisProgram());
    ASSERT_NE(getCurrentModule(), nullptr);
    EXPECT_EQ(getModuleFileName(getCurrentModule()), thisProgram());
}

TEST(ModuleTest, CodeInALoadedLibraryNamesTheLibraryNotTheProgram)
{
    // Opened through a relative-looking path on purpose: the answer must
    // still be the absolute, resolved file name.
    const std::filesystem::path probe = VANTOR_MODULE_PROBE;
    const std::string indirect = (probe.parent_path() / "." / probe.filename()).string();
    LibraryHandle library = loadLibrary(indirect);
    ASSERT_NE(library, nullptr);
    using Probe = void (*)(char*, unsigned long);
    auto function = reinterpret_cast<Probe>(getLibrarySymbol(library, "probeModuleFileName"));
    ASSERT_NE(function, nullptr);
    char name[4096];
    function(name, sizeof(name));
    EXPECT_EQ(std::string(name), std::filesystem::canonical(probe).string());
    freeLibrary(library);
}

TEST(ModuleTest, LoadingFailuresAnswerNull)
{
    EXPECT_EQ(loadLibrary("/nonexistent/folder/libnothing.so"), nullptr);
    EXPECT_EQ(getLibrarySymbol(nullptr, "anything"), nullptr);
    freeLibrary(nullptr); // must be harmless

    LibraryHandle library = loadLibrary(VANTOR_MODULE_PROBE);
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(getLibrarySymbol(library, "noSuchFunction"), nullptr);
    freeLibrary(library);
}

TEST(ModuleTest, AnAddressOutsideEveryModuleHasNoName)
{
    int onTheStack = 0;
    EXPECT_EQ(getModuleFileName(&onTheStack), "");
}
