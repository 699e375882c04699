#include "tools/artwork/Generator.hpp"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <iostream>

int main(int argc, char** argv)
{
    const int status =
        Vantor::Artwork::run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    // The generator owns its process: hand back cairo's and fontconfig's caches, so that
    // leak checks of sanitizer builds see only what the drawing itself leaves behind.
    cairo_debug_reset_static_data();
    FcFini();
    return status;
}
