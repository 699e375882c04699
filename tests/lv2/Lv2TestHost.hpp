#pragma once
// A small LV2 host on lilv for the tests: a world that holds only the built
// bundle, the plug-ins found there, instances with every port connected, the
// presets' port values, and a URI map.

#include <gtest/gtest.h>

#include <lilv/lilv.h>
#include <lv2/presets/presets.h>
#include <lv2/urid/urid.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "lv2/Ports.hpp"
#include "tests/plugin/QuellorTestSupport.hpp"

namespace Lv2Test
{

using namespace Vantor::Quellor;

inline constexpr const char* kBundle = PRESSORALITE_LV2_BUNDLE;

// Numbers for URIs, as a host's urid:map gives them.
class CUriMap
{
public:
    CUriMap() : m_feature{LV2_URID__map, &m_map} {}
    CUriMap(const CUriMap&) = delete;
    CUriMap& operator=(const CUriMap&) = delete;
    LV2_URID map(const char* uri)
    {
        for (std::size_t i = 0; i < m_uris.size(); ++i)
        {
            if (m_uris[i] == uri)
            {
                return static_cast<LV2_URID>(i + 1);
            }
        }
        m_uris.emplace_back(uri);
        return static_cast<LV2_URID>(m_uris.size());
    }
    const char* unmap(LV2_URID id) const
    {
        return id >= 1 && id <= m_uris.size() ? m_uris[id - 1].c_str() : nullptr;
    }
    LV2_URID_Map* mapFeatureData() { return &m_map; }
    const LV2_Feature* feature() const { return &m_feature; }

private:
    static LV2_URID mapThunk(LV2_URID_Map_Handle handle, const char* uri)
    {
        return static_cast<CUriMap*>(handle)->map(uri);
    }
    std::vector<std::string> m_uris;
    LV2_URID_Map m_map{this, mapThunk};
    LV2_Feature m_feature;
};

// The built bundle as lilv sees it.
class CWorld
{
public:
    CWorld() : m_world(lilv_world_new())
    {
        LilvNode* bundle = lilv_new_file_uri(m_world, nullptr, (std::string(kBundle) + "/").c_str());
        lilv_world_load_bundle(m_world, bundle);
        lilv_node_free(bundle);
    }
    ~CWorld()
    {
        for (LilvNode* node : m_nodes)
        {
            lilv_node_free(node);
        }
        lilv_world_free(m_world);
    }
    CWorld(const CWorld&) = delete;
    CWorld& operator=(const CWorld&) = delete;

    LilvWorld* world() const { return m_world; }
    // A node that lives as long as the world.
    const LilvNode* uri(const char* text)
    {
        m_nodes.push_back(lilv_new_uri(m_world, text));
        return m_nodes.back();
    }
    const LilvPlugin* plugin(const char* pluginUri)
    {
        return lilv_plugins_get_by_uri(lilv_world_get_all_plugins(m_world), uri(pluginUri));
    }

    // The presets of a plug-in: label -> port symbol -> value, as a host reads them.
    std::map<std::string, std::map<std::string, float>> presets(const char* pluginUri)
    {
        std::map<std::string, std::map<std::string, float>> result;
        LilvNodes* presets = lilv_plugin_get_related(plugin(pluginUri), uri(LV2_PRESETS__Preset));
        LILV_FOREACH(nodes, i, presets)
        {
            const LilvNode* preset = lilv_nodes_get(presets, i);
            lilv_world_load_resource(m_world, preset);
            LilvState* state = lilv_state_new_from_world(m_world, m_map.mapFeatureData(), preset);
            if (state == nullptr)
            {
                ADD_FAILURE() << "no state for " << lilv_node_as_uri(preset);
                continue;
            }
            SCollect collect{this, {}};
            lilv_state_emit_port_values(state, &SCollect::take, &collect);
            result[lilv_state_get_label(state)] = collect.values;
            lilv_state_free(state);
        }
        lilv_nodes_free(presets);
        return result;
    }

    CUriMap& uriMap() { return m_map; }

private:
    struct SCollect
    {
        CWorld* world;
        std::map<std::string, float> values;
        static void take(const char* symbol, void* data, const void* value, uint32_t size, uint32_t type)
        {
            auto* self = static_cast<SCollect*>(data);
            const char* typeUri = self->world->m_map.unmap(type);
            if (typeUri != nullptr && std::strcmp(typeUri, "http://lv2plug.in/ns/ext/atom#Float") == 0 &&
                size == sizeof(float))
            {
                self->values[symbol] = *static_cast<const float*>(value);
            }
            else
            {
                ADD_FAILURE() << "port " << symbol << " has a value of type " << (typeUri ? typeUri : "?");
            }
        }
    };

