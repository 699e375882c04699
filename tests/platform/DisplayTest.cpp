#include "framework/platform/Display.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

#ifndef _WIN32
#include <dlfcn.h>
#endif

using namespace Vantor::Platform;

// Twenty rounds in one process: each used to open a connection of its own and load and
// unload the X libraries, and answers failed at random (a server that resets when its
// last client leaves refused the next one).
TEST(DisplayTest, AnswersAgreeWithEachOtherRoundAfterRound)
{
    long firstMonitors = -1;
    long firstWidth = -1;
    long firstHeight = -1;
    for (int round = 0; round < 20; ++round)
    {
        SCOPED_TRACE(round);
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
        if (round == 0)
        {
            firstMonitors = monitors;
            firstWidth = width;
            firstHeight = height;
        }
        EXPECT_EQ(monitors, firstMonitors);
        EXPECT_EQ(width, firstWidth);
        EXPECT_EQ(height, firstHeight);
    }
#ifndef _WIN32
    // With a display the X libraries stay loaded for the next question.
    if (firstWidth > 0)
    {
        void* x11 = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
        EXPECT_NE(x11, nullptr);
        if (x11 != nullptr)
        {
            dlclose(x11);
        }
    }
#endif
}
