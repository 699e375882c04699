#include "tools/artwork/Generator.hpp"

#include <iostream>

int main(int argc, char** argv)
{
    return Vantor::Artwork::run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
