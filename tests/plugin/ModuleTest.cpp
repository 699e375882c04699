#include "plugin/Module.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

#include "ProductVersion.hpp"
#include "framework/host/ApplicationInformation.hpp"
#include "framework/platform/Module.hpp"
#include "plugin/Quellor.hpp"
#include "tests/plugin/ModuleTestSupport.hpp"

using namespace Vantor;
using namespace ModuleTest;

namespace
{

struct ModuleFixture : ::testing::Test
{
    ~ModuleFixture() override
    {
        g_failCapabilityQuestions = false;
        Quellor::setEditorFactory(nullptr);
    }
};

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
