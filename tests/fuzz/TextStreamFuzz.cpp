// The text stream's typed reads, in turn, over any file.
#include <cstdint>
#include <string>

#include "framework/basics/SystemString.hpp"
#include "framework/io/TextStream.hpp"
#include "tests/fuzz/FuzzSupport.hpp"

using Vantor::Basics::CString;
using Vantor::Basics::CSystemString;
using Vantor::IO::CTextStream;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = Vantor::Fuzzing::writeScratchFile(data, size, ".txt");
    CTextStream stream(CSystemString(path.c_str()), CTextStream::kRead);
    char line[CTextStream::kLineBufferSize];
    CString text;
    CSystemString pathText;
    long longValue = 0;
    int intValue = 0;
    double doubleValue = 0.0;
    float floatValue = 0.0f;
    bool boolValue = false;
    for (int read = 0; read < 100000 && !stream.isEndOfFile(); ++read)
    {
        switch (read % 8)
        {
        case 0:
            stream >> line;
            break;
        case 1:
            stream >> text;
            break;
        case 2:
            stream >> pathText;
            break;
        case 3:
            stream >> longValue;
            break;
        case 4:
            stream >> intValue;
            break;
        case 5:
            stream >> doubleValue;
            break;
        case 6:
            stream >> floatValue;
            break;
        default:
            stream >> boolValue;
            break;
        }
    }
    return 0;
}
