#include "tools/pressora/OwnPlugin.hpp"

#include "plugin/Parameters.hpp"
#include "tools/vsthost/VstPlugin.hpp"

#include <sstream>

namespace Vantor::Pressora::OwnPlugin
{

namespace Parameters = Quellor::Parameters;

namespace
{

constexpr const char* kEffectName = "PressoraLite";

const char* unitText(Parameters::EUnit unit)
{
    switch (unit)
    {
    case Parameters::EUnit::kDecibels:
        return " dB";
    case Parameters::EUnit::kRatio:
        return ":1";
    case Parameters::EUnit::kMilliseconds:
        return " ms";
    case Parameters::EUnit::kFactor:
        break;
    }
    return "";
}

} // namespace

bool isPressoraLite(VstHost::CVstPlugin& plugin)
{
    if (plugin.effectName() != kEffectName)
    {
        return false;
    }
    for (const Parameters::SParameter& parameter : Parameters::kTable)
    {
        if (plugin.findParameter(parameter.name) != std::optional<int>(parameter.index))
        {
            return false;
        }
    }
    return true;
}

void applyStandardSetting(VstHost::CVstPlugin& plugin)
{
    for (const Parameters::SUserValue& setting : Parameters::kStandardSetting)
    {
        const Parameters::SParameter& parameter = Parameters::parameter(setting.index);
        plugin.setParameter(parameter.index, Parameters::hostValueOfUser(parameter, setting.user));
    }
}

std::string standardSettingText()
{
    std::ostringstream text;
    for (const Parameters::SUserValue& setting : Parameters::kStandardSetting)
    {
        const Parameters::SParameter& parameter = Parameters::parameter(setting.index);
        text << (&setting == Parameters::kStandardSetting.data() ? "" : ", ") << parameter.name << " "
             << setting.user << unitText(parameter.unit);
    }
    return text.str();
}

std::optional<double> thresholdDb(VstHost::CVstPlugin& plugin)
{
    if (!isPressoraLite(plugin))
    {
        return std::nullopt;
    }
    const Parameters::SParameter& threshold = Parameters::parameter(Parameters::kThreshold);
    return Parameters::userValue(threshold, plugin.parameter(threshold.index));
}

} // namespace Vantor::Pressora::OwnPlugin
