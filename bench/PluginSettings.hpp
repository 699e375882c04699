#pragma once
// How frame_cost and peer_bench set up a plug-in for a measurement, from words:
//   --program=N    select program N first
//   --standard     the standard setting (Parameters::kStandardSetting), by the
//                  parameters' names, for a plug-in that has them (PressoraLite)
//   --input-db=DB  scale the programme by DB (0 by default)
//   NAME=VALUE     set the parameter NAME to the host value VALUE, last

#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "plugin/Parameters.hpp"
#include "tools/pressora/TestSignal.hpp"
#include "tools/vsthost/VstPlugin.hpp"

namespace Vantor::Bench
{

struct SPluginSettings
{
    int program = -1;
    bool standard = false;
    double inputDb = 0.0;
    std::vector<std::pair<std::string, float>> values;
};

inline SPluginSettings parsePluginSettings(const std::vector<std::string>& words)
{
    SPluginSettings settings;
    for (const std::string& word : words)
    {
        if (word.rfind("--program=", 0) == 0)
        {
            settings.program = std::stoi(word.substr(10));
        }
        else if (word == "--standard")
        {
            settings.standard = true;
        }
        else if (word.rfind("--input-db=", 0) == 0)
        {
            settings.inputDb = std::stod(word.substr(11));
        }
        else
        {
            const std::size_t equals = word.find('=');
            if (equals == std::string::npos)
            {
                throw std::runtime_error("not a setting: '" + word + "'");
            }
            settings.values.emplace_back(word.substr(0, equals), std::stof(word.substr(equals + 1)));
        }
    }
    return settings;
}

// The benchmark programme of `seconds` at 44.1 kHz, scaled by `inputDb`.
struct SProgramme
{
    std::vector<float> left;
    std::vector<float> right;
};
inline SProgramme makeProgramme(double seconds, double inputDb)
{
    const Pressora::CTestSignal signal(seconds);
    const auto gain = static_cast<float>(std::pow(10.0, inputDb / 20.0));
    SProgramme programme{signal.left(), signal.right()};
    for (std::size_t i = 0; i < programme.left.size(); ++i)
    {
        programme.left[i] *= gain;
        programme.right[i] *= gain;
    }
    return programme;
}

inline void setByName(VstHost::CVstPlugin& plugin, const std::string& name, float value)
{
    const auto index = plugin.findParameter(name);
    if (!index)
    {
        throw std::runtime_error("no parameter named '" + name + "'");
    }
    plugin.setParameter(*index, value);
}

inline void applyPluginSettings(VstHost::CVstPlugin& plugin, const SPluginSettings& settings)
{
    if (settings.program >= 0)
    {
        plugin.setProgram(settings.program);
    }
    if (settings.standard)
    {
        for (const Quellor::Parameters::SUserValue& setting : Quellor::Parameters::kStandardSetting)
        {
            const Quellor::Parameters::SParameter& parameter = Quellor::Parameters::parameter(setting.index);
            setByName(plugin, parameter.name, Quellor::Parameters::hostValueOfUser(parameter, setting.user));
        }
    }
    for (const auto& [name, value] : settings.values)
    {
        setByName(plugin, name, value);
    }
}

} // namespace Vantor::Bench
