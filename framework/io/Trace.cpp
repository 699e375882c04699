#include "framework/io/Trace.hpp"

#include "framework/io/TextStream.hpp"

namespace Vantor::IO
{

namespace
{
// Set when the trace stream has been destroyed at process exit or unload. A
// trivially destructible flag stays readable after that, so a trace from a
// later static destructor finds the trace closed instead of a destroyed stream.
bool g_streamDestroyed = false;

struct STraceStream
{
    CTextStream stream;
    STraceStream() = default;
    STraceStream(const STraceStream&) = delete;
    STraceStream& operator=(const STraceStream&) = delete;
    ~STraceStream() { g_streamDestroyed = true; }
};

// Null once the stream is gone.
CTextStream* traceStream()
{
    if (g_streamDestroyed)
    {
        return nullptr;
    }
    static STraceStream holder;
    return g_streamDestroyed ? nullptr : &holder.stream;
}
} // namespace

bool CTrace::openTraceFile(const Basics::CSystemString& path)
{
    CTextStream* stream = traceStream();
    return stream != nullptr && stream->open(path, CTextStream::kWrite);
}

void CTrace::closeTraceFile()
{
    if (CTextStream* stream = traceStream())
    {
        stream->close();
    }
}

bool CTrace::isTraceFileOpen()
{
    const CTextStream* stream = traceStream();
    return stream != nullptr && stream->isOpenForWriting();
}

void CTrace::trace(const char* message)
{
    if (isTraceFileOpen())
    {
        *traceStream() << message << "\n";
        traceStream()->flush();
    }
}

void CTrace::trace(const char* message, const Basics::CString& text)
{
    if (isTraceFileOpen())
    {
        *traceStream() << message << text << "\n";
        traceStream()->flush();
    }
}

} // namespace Vantor::IO
