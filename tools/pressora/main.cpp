#include "framework/platform/Console.hpp"
#include "tools/pressora/Pressora.hpp"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    Vantor::Pressora::CPressora pressora(std::cout, std::cerr);
    const int status = pressora.run(arguments);
    if (pressora.stopSignal() != 0)
    {
        std::cout.flush();
        Vantor::Platform::CStopRequests::endAs(pressora.stopSignal());
    }
    return status;
}
