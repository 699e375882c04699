#include "framework/platform/Console.hpp"

#include <gtest/gtest.h>

#include <signal.h>

using Vantor::Platform::CStopRequests;

// The first SIGINT or SIGTERM is only noted, for the program to stop in good
// order; once the object is gone, the signals do what they did before.
TEST(StopRequestsTest, TheFirstRequestIsNotedAndTheOldHandlingComesBack)
{
    for (const int signal : {SIGINT, SIGTERM})
    {
        struct sigaction before
        {
        };
        ::sigaction(signal, nullptr, &before);
        {
            const CStopRequests requests;
            EXPECT_EQ(CStopRequests::received(), 0);
            ::raise(signal);
            EXPECT_EQ(CStopRequests::received(), signal);
        }
        struct sigaction after
        {
        };
        ::sigaction(signal, nullptr, &after);
        EXPECT_EQ(after.sa_handler, before.sa_handler);
    }
}

// A second request means it: the program ends as the signal ends it.
TEST(StopRequestsDeathTest, ASecondRequestEndsTheProgramAtOnce)
{
    EXPECT_EXIT(
        {
            const CStopRequests requests;
            ::raise(SIGINT);
            ::raise(SIGINT);
            std::_Exit(0);
        },
        ::testing::KilledBySignal(SIGINT), "");
    EXPECT_EXIT(
        {
            const CStopRequests requests;
            ::raise(SIGTERM);
            CStopRequests::endAs(CStopRequests::received());
        },
        ::testing::KilledBySignal(SIGTERM), "");
}
