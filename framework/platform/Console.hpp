#pragma once
// What a console program needs of its terminal: whether its output is watched
// by a person, and the requests to stop that reach it from outside (Ctrl-C,
// a termination signal), so that it can clean up before it goes.

namespace Vantor::Platform
{

enum class EStandardStream
{
    Output,
    Error
};

// Whether the stream goes to a terminal (not to a file or a pipe).
bool isTerminal(EStandardStream stream);

// Catches the requests to stop while it lives: SIGINT and SIGTERM on POSIX
// systems, Ctrl-C and Ctrl-Break on Windows (reported as SIGINT and SIGTERM).
// The first request is only noted, for the program to see through received();
// a second one ends the program at once, as if nothing caught them. One
// object at a time; its end restores what was there before.
class CStopRequests
{
public:
    static constexpr int kInterrupt = 2;  // SIGINT
    static constexpr int kTerminate = 15; // SIGTERM

    CStopRequests();
    ~CStopRequests();
    CStopRequests(const CStopRequests&) = delete;
    CStopRequests& operator=(const CStopRequests&) = delete;

    // 0 while no request came; else its signal number. Any thread may ask.
    static int received();
    // "SIGINT", "SIGTERM".
    static const char* name(int signal);
    // Ends the process as the signal would have if nothing had caught it (on
    // Windows: exit status 128 + signal). Call after cleaning up.
    [[noreturn]] static void endAs(int signal);
};

} // namespace Vantor::Platform
