#include "framework/platform/x11/UriList.hpp"

#include <sstream>

namespace Vantor::Platform::UriList
{

namespace
{

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
    {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f')
    {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F')
    {
        return c - 'A' + 10;
    }
    return -1;
}

std::string percentDecoded(const std::string& text)
{
    std::string result;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == '%' && i + 2 < text.size())
        {
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high >= 0 && low >= 0)
            {
                result.push_back(static_cast<char>(high * 16 + low));
                i += 2;
                continue;
            }
        }
        result.push_back(text[i]);
    }
    return result;
}

} // namespace

std::vector<std::string> parseFilePaths(const std::string& list)
{
    std::vector<std::string> paths;
    std::istringstream lines(list);
    std::string line;
    const std::string scheme = "file:";
    while (std::getline(lines, line))
    {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\0' || line.back() == ' '))
        {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#' || line.compare(0, scheme.size(), scheme) != 0)
        {
            continue;
        }
        std::string rest = line.substr(scheme.size());
        if (rest.compare(0, 2, "//") == 0)
        {
            // "file://host/path": the path starts at the first slash after the host.
            const size_t slash = rest.find('/', 2);
            if (slash == std::string::npos)
            {
                continue;
            }
            rest = rest.substr(slash);
        }
        if (!rest.empty() && rest[0] == '/')
        {
            paths.push_back(percentDecoded(rest));
        }
    }
    return paths;
}

} // namespace Vantor::Platform::UriList
