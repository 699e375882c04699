// Writes the LV2 bundle's description at build time, from the parameter table
// and the factory programs, so that names, ranges, defaults, units and presets
// cannot drift from what the VST edition answers:
//   lv2_bundle_generator OUTPUT_FOLDER MINOR_VERSION MICRO_VERSION
// makes manifest.ttl, PressoraLite.ttl (both plug-ins and their editors) and
// presets.ttl (the 13 programs for each plug-in).
//
// A port value is text that hosts read as a single-precision number and the
// plug-in turns into a host value (Parameters::hostValueOfUser). For every
// default and every preset value the generator writes the shortest text whose
// number gives back exactly the program's host value, and fails (exit 1) if
// there is none: a preset then renders bit for bit as its VST program.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "lv2/Ports.hpp"
#include "plugin/Program.hpp"

namespace
{
using namespace Vantor::Quellor;
using Parameters::SParameter;

// How a host reads a number of the description: as a double, kept as a float.
float hostReading(const std::string& text)
{
    return static_cast<float>(std::strtod(text.c_str(), nullptr));
}

// A Turtle decimal: fixed notation with the given number of decimals and always
// a point (an exponent would make it a double, a bare integer an integer).
std::string numberText(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string result = text;
    if (result.find('.') == std::string::npos)
    {
        result += ".0";
    }
    return result;
}

// The shortest decimal that reads back as exactly `value`.
std::string shortestText(float value)
{
    constexpr int kMostDecimals = 16;
    for (int decimals = 0; decimals < kMostDecimals; ++decimals)
    {
        std::string text = numberText(value, decimals);
        if (hostReading(text) == value && std::strtof(text.c_str(), nullptr) == value)
        {
            return text;
        }
    }
    return numberText(value, kMostDecimals);
}

// The port value that gives back exactly `hostValue`: the float nearest the
// user value first, then its neighbours, nearest first.
std::optional<std::string> portValueOf(const SParameter& parameter, float hostValue)
{
    const auto centre = static_cast<float>(Parameters::userValue(parameter, hostValue));
    float below = centre;
    float above = centre;
    constexpr int kSearchedNeighbours = 256;
    for (int step = 0; step <= kSearchedNeighbours; ++step)
    {
        for (float candidate : {above, below})
        {
            const std::string text = shortestText(candidate);
            if (Parameters::hostValueOfUser(parameter, hostReading(text)) == hostValue)
            {
                return text;
            }
        }
        below = std::nextafter(below, -INFINITY);
        above = std::nextafter(above, INFINITY);
    }
    return std::nullopt;
}

bool g_failed = false;

std::string requiredPortValue(const SParameter& parameter, float hostValue, const char* what)
{
    const std::optional<std::string> text = portValueOf(parameter, hostValue);
    if (!text)
    {
        std::fprintf(stderr,
                     "lv2_bundle_generator: no port value of %s gives back the host value %.9g of %s\n",
                     parameter.name, static_cast<double>(hostValue), what);
        g_failed = true;
        return "0.0";
    }
    return *text;
}

const char* const kPrefixes = "@prefix atom:  <http://lv2plug.in/ns/ext/atom#> .\n"
                              "@prefix doap:  <http://usefulinc.com/ns/doap#> .\n"
                              "@prefix foaf:  <http://xmlns.com/foaf/0.1/> .\n"
                              "@prefix lv2:   <http://lv2plug.in/ns/lv2core#> .\n"
                              "@prefix opts:  <http://lv2plug.in/ns/ext/options#> .\n"
                              "@prefix pprops: <http://lv2plug.in/ns/ext/port-props#> .\n"
                              "@prefix pset:  <http://lv2plug.in/ns/ext/presets#> .\n"
                              "@prefix rdfs:  <http://www.w3.org/2000/01/rdf-schema#> .\n"
                              "@prefix ui:    <http://lv2plug.in/ns/extensions/ui#> .\n"
                              "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
                              "@prefix urid:  <http://lv2plug.in/ns/ext/urid#> .\n\n";

// Both plug-ins belong to one product.
constexpr const char* kProjectUri = "urn:corvella:pressoralite#project";

struct SPlugin
{
    const char* uri;
    const char* uiUri;
    const char* name;
    bool sideChain;
};
constexpr SPlugin kPlugins[] = {
    {Lv2::kPluginUri, Lv2::kUiUri, Lv2::kPluginName, false},
    {Lv2::kSideChainPluginUri, Lv2::kSideChainUiUri, Lv2::kSideChainPluginName, true},
};

std::string presetUri(const SPlugin& plugin, int program)
{
    char text[16];
    std::snprintf(text, sizeof text, ":preset:%02d", program);
    return std::string(plugin.uri) + text;
}

std::string quoted(const char* text)
{
    std::string result = "\"";
    for (const char* c = text; *c != '\0'; ++c)
    {
        if (*c == '"' || *c == '\\')
        {
            result += '\\';
        }
        result += *c;
    }
    return result + "\"";
}

void writeManifest(std::ostream& out)
{
    out << kPrefixes;
    for (const SPlugin& plugin : kPlugins)
    {
        out << "<" << plugin.uri << ">\n    a lv2:Plugin ;\n    lv2:binary <" << Lv2::kDspBinary
            << "> ;\n    rdfs:seeAlso <" << Lv2::kDescriptionFile << "> .\n\n";
        out << "<" << plugin.uiUri << ">\n    a ui:X11UI ;\n    ui:binary <" << Lv2::kUiBinary
            << "> ;\n    rdfs:seeAlso <" << Lv2::kDescriptionFile << "> .\n\n";
        for (int program = 0; program < kNumFactoryPrograms; ++program)
        {
            out << "<" << presetUri(plugin, program) << ">\n    a pset:Preset ;\n    lv2:appliesTo <"
                << plugin.uri << "> ;\n    rdfs:seeAlso <" << Lv2::kPresetsFile << "> .\n\n";
        }
    }
}

void writeAudioPort(std::ostream& out, const char* direction, std::uint32_t index, const char* symbol,
                    const char* name, bool sideChain)
{
    out << "    [\n        a lv2:AudioPort , lv2:" << direction << " ;\n        lv2:index " << index
        << " ;\n        lv2:symbol \"" << symbol << "\" ;\n        lv2:name \"" << name << "\"";
    if (sideChain)
    {
        out << " ;\n        lv2:portProperty lv2:isSideChain , lv2:connectionOptional";
    }
    out << "\n    ]";
}

void writeControlPort(std::ostream& out, const SParameter& parameter)
{
    const Parameters::SRange range = Parameters::userRange(parameter);
    const float defaultValue = parameter.defaultValue;
    out << "    [\n        a lv2:InputPort , lv2:ControlPort ;\n        lv2:index "
        << Lv2::controlPort(parameter.index) << " ;\n        lv2:symbol \""
        << Lv2::kControlSymbols[static_cast<std::size_t>(parameter.index)] << "\" ;\n        lv2:name \""
        << parameter.name << "\" ;\n        lv2:default "
        << requiredPortValue(parameter, defaultValue, "the default") << " ;\n        lv2:minimum "
        << shortestText(static_cast<float>(range.minimum)) << " ;\n        lv2:maximum "
        << shortestText(static_cast<float>(range.maximum));
    switch (parameter.unit)
    {
    case Parameters::EUnit::kDecibels:
        out << " ;\n        units:unit units:db";
        break;
    case Parameters::EUnit::kMilliseconds:
        out << " ;\n        units:unit units:ms";
        break;
    case Parameters::EUnit::kFactor:
        out << " ;\n        units:unit units:coef";
        break;
    case Parameters::EUnit::kRatio:
        out << " ;\n        units:unit [\n            a units:Unit ;\n            rdfs:label \"ratio\" ;\n"
               "            units:symbol \":1\" ;\n            units:render \"%.2f:1\"\n        ]";
        break;
    }
    if (parameter.mapping == Parameters::EMapping::kExponential)
    {
        out << " ;\n        lv2:portProperty pprops:logarithmic";
    }
    out << "\n    ]";
}

void writeOutputControl(std::ostream& out, std::uint32_t index, const char* symbol, const char* name,
                        const char* extra)
{
    out << "    [\n        a lv2:OutputPort , lv2:ControlPort ;\n        lv2:index " << index
        << " ;\n        lv2:symbol \"" << symbol << "\" ;\n        lv2:name \"" << name << "\"" << extra
        << "\n    ]";
}

void writePlugin(std::ostream& out, const SPlugin& plugin, int minorVersion, int microVersion)
{
    out << "<" << plugin.uri << ">\n    a lv2:Plugin , lv2:CompressorPlugin ;\n    doap:name "
        << quoted(plugin.name) << " ;\n    lv2:project <" << kProjectUri << "> ;\n"
        << "    lv2:minorVersion " << minorVersion << " ;\n    lv2:microVersion " << microVersion << " ;\n"
        << "    lv2:optionalFeature lv2:hardRTCapable ;\n    ui:ui <" << plugin.uiUri
        << "> ;\n    lv2:port\n";
    writeAudioPort(out, "InputPort", Lv2::kInputLeft, "in_l", "Left input", false);
    out << " ,\n";
    writeAudioPort(out, "InputPort", Lv2::kInputRight, "in_r", "Right input", false);
    out << " ,\n";
    writeAudioPort(out, "OutputPort", Lv2::kOutputLeft, "out_l", "Left output", false);
    out << " ,\n";
    writeAudioPort(out, "OutputPort", Lv2::kOutputRight, "out_r", "Right output", false);
    for (const SParameter& parameter : Parameters::kTable)
    {
        out << " ,\n";
        writeControlPort(out, parameter);
    }
    out << " ,\n    [\n        a lv2:InputPort , lv2:ControlPort ;\n        lv2:index " << Lv2::kEnabled
        << " ;\n        lv2:symbol \"enabled\" ;\n        lv2:name \"Enabled\" ;\n"
           "        lv2:designation lv2:enabled ;\n        lv2:default 1.0 ;\n        lv2:minimum 0.0 ;\n"
           "        lv2:maximum 1.0 ;\n        lv2:portProperty lv2:toggled\n    ] ,\n";
    writeOutputControl(
        out, Lv2::kLatency, "latency", "Latency",
        " ;\n        lv2:designation lv2:latency ;\n        lv2:portProperty lv2:reportsLatency , "
        "lv2:integer ;\n        lv2:minimum 0.0 ;\n        lv2:maximum 16.0 ;\n        units:unit "
        "units:frame");
    out << " ,\n";
    writeOutputControl(
        out, Lv2::kLevel, "level", "Output level",
        " ;\n        lv2:minimum 0.0 ;\n        lv2:maximum 1.0 ;\n        units:unit units:coef");
    out << " ,\n";
    writeOutputControl(
        out, Lv2::kGainReduction, "gain_reduction", "Gain reduction",
        " ;\n        lv2:minimum 0.0 ;\n        lv2:maximum 60.0 ;\n        units:unit units:db");
    if (plugin.sideChain)
    {
        out << " ,\n";
        writeAudioPort(out, "InputPort", Lv2::kSideChainLeft, "sc_l", "Side-chain left", true);
        out << " ,\n";
        writeAudioPort(out, "InputPort", Lv2::kSideChainRight, "sc_r", "Side-chain right", true);
    }
    out << " .\n\n";

    // The editor: embedded in the host's window, driven by the host's idle calls,
    // told the output ports' values.
    out << "<" << plugin.uiUri << ">\n    a ui:X11UI ;\n"
        << "    lv2:requiredFeature ui:idleInterface , ui:parent ;\n"
        << "    lv2:optionalFeature ui:resize , ui:touch , urid:map , opts:options ;\n"
        << "    opts:supportedOption ui:scaleFactor ;\n"
        << "    lv2:extensionData ui:idleInterface , opts:interface ;\n"
        << "    ui:portNotification [\n        ui:plugin <" << plugin.uri
        << "> ;\n        lv2:symbol \"level\" ;\n        ui:notifyType ui:floatProtocol\n    ] , [\n"
        << "        ui:plugin <" << plugin.uri
        << "> ;\n        lv2:symbol \"gain_reduction\" ;\n        ui:notifyType ui:floatProtocol\n    ] "
           ".\n\n";
}

void writeDescription(std::ostream& out, int minorVersion, int microVersion)
{
    out << kPrefixes;
    out << "<" << kProjectUri << ">\n    a doap:Project ;\n    doap:name \"PressoraLite\" ;\n"
        << "    doap:maintainer [\n        a foaf:Organization ;\n        foaf:name \"Corvella\"\n    ] "
           ".\n\n";
    for (const SPlugin& plugin : kPlugins)
    {
        writePlugin(out, plugin, minorVersion, microVersion);
    }
}

// One port a line, so that scripts can read a preset's values without an RDF parser.
void writePresets(std::ostream& out)
{
    out << kPrefixes;
    for (const SPlugin& plugin : kPlugins)
    {
        for (int program = 0; program < kNumFactoryPrograms; ++program)
        {
            const SFactoryProgram& factory = kFactoryPrograms[program];
            out << "<" << presetUri(plugin, program) << ">\n    a pset:Preset ;\n    lv2:appliesTo <"
                << plugin.uri << "> ;\n    rdfs:label " << quoted(factory.name) << " ;\n    lv2:port\n";
            for (const SParameter& parameter : Parameters::kTable)
            {
                const std::size_t index = static_cast<std::size_t>(parameter.index);
                out << "        [ lv2:symbol \"" << Lv2::kControlSymbols[index] << "\" ; pset:value "
                    << requiredPortValue(parameter, factory.values[index], factory.name) << " ]"
                    << (index + 1 < Parameters::kCount ? " ,\n" : " .\n\n");
            }
        }
    }
}

bool writeFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file)
    {
        std::fprintf(stderr, "lv2_bundle_generator: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
    {
        std::fprintf(stderr, "usage: lv2_bundle_generator OUTPUT_FOLDER MINOR_VERSION MICRO_VERSION\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int minorVersion = std::atoi(argv[2]);
    const int microVersion = std::atoi(argv[3]);

    std::ostringstream manifest, description, presets;
    writeManifest(manifest);
    writeDescription(description, minorVersion, microVersion);
    writePresets(presets);
    if (g_failed)
    {
        return 1;
    }
    const bool written = writeFile(folder + "/manifest.ttl", manifest.str()) &&
                         writeFile(folder + "/" + Lv2::kDescriptionFile, description.str()) &&
                         writeFile(folder + "/" + Lv2::kPresetsFile, presets.str());
    return written ? 0 : 1;
}