    LilvWorld* m_world;
    std::vector<LilvNode*> m_nodes;
    CUriMap m_map;
};

// One instance, every port connected: controls to its own values (the
// description's defaults at first), audio to the buffers of each run.
class CInstance
{
public:
    CInstance(CWorld& world, const char* pluginUri, double sampleRate) : m_plugin(world.plugin(pluginUri))
    {
        if (m_plugin == nullptr)
        {
            ADD_FAILURE() << "no plug-in " << pluginUri;
            return;
        }
        m_ports = lilv_plugin_get_num_ports(m_plugin);
        m_values.assign(m_ports, 0.0f);
        std::vector<float> defaults(m_ports);
        lilv_plugin_get_port_ranges_float(m_plugin, nullptr, nullptr, defaults.data());
        for (uint32_t port = 0; port < m_ports; ++port)
        {
            m_values[port] = defaults[port];
        }
        m_instance = lilv_plugin_instantiate(m_plugin, sampleRate, nullptr);
        if (m_instance == nullptr)
        {
            ADD_FAILURE() << "no instance of " << pluginUri << " at " << sampleRate;
            return;
        }
        for (uint32_t port = 0; port < m_ports; ++port)
        {
            if (isControl(port))
            {
                lilv_instance_connect_port(m_instance, port, &m_values[port]);
            }
        }
        lilv_instance_activate(m_instance);
    }
    ~CInstance()
    {
        if (m_instance != nullptr)
        {
            lilv_instance_deactivate(m_instance);
            lilv_instance_free(m_instance);
        }
    }
    CInstance(const CInstance&) = delete;
    CInstance& operator=(const CInstance&) = delete;

    bool valid() const { return m_instance != nullptr; }
    static bool isControl(uint32_t port) { return port >= Lv2::kFirstControl && port < Lv2::kPlainPortCount; }

    float& control(uint32_t port) { return m_values[port]; }
    void setParameter(int index, float userValue) { m_values[Lv2::controlPort(index)] = userValue; }
    void setEnabled(bool enabled) { m_values[Lv2::kEnabled] = enabled ? 1.0f : 0.0f; }

    // One run over the given buffers (outputs may be the inputs); side chain
    // where the plug-in has one.
    void run(const float* inLeft, const float* inRight, float* outLeft, float* outRight, uint32_t frames,
             const float* sideLeft = nullptr, const float* sideRight = nullptr)
    {
        lilv_instance_connect_port(m_instance, Lv2::kInputLeft, const_cast<float*>(inLeft));
        lilv_instance_connect_port(m_instance, Lv2::kInputRight, const_cast<float*>(inRight));
        lilv_instance_connect_port(m_instance, Lv2::kOutputLeft, outLeft);
        lilv_instance_connect_port(m_instance, Lv2::kOutputRight, outRight);
        if (m_ports > Lv2::kPlainPortCount)
        {
            lilv_instance_connect_port(m_instance, Lv2::kSideChainLeft, const_cast<float*>(sideLeft));
            lilv_instance_connect_port(m_instance, Lv2::kSideChainRight, const_cast<float*>(sideRight));
        }
        lilv_instance_run(m_instance, frames);
    }

    // A whole signal in calls of the given sizes, repeated until it is used up, with
    // the side chain where one is given; `beforeCall` sees the frames done so far.
    QuellorTest::SStereo render(const QuellorTest::SStereo& input, const std::vector<uint32_t>& callSizes,
                                const QuellorTest::SStereo* side = nullptr,
                                const std::function<void(std::size_t)>& beforeCall = {})
    {
        QuellorTest::SStereo output{std::vector<float>(input.size()), std::vector<float>(input.size())};
        std::size_t done = 0;
        for (std::size_t call = 0; done < input.size(); ++call)
        {
            const auto frames = static_cast<uint32_t>(
                std::min<std::size_t>(callSizes[call % callSizes.size()], input.size() - done));
            if (beforeCall)
            {
                beforeCall(done);
            }
            run(input.left.data() + done, input.right.data() + done, output.left.data() + done,
                output.right.data() + done, frames, side != nullptr ? side->left.data() + done : nullptr,
                side != nullptr ? side->right.data() + done : nullptr);
            done += frames;
        }
        return output;
    }

    const LilvPlugin* plugin() const { return m_plugin; }
    LilvInstance* instance() const { return m_instance; }

private:
    const LilvPlugin* m_plugin = nullptr;
    LilvInstance* m_instance = nullptr;
    uint32_t m_ports = 0;
    std::vector<float> m_values;
};

} // namespace Lv2Test
