#include "framework/platform/Display.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace Vantor::Platform;

TEST(DisplayTest, AnswersAgreeWithEachOther)
{
    const long monitors = getNumberOfMonitors();
    const long width = getScreenWidth();
    const long height = getScreenHeight();
#ifdef _WIN32
    EXPECT_GE(monitors, 1); // a Windows session always has a desktop
#else
    if (std::getenv("DISPLAY") == nullptr)
    {
        EXPECT_EQ(monitors, 0);
    }
#endif
    // Either there is a screen with a size, or nothing at all.
    EXPECT_EQ(monitors == 0, width == 0);
    EXPECT_EQ(width == 0, height == 0);
    EXPECT_GE(monitors, 0);
}
