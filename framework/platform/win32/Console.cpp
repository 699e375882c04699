// Consoles and Ctrl-C on Windows (KERNEL32).
#include "framework/platform/Console.hpp"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <atomic>
#include <cstdlib>

namespace Vantor::Platform
{

namespace
{

std::atomic<int> g_received{0};

// Runs on a thread of its own that the system starts for each event.
BOOL WINAPI onConsoleEvent(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
    {
        return FALSE;
    }
    int expected = 0;
    const int signal = event == CTRL_C_EVENT ? CStopRequests::kInterrupt : CStopRequests::kTerminate;
    if (!g_received.compare_exchange_strong(expected, signal))
    {
        ::ExitProcess(128 + static_cast<UINT>(signal));
    }
    return TRUE;
}

} // namespace

bool isTerminal(EStandardStream stream)
{
    const HANDLE handle =
        ::GetStdHandle(stream == EStandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && handle != nullptr && ::GetFileType(handle) == FILE_TYPE_CHAR &&
           ::GetConsoleMode(handle, &mode) != 0;
}

CStopRequests::CStopRequests()
{
    g_received = 0;
    ::SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

CStopRequests::~CStopRequests()
{
    ::SetConsoleCtrlHandler(onConsoleEvent, FALSE);
}

int CStopRequests::received()
{
    return g_received.load(std::memory_order_relaxed);
}

const char* CStopRequests::name(int signal)
{
    return signal == kInterrupt ? "Ctrl-C" : signal == kTerminate ? "Ctrl-Break" : "a stop request";
}

void CStopRequests::endAs(int signal)
{
    std::_Exit(128 + signal);
}

} // namespace Vantor::Platform
