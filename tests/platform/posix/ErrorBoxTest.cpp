#include "framework/platform/ErrorBox.hpp"

#include <gtest/gtest.h>

// Without a desktop box the message must still reach a user reading the host's
// log: caption and text on one line of the error stream, nothing on standard output.
TEST(ErrorBoxTest, WithoutADesktopBoxTheMessageIsOneLineOnTheErrorStream)
{
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    Vantor::Platform::showErrorBox("Cannot continue to load", "Exception occurred");
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(errors, "Exception occurred: Cannot continue to load\n");
}
