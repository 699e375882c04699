// Terminals and stop signals on POSIX systems.
#include "framework/platform/Console.hpp"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>

namespace Vantor::Platform
{

namespace
{

// Written by the handler, read by any thread: lock-free, so safe in a handler.
std::atomic<int> g_received{0};
struct sigaction g_previousInterrupt
{
};
struct sigaction g_previousTerminate
{
};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void onStopSignal(int signal)
{
    int expected = 0;
    if (!g_received.compare_exchange_strong(expected, signal))
    {
        // A second request: the user means it. Both calls are safe in a handler.
        ::signal(signal, SIG_DFL);
        ::raise(signal);
    }
}

} // namespace

bool isTerminal(EStandardStream stream)
{
    return ::isatty(stream == EStandardStream::Output ? STDOUT_FILENO : STDERR_FILENO) == 1;
}

CStopRequests::CStopRequests()
{
    g_received = 0;
    struct sigaction action
    {
    };
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted reads and writes carry on: the program looks at received().
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, &g_previousInterrupt);
    ::sigaction(SIGTERM, &action, &g_previousTerminate);
}

CStopRequests::~CStopRequests()
{
    ::sigaction(SIGINT, &g_previousInterrupt, nullptr);
    ::sigaction(SIGTERM, &g_previousTerminate, nullptr);
}

int CStopRequests::received()
{
    return g_received.load(std::memory_order_relaxed);
}

const char* CStopRequests::name(int signal)
{
    return signal == SIGINT ? "SIGINT" : signal == SIGTERM ? "SIGTERM" : "a signal";
}

void CStopRequests::endAs(int signal)
{
    ::signal(signal, SIG_DFL);
    ::raise(signal);
    std::_Exit(128 + signal);
}

} // namespace Vantor::Platform
