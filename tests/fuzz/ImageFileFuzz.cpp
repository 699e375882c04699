// Image files through the framework's image classes. One source, built once per
// kind: VANTOR_FUZZ_IMAGE names the class and VANTOR_FUZZ_EXTENSION the file's
// extension (".tga", ".png", ".jpg").
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/gui/graphics/JPEGImage.hpp"
#include "framework/gui/graphics/PNGImage.hpp"
#include "framework/gui/graphics/TGAImage.hpp"
#include "tests/fuzz/FuzzSupport.hpp"

using namespace Vantor::GUI::Graphics;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = Vantor::Fuzzing::writeScratchFile(data, size, VANTOR_FUZZ_EXTENSION);
    VANTOR_FUZZ_IMAGE image;
    const bool loaded = image.loadFromFile(path.c_str());
    // A load either gives pixels of the size it reports or a reason and nothing.
    if (loaded != image.hasImageLoaded() || (loaded && image.getImageHandle() == nullptr) ||
        (loaded && (image.getImageSize().getWidth() <= 0 || image.getImageSize().getHeight() <= 0)) ||
        (!loaded && image.getLastError().getNumberOfCharacters() <= 1))
    {
        std::abort();
    }
    return 0;
}
