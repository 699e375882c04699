#pragma once

#include "tools/vsthost/VstPlugin.hpp"

#include <string>

namespace Vantor::Pressora
{

// A parameter's value as the plug-in shows it, with its unit: "-20.00 dB",
// "4.00:1" (a unit that starts with a colon follows the number directly).
inline std::string parameterValueText(VstHost::CVstPlugin& plugin, int index)
{
    const auto trimmed = [](std::string text)
    {
        text.erase(0, text.find_first_not_of(' '));
        text.erase(text.find_last_not_of(' ') + 1);
        return text;
    };
    std::string value = trimmed(plugin.parameterDisplay(index));
    const std::string unit = trimmed(plugin.parameterLabel(index));
    if (unit.empty())
    {
        return value;
    }
    return value.append(unit.front() == ':' ? "" : " ").append(unit);
}

} // namespace Vantor::Pressora
