// The XML reader on any file; what it accepts is written and read back.
#include <cstdint>
#include <string>

#include "framework/io/XMLDocument.hpp"
#include "tests/fuzz/FuzzSupport.hpp"

using Vantor::Basics::CSystemString;
using Vantor::IO::CXMLDocument;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = Vantor::Fuzzing::writeScratchFile(data, size, ".xml");
    CXMLDocument document;
    if (document.readFile(CSystemString(path.c_str())) && document.getRootNode() != nullptr)
    {
        const std::string copy = path + ".copy.xml";
        if (document.writeFile(CSystemString(copy.c_str())))
        {
            CXMLDocument again;
            again.readFile(CSystemString(copy.c_str()));
        }
    }
    return 0;
}
