#include "framework/io/Trace.hpp"

#include "framework/io/TextStream.hpp"

namespace Vantor::IO
{

namespace
{
CTextStream& traceStream()
{
    static CTextStream stream;
    return stream;
}
} // namespace

bool CTrace::openTraceFile(const Basics::CSystemString& path)
{
    return traceStream().open(path, CTextStream::kWrite);
}

void CTrace::closeTraceFile()
{
    traceStream().close();
}

bool CTrace::isTraceFileOpen()
{
    return traceStream().isOpenForWriting();
}

void CTrace::trace(const char* message)
{
    if (isTraceFileOpen())
    {
        traceStream() << message << "\n";
        traceStream().flush();
    }
}

void CTrace::trace(const char* message, const Basics::CString& text)
{
    if (isTraceFileOpen())
    {
        traceStream() << message << text << "\n";
        traceStream().flush();
    }
}

} // namespace Vantor::IO
