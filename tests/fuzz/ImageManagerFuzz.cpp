// The image manager's definition files, the older line format and the XML one:
// whatever the file says, loading ends with an answer and clearing frees all.
#include <cstdint>
#include <string>

#include "framework/gui/graphics/ImageManager.hpp"
#include "tests/fuzz/FuzzSupport.hpp"

using Vantor::GUI::Graphics::CImageManager;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = Vantor::Fuzzing::writeScratchFile(data, size, ".skin");
    CImageManager::loadFromDefinitionFile(path.c_str());
    CImageManager::clearImageManager();
    return 0;
}
