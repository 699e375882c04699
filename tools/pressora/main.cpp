#include "tools/pressora/Pressora.hpp"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return Vantor::Pressora::CPressora(std::cout, std::cerr).run(arguments);
}
