#pragma once
// The LV2 edition's plain plug-in for the benchmarks: a lilv world holding one
// bundle, one instance at a rate, the benchmark settings turned into port
// values in the user's units, and run() over the caller's buffers.

#include <lilv/lilv.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "bench/PluginSettings.hpp"
#include "lv2/Ports.hpp"
#include "plugin/Parameters.hpp"
#include "plugin/Program.hpp"

namespace Vantor::Bench
{

// Whether a plug-in path names an LV2 bundle (a folder ending in ".lv2").
inline bool isLv2Bundle(const std::string& path)
{
    const std::string suffix = path.back() == '/' ? ".lv2/" : ".lv2";
    return path.size() > suffix.size() &&
           path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
}

class CLv2Runner
{
public:
    CLv2Runner(const std::string& bundle, const SPluginSettings& settings, double sampleRate)
        : m_world(lilv_world_new())
    {
        LilvNode* bundleUri =
            lilv_new_file_uri(m_world, nullptr, (bundle.back() == '/' ? bundle : bundle + "/").c_str());
        lilv_world_load_bundle(m_world, bundleUri);
        lilv_node_free(bundleUri);
        LilvNode* uri = lilv_new_uri(m_world, Quellor::Lv2::kPluginUri);
        const LilvPlugin* plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(m_world), uri);
        lilv_node_free(uri);
        if (plugin == nullptr ||
            (m_instance = lilv_plugin_instantiate(plugin, sampleRate, nullptr)) == nullptr)
        {
            lilv_world_free(m_world);
            throw std::runtime_error("cannot instantiate " + std::string(Quellor::Lv2::kPluginUri) +
                                     " from " + bundle);
        }
        m_ports.resize(lilv_plugin_get_num_ports(plugin));
        lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, m_ports.data());
        apply(settings);
        for (std::uint32_t port = Quellor::Lv2::kFirstControl; port < Quellor::Lv2::kPlainPortCount; ++port)
        {
            lilv_instance_connect_port(m_instance, port, &m_ports[port]);
        }
        lilv_instance_activate(m_instance);
    }
    ~CLv2Runner()
    {
        lilv_instance_deactivate(m_instance);
        lilv_instance_free(m_instance);
        lilv_world_free(m_world);
    }
    CLv2Runner(const CLv2Runner&) = delete;
    CLv2Runner& operator=(const CLv2Runner&) = delete;

    // Threads: audio.
    void process(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                 std::uint32_t frames)
    {
        lilv_instance_connect_port(m_instance, Quellor::Lv2::kInputLeft, const_cast<float*>(inLeft));
        lilv_instance_connect_port(m_instance, Quellor::Lv2::kInputRight, const_cast<float*>(inRight));
        lilv_instance_connect_port(m_instance, Quellor::Lv2::kOutputLeft, outLeft);
        lilv_instance_connect_port(m_instance, Quellor::Lv2::kOutputRight, outRight);
        lilv_instance_run(m_instance, frames);
    }

private:
    // A program or a host value becomes the port value in the user's unit.
    void setHostValue(int index, float hostValue)
    {
        m_ports[Quellor::Lv2::controlPort(index)] = static_cast<float>(
            Quellor::Parameters::userValue(Quellor::Parameters::parameter(index), hostValue));
    }
    void apply(const SPluginSettings& settings)
    {
        if (settings.program >= 0 && settings.program < Quellor::kNumFactoryPrograms)
        {
            for (int index = 0; index < Quellor::Parameters::kCount; ++index)
            {
                setHostValue(
                    index,
                    Quellor::kFactoryPrograms[settings.program].values[static_cast<std::size_t>(index)]);
            }
        }
        if (settings.standard)
        {
            for (const Quellor::Parameters::SUserValue& setting : Quellor::Parameters::kStandardSetting)
            {
                m_ports[Quellor::Lv2::controlPort(setting.index)] = static_cast<float>(setting.user);
            }
        }
        for (const auto& [name, value] : settings.values)
        {
            const int index = Quellor::Parameters::indexOfName(name.c_str());
            if (index < 0)
            {
                throw std::runtime_error("no parameter named '" + name + "'");
            }
            setHostValue(index, value);
        }
    }

    LilvWorld* m_world;
    LilvInstance* m_instance = nullptr;
    std::vector<float> m_ports;
};

} // namespace Vantor::Bench
