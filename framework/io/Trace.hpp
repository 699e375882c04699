#pragma once
// The process-wide trace: diagnostic messages written to a text file, one per
// line, only while a trace file is open. Nothing opens it by default, so the
// messages cost nothing and go nowhere.
#include "framework/basics/String.hpp"
#include "framework/basics/SystemString.hpp"

namespace Vantor::IO
{

class CTrace
{
public:
    // Opens (truncating) the trace file; answers whether it is open.
    static bool openTraceFile(const Basics::CSystemString& path);
    static void closeTraceFile();
    static bool isTraceFileOpen();

    // Writes the message followed by a line end when the trace file is open.
    static void trace(const char* message);
    // Writes the message and the text directly after it, then a line end.
    static void trace(const char* message, const Basics::CString& text);
};

} // namespace Vantor::IO
