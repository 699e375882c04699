#include "editor/EditorScale.hpp"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "framework/gui/graphics/DeviceScale.hpp"

namespace Vantor::Quellor::EditorScale
{

double choose(const SSources& sources)
{
    for (const std::optional<double>* source :
         {&sources.environment, &sources.user, &sources.host, &sources.desktop, &sources.gdk})
    {
        if (source->has_value())
        {
            return GUI::Graphics::DeviceScale::clampScale(**source);
        }
    }
    return 1.0;
}

std::optional<double> given(double scale)
{
    if (!std::isfinite(scale) || scale <= 0.0)
    {
        return std::nullopt;
    }
    return scale;
}

std::optional<double> parse(const char* text)
{
    if (text == nullptr)
    {
        return std::nullopt;
    }
    while (*text == ' ' || *text == '\t')
    {
        ++text;
    }
    char* end = nullptr;
    double value = std::strtod(text, &end);
    if (end == text)
    {
        return std::nullopt;
    }
    if (*end == '%')
    {
        value /= 100.0;
        ++end;
    }
    while (*end == ' ' || *end == '\t')
    {
        ++end;
    }
    if (*end != '\0')
    {
        return std::nullopt;
    }
    return given(value);
}

SSources fromEnvironment()
{
    SSources sources;
    sources.environment = parse(std::getenv("PRESSORA_SCALE"));
    sources.gdk = parse(std::getenv("GDK_SCALE"));
    return sources;
}

std::string menuText(int choice)
{
    if (choice < 0 || choice >= kMenuChoices)
    {
        return "";
    }
    if (choice == kAutomaticChoice)
    {
        return "Automatic";
    }
    return std::to_string(static_cast<int>(std::lround(kMenuScales[choice] * 100.0))) + "%";
}

int menuChoiceOf(const std::optional<double>& scale)
{
    if (!scale)
    {
        return kAutomaticChoice;
    }
    for (int choice = 0; choice < kAutomaticChoice; ++choice)
    {
        if (std::fabs(kMenuScales[choice] - *scale) < 1e-6)
        {
            return choice;
        }
    }
    return -1;
}

} // namespace Vantor::Quellor::EditorScale
