#include "framework/host/ApplicationInformation.hpp"

#include "framework/platform/Module.hpp"
#include "tests/AskLibrary.hpp"
#include "tests/NativePaths.hpp"

#include <gtest/gtest.h>

#include <filesystem>

using Vantor::Basics::CSystemString;
using Vantor::Host::CApplicationInformation;
namespace Platform = Vantor::Platform;

namespace
{

std::string askProbe(const char* function)
{
    return Vantor::Testing::askLibrary(Vantor::Testing::nativePath(VANTOR_LIBRARY_PROBE), function);
}

} // namespace

TEST(ApplicationInformationTest, ApplicationPathIsTheFolderOfTheLoadedLibrary)
{
    const std::filesystem::path library = Vantor::Testing::nativePath(VANTOR_LIBRARY_PROBE);
    EXPECT_EQ(askProbe("probeApplicationPath"), library.parent_path().string());
}

TEST(ApplicationInformationTest, ApplicationPathOfTheProgramItself)
{
    CApplicationInformation::setApplicationPath(Platform::getCurrentModule());
    const std::filesystem::path program = Vantor::Testing::testProgram();
    EXPECT_EQ(CApplicationInformation::getApplicationPath().getString(), program.parent_path().string());
    CSystemString executable;
    CApplicationInformation::getExecutablePath(executable);
    EXPECT_EQ(executable.getString(), program.string());
}

TEST(ApplicationInformationTest, ReleasedItemsReadAsUnsetAgain)
{
    EXPECT_EQ(askProbe("probeCompanyAfterRelease"), " ");
}

TEST(ApplicationInformationTest, ProcessorFeaturesOfThisMachine)
{
    CApplicationInformation::readProcessorFeatures();
#if defined(__x86_64__)
    // Every 64-bit x86 processor has these.
    EXPECT_TRUE(CApplicationInformation::getProcessorFeatures().mmx);
    EXPECT_TRUE(CApplicationInformation::getProcessorFeatures().sse2);
#endif
}
