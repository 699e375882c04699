#include "tools/pressora/Pressora.hpp"

#include "framework/platform/Console.hpp"
#include "tools/pressora/Batch.hpp"
#include "tools/pressora/DefaultSoundFiles.hpp"
#include "tools/pressora/OwnPlugin.hpp"
#include "tools/pressora/ParameterText.hpp"
#include "tools/pressora/Render.hpp"
#include "tools/pressora/TestSignal.hpp"
#include "tools/vsthost/VstPlugin.hpp"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <iomanip>
#include <ostream>
#include <sstream>
#include <thread>

namespace Vantor::Pressora
{

using namespace Vantor::Vst;
using VstHost::CHostError;
using VstHost::CVstPlugin;
using VstHost::SHostSettings;

namespace
{

// A failure of the run that is neither a wrong command line nor a host error.
class CRunError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

std::string hex32(VstInt32 value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

std::string decodeFlags(VstInt32 flags)
{
    static constexpr std::pair<VstInt32, const char*> names[] = {
        {effFlagsHasEditor, "HasEditor"},
        {effFlagsHasClip, "HasClip"},
        {effFlagsHasVu, "HasVu"},
        {effFlagsCanMono, "CanMono"},
        {effFlagsCanReplacing, "CanReplacing"},
        {effFlagsProgramChunks, "ProgramChunks"},
        {effFlagsIsSynth, "IsSynth"},
        {effFlagsNoSoundInStop, "NoSoundInStop"},
        {effFlagsExtIsAsync, "ExtIsAsync"},
        {effFlagsExtHasBuffer, "ExtHasBuffer"},
        {effFlagsCanDoubleReplacing, "CanDoubleReplacing"},
    };
    std::string text;
    VstInt32 known = 0;
    for (const auto& [bit, name] : names)
    {
        known |= bit;
        if ((flags & bit) != 0)
        {
            text += text.empty() ? "" : ", ";
            text += name;
        }
    }
    if ((flags & ~known) != 0)
    {
        text += text.empty() ? "" : ", ";
        text += "unknown " + hex32(flags & ~known);
    }
    return text.empty() ? "none" : text;
}

const char* categoryName(VstIntPtr category)
{
    static constexpr const char* names[] = {"Unknown",     "Effect",         "Synth",  "Analysis",
                                            "Mastering",   "Spacializer",    "RoomFx", "SurroundFx",
                                            "Restoration", "OfflineProcess", "Shell",  "Generator"};
    return category >= 0 && category < kPlugCategMaxCount ? names[category] : "?";
}

const char* canDoText(int answer)
{
    return answer > 0 ? "yes" : answer < 0 ? "no" : "don't know";
}

std::string parameterList(CVstPlugin& plugin)
{
    std::ostringstream list;
    for (int i = 0; i < plugin.parameterCount(); ++i)
    {
        list << (i == 0 ? "" : ", ") << plugin.parameterName(i);
    }
    return plugin.parameterCount() == 0 ? "none" : list.str();
}

bool isIndex(const std::string& text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string fileName(const CVstPlugin& plugin)
{
    return plugin.path().filename().string();
}

} // namespace

CPressora::CPressora(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

int CPressora::run(const std::vector<std::string>& arguments)
{
    try
    {
        const SCommandLine command = CCommandLine::parse(arguments);
        switch (command.command)
        {
        case SCommandLine::ECommand::Help:
            m_out << CCommandLine::usage();
            break;
        case SCommandLine::ECommand::Info:
            info(command);
            break;
        case SCommandLine::ECommand::Render:
            render(command);
            break;
        case SCommandLine::ECommand::Bench:
            bench(command);
            break;
        case SCommandLine::ECommand::Gui:
            gui(command);
            break;
        case SCommandLine::ECommand::Compare:
            compare(command);
            break;
        }
        m_out.flush();
        return kSuccess;
    }
    catch (const CUsageError& error)
    {
        m_err << "pressora: " << error.what() << " (see pressora --help)\n";
        return kUsageError;
    }
    catch (const std::exception& error)
    {
        m_err << "pressora: " << error.what() << "\n";
    }
    catch (...)
    {
        m_err << "pressora: unexpected failure\n";
    }
    return kFailure;
}

std::vector<int> CPressora::applyParameters(CVstPlugin& plugin,
                                            const std::vector<SParameterSetting>& settings, bool warnOnly)
{
    std::vector<int> applied;
    for (const SParameterSetting& setting : settings)
    {
        const std::optional<int> index = plugin.findParameter(setting.name);
        if (!index)
        {
            std::ostringstream text;
            text << "'" << fileName(plugin) << "' has no parameter '" << setting.name
                 << "' (parameters: " << parameterList(plugin) << ")";
            const std::string message = text.str();
            if (!warnOnly)
            {
                throw CRunError(message);
            }
            m_err << "pressora: warning: " << message << "\n";
            continue;
        }
        plugin.setParameter(*index, setting.value);
        applied.push_back(*index);
    }
    return applied;
}

bool CPressora::applyProgram(CVstPlugin& plugin, const std::string& program, bool warnOnly)
{
    std::optional<int> index;
    if (isIndex(program))
    {
        const long number = std::strtol(program.c_str(), nullptr, 10);
        if (number < plugin.programCount())
        {
            index = static_cast<int>(number);
        }
    }
    else
    {
        index = plugin.findProgram(program);
    }
    if (!index)
    {
        std::ostringstream text;
        text << "'" << fileName(plugin) << "' has no program '" << program << "' (programs: ";
        for (int i = 0; i < plugin.programCount(); ++i)
        {
            text << (i == 0 ? "" : ", ") << i << " " << plugin.programNameAt(i);
        }
        text << (plugin.programCount() == 0 ? "none)" : ")");
        if (!warnOnly)
        {
            throw CRunError(text.str());
        }
        m_err << "pressora: warning: " << text.str() << "\n";
        return false;
    }
    plugin.setProgram(*index);
    return true;
}

void CPressora::info(const SCommandLine& command)
{
    auto plugin = CVstPlugin::load(command.plugins[0]);
    plugin->setSampleRate(plugin->sampleRate());
    plugin->setBlockSize(plugin->blockSize());
    const AEffect& record = plugin->effect();
    std::ostream& out = m_out;

    out << "Plug-in:        " << plugin->path().string() << " (entry point " << plugin->entryPointName()
        << ")\n";
    out << "Effect name:    " << plugin->effectName() << "\n";
    out << "Vendor:         " << plugin->vendorString() << "\n";
    out << "Product:        " << plugin->productString() << "\n";
    out << "Vendor version: " << plugin->vendorVersion() << "\n";
    out << "VST version:    " << plugin->vstVersion() << "\n";
    const VstIntPtr category = plugin->category();
    out << "Category:       " << category << " (" << categoryName(category) << ")\n";

    out << "Record:\n";
    out << "  magic          '" << VstHost::fourCharText(record.magic) << "' (" << hex32(record.magic)
        << ")\n";
    out << "  flags          " << hex32(record.flags) << " (" << decodeFlags(record.flags) << ")\n";
    out << "  uniqueID       '" << VstHost::fourCharText(record.uniqueID) << "' (" << hex32(record.uniqueID)
        << ", " << record.uniqueID << ")\n";
    out << "  version        " << record.version << "\n";
    out << "  numPrograms    " << record.numPrograms << "\n";
    out << "  numParams      " << record.numParams << "\n";
    out << "  numInputs      " << record.numInputs << "\n";
    out << "  numOutputs     " << record.numOutputs << "\n";
    out << "  initialDelay   " << record.initialDelay << " samples\n";

    out << "Parameters:\n";
    out << "  index  name                      value      display          label\n";
    for (int i = 0; i < plugin->parameterCount(); ++i)
    {
        std::ostringstream line;
        line << "  " << std::setw(5) << i << "  " << std::left << std::setw(24) << plugin->parameterName(i)
             << "  " << std::fixed << std::setprecision(6) << std::setw(9) << plugin->parameter(i) << "  "
             << std::setw(15) << plugin->parameterDisplay(i) << "  " << plugin->parameterLabel(i);
        std::string text = line.str();
        text.erase(text.find_last_not_of(' ') + 1);
        out << text << "\n";
    }

    out << "Programs:";
    if (plugin->programCount() > 0)
    {
        out << " (current " << plugin->program() << ")";
    }
    out << "\n";
    for (int i = 0; i < plugin->programCount(); ++i)
    {
        out << "  " << std::setw(5) << i << "  " << plugin->programNameAt(i) << "\n";
    }

    out << "Pins:\n";
    const auto showPins = [&](const char* direction, int count, auto properties)
    {
        for (int pin = 0; pin < count; ++pin)
        {
            out << "  " << direction << " " << pin << ": ";
            const std::optional<VstPinProperties> pinInfo = properties(pin);
            if (!pinInfo)
            {
                out << "(no properties)\n";
                continue;
            }
            out << "'" << pinInfo->label << "' short '" << pinInfo->shortLabel << "'";
            for (const auto& [bit, name] :
                 {std::pair{kVstPinIsActive, "active"}, std::pair{kVstPinIsStereo, "stereo"},
                  std::pair{kVstPinUseSpeaker, "speaker"}})
            {
                if ((pinInfo->flags & bit) != 0)
                {
                    out << ", " << name;
                }
            }
            out << "\n";
        }
    };
    showPins("input", record.numInputs, [&](int pin) { return plugin->inputProperties(pin); });
    showPins("output", record.numOutputs, [&](int pin) { return plugin->outputProperties(pin); });

    out << "Capabilities (effCanDo):\n";
    for (const char* capability :
         {"sendVstEvents", "sendVstMidiEvent", "receiveVstEvents", "receiveVstMidiEvent",
          "receiveVstTimeInfo", "offline", "midiProgramNames", "bypass", "plugAsChannelInsert", "plugAsSend",
          "mixDryWet", "1in2out", "2in2out"})
    {
        out << "  " << std::left << std::setw(22) << capability << std::right
            << canDoText(plugin->canDo(capability)) << "\n";
    }
    plugin->close();
}

void CPressora::compare(const SCommandLine& command)
{
    const std::string& firstPath = command.audioFiles[0];
    const std::string& secondPath = command.audioFiles[1];
    const ISoundFiles& files = defaultSoundFiles();
    const SSoundFile firstFile = files.read(firstPath);
    const SSoundFile secondFile = files.read(secondPath);
    const SAudio& first = firstFile.audio;
    const SAudio& second = secondFile.audio;
    const auto differ = [&](const std::string& what)
    { throw std::runtime_error("'" + secondPath + "' differs from '" + firstPath + "': " + what); };
    if (first.sampleRate != second.sampleRate)
    {
        differ("sample rate " + std::to_string(second.sampleRate) + " instead of " +
               std::to_string(first.sampleRate));
    }
    if (first.channelCount() != second.channelCount())
    {
        differ(std::to_string(second.channelCount()) + " channels instead of " +
               std::to_string(first.channelCount()));
    }
    // Frame by frame, so that the first difference in time is the one named;
    // samples are compared by their bits (0 and -0 differ, equal NaNs do not).
    const std::int64_t frames = std::min(first.frameCount(), second.frameCount());
    for (std::int64_t frame = 0; frame < frames; ++frame)
    {
        for (int c = 0; c < first.channelCount(); ++c)
        {
            const float a = first.channels[static_cast<std::size_t>(c)][static_cast<std::size_t>(frame)];
            const float b = second.channels[static_cast<std::size_t>(c)][static_cast<std::size_t>(frame)];
            if (std::bit_cast<std::uint32_t>(a) != std::bit_cast<std::uint32_t>(b))
            {
                std::ostringstream text;
                text << "first difference at frame " << frame << ", channel " << c << " ("
                     << std::setprecision(9) << b << " instead of " << a << ")";
                differ(text.str());
            }
        }
    }
    if (first.frameCount() != second.frameCount())
    {
        differ(std::to_string(second.frameCount()) + " frames instead of " +
               std::to_string(first.frameCount()));
    }
    m_out << "identical: " << frames << " frames, " << first.channelCount() << " channel"
          << (first.channelCount() == 1 ? "" : "s") << ", " << first.sampleRate << " Hz, "
          << firstFile.format.description() << " and " << secondFile.format.description() << "\n";
}

std::unique_ptr<CVstPlugin> CPressora::loadForRendering(const SCommandLine& command, float sampleRate)
{
    SHostSettings settings;
    settings.sampleRate = sampleRate;
    settings.blockSize = command.blockSize;
    settings.offline = true;
    settings.logCalls = false;
    auto plugin = CVstPlugin::load(command.plugins[0], settings);
    plugin->setSampleRate(settings.sampleRate);
    plugin->setBlockSize(settings.blockSize);
    if (command.program)
    {
        applyProgram(*plugin, *command.program);
    }
    applyParameters(*plugin, command.parameters, false);
    return plugin;
}

void CPressora::render(const SCommandLine& command)
{
    // Ctrl-C and SIGTERM stop a render in good order: no unfinished output stays.
    const Platform::CStopRequests stopRequests;
    m_stopSignal = 0;
    if (command.outputFolder.empty())
    {
        renderFile(command);
    }
    else
    {
        renderBatch(command);
    }
}

void CPressora::renderFile(const SCommandLine& command)
{
    const std::filesystem::path inputPath = command.inputPath;
    const std::filesystem::path outputPath = command.outputPath;
    std::error_code ignored;
    if (std::filesystem::equivalent(inputPath, outputPath, ignored))
    {
        throw CRunError("'" + command.outputPath +
                        "' is the input itself: pressora never overwrites an input");
    }
    const ISoundFiles& files = defaultSoundFiles();
    const SSoundFile input = files.read(inputPath);
    if (!input.warning.empty())
    {
        m_err << "pressora: warning: '" << command.inputPath << "': " << input.warning << "\n";
    }
    // The output's kind and rate are checked before the plug-in is loaded.
    files.outputFormat(outputPath, input.format.sample, input.audio.sampleRate);
    CFileRenderer renderer(files, loadForRendering(command, static_cast<float>(input.audio.sampleRate)),
                           command.blockSize, command.dither);

    // Long files show their progress, in steps of a percent.
    const auto frames = input.audio.frameCount();
    const bool showProgress = frames > static_cast<std::int64_t>(input.audio.sampleRate) * 10;
    int shownPercent = -1;
    SRenderHooks hooks;
    hooks.progress = [&](std::int64_t done)
    {
        const int percent = static_cast<int>(done * 100 / frames);
        if (showProgress && percent != shownPercent)
        {
            m_err << "\rrendering " << std::setw(3) << percent << "%" << std::flush;
            shownPercent = percent;
        }
    };
    hooks.stopRequested = [] { return Platform::CStopRequests::received() != 0; };
    // A report measures the output as the plug-in made it, before any rounding.
    std::vector<std::vector<float>> output;
    if (!command.reportPath.empty())
    {
        hooks.keptOutput = &output;
    }
    SRendered rendered;
    try
    {
        rendered = renderer.render(input, outputPath, hooks);
    }
    catch (const CRenderStopped&)
    {
        m_stopSignal = Platform::CStopRequests::received();
        throw CRunError(std::string(showProgress ? "\n" : "") + "stopped by " +
                        Platform::CStopRequests::name(m_stopSignal) + "; the unfinished output was removed");
    }
    if (showProgress)
    {
        m_err << "\n";
    }
    if (rendered.clippedSamples > 0)
    {
        m_err << "pressora: warning: '" << command.outputPath << "': " << rendered.clippedSamples
              << " samples clipped\n";
    }
    m_out << "rendered " << frames << " frames at " << input.audio.sampleRate << " Hz ("
          << input.format.description() << ", " << (input.audio.channelCount() == 1 ? "mono" : "stereo")
          << ") to " << command.outputPath << " (" << rendered.outputFormat.description() << ", stereo)\n";
    if (!command.reportPath.empty())
    {
        const std::vector<float>& left = input.audio.channels.at(0);
        const std::vector<float>& right = input.audio.channels.at(input.audio.channelCount() > 1 ? 1 : 0);
        report(command, renderer.plugin(), input.audio.channelCount(), {left, right}, {output[0], output[1]});
    }
    renderer.plugin().close();
}

void CPressora::renderBatch(const SCommandLine& command)
{
    const ISoundFiles& files = defaultSoundFiles();
    const std::filesystem::path folder = command.outputFolder;
    const std::vector<SBatchJob> jobs = planBatch(command.inputPaths, folder, files);

    // Every instance is loaded, and its settings checked, before anything is written.
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t workers =
        std::min(jobs.size(), command.jobs > 0 ? static_cast<std::size_t>(command.jobs) : cores);
    std::vector<std::unique_ptr<CFileRenderer>> renderers;
    for (std::size_t i = 0; i < workers && Platform::CStopRequests::received() == 0; ++i)
    {
        renderers.push_back(std::make_unique<CFileRenderer>(files, loadForRendering(command, 44100.0f),
                                                            command.blockSize, command.dither));
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
    {
        throw CRunError("'" + command.outputFolder + "': cannot make the folder: " + error.message());
    }

    SBatchDisplay display;
    display.progressBar = Platform::isTerminal(Platform::EStandardStream::Error);
    display.fileLines = !display.progressBar || !Platform::isTerminal(Platform::EStandardStream::Output);
    const SBatchOutcome outcome = runBatch(jobs, renderers, files, display, m_out, m_err,
                                           [] { return Platform::CStopRequests::received() != 0; });
    for (auto& renderer : renderers)
    {
        renderer->plugin().close();
    }
    if (outcome.stopped)
    {
        m_stopSignal = Platform::CStopRequests::received();
        throw CRunError("stopped by " + std::string(Platform::CStopRequests::name(m_stopSignal)) + " after " +
                        std::to_string(outcome.rendered) + " of " + std::to_string(jobs.size()) +
                        " files; unfinished outputs were removed");
    }
    m_out << "rendered " << outcome.rendered << " of " << jobs.size() << " files into "
          << command.outputFolder << " on " << workers << " worker" << (workers == 1 ? "" : "s");
    if (outcome.failed > 0)
    {
        m_out << " (" << outcome.failed << " failed)";
    }
    m_out << "\n";
    if (outcome.failed > 0)
    {
        throw CRunError(std::to_string(outcome.failed) + " of " + std::to_string(jobs.size()) +
                        " files failed (named above)");
    }
}

std::string CPressora::setUpForBench(CVstPlugin& plugin, const SCommandLine& command, std::size_t index)
{
    const SPluginSettings* own =
        index < command.pluginSettings.size() ? &command.pluginSettings[index] : nullptr;
    bool programSet = command.program && applyProgram(plugin, *command.program, true);
    if (own != nullptr && own->program)
    {
        programSet = applyProgram(plugin, *own->program, false);
    }
    std::vector<int> parameters = applyParameters(plugin, command.parameters, true);
    if (own != nullptr)
    {
        const std::vector<int> more = applyParameters(plugin, own->parameters, false);
        parameters.insert(parameters.end(), more.begin(), more.end());
    }
    if (!programSet && parameters.empty() && OwnPlugin::isPressoraLite(plugin))
    {
        OwnPlugin::applyStandardSetting(plugin);
        return "the standard setting (" + OwnPlugin::standardSettingText() + "): no setting given for it";
    }

    std::ostringstream text;
    if (plugin.programCount() > 0)
    {
        text << "program " << plugin.program() << " \"" << plugin.programName() << "\"";
    }
    std::sort(parameters.begin(), parameters.end());
    parameters.erase(std::unique(parameters.begin(), parameters.end()), parameters.end());
    for (const int parameter : parameters)
    {
        text << (text.tellp() > 0 ? ", " : "") << plugin.parameterName(parameter) << " "
             << parameterValueText(plugin, parameter);
    }
    std::string result = text.str();
    if (!programSet && parameters.empty())
    {
        result = result.empty() ? "as it loads" : "as it loads (" + result + ")";
    }
    return result;
}

void CPressora::bench(const SCommandLine& command)
{
    constexpr int kSampleRate = 44100;
    constexpr int kRuns = 3;
    const CTestSignal signal(command.seconds, kSampleRate);
    const std::size_t frames = signal.frameCount();
    std::vector<float> outLeft(frames);
    std::vector<float> outRight(frames);

    m_out << "signal: " << command.seconds << " s of stereo at " << kSampleRate << " Hz, "
          << command.blockSize << " frames per call, best of " << kRuns << " runs\n";
    m_out << std::left << std::setw(36) << "plug-in" << std::right << std::setw(12) << "ns/frame"
          << std::setw(14) << "x realtime" << std::setw(9) << "ratio" << std::setw(12) << "GR avg dB"
          << std::setw(12) << "GR max dB"
          << "\n";

    double first = 0.0;
    std::vector<std::string> settingLines;
    for (std::size_t index = 0; index < command.plugins.size(); ++index)
    {
        const std::string& path = command.plugins[index];
        SHostSettings settings;
        settings.sampleRate = kSampleRate;
        settings.blockSize = command.blockSize;
        settings.logCalls = false;
        auto plugin = CVstPlugin::load(path, settings);
        plugin->setSampleRate(settings.sampleRate);
        plugin->setBlockSize(settings.blockSize);
        const std::string name = std::filesystem::path(path).filename().string();
        settingLines.push_back(name + ": " + setUpForBench(*plugin, command, index));
        plugin->resume();

        // One untimed pass of up to a second settles caches and lazy set-up.
        const std::size_t warmUp = std::min<std::size_t>(frames, kSampleRate);
        plugin->processStereo(signal.left().data(), signal.right().data(), outLeft.data(), outRight.data(),
                              warmUp);

        double best = 0.0;
        for (int run = 0; run < kRuns; ++run)
        {
            const auto begin = std::chrono::steady_clock::now();
            plugin->processStereo(signal.left().data(), signal.right().data(), outLeft.data(),
                                  outRight.data(), frames);
            const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - begin;
            best = run == 0 ? elapsed.count() : std::min(best, elapsed.count());
        }
        // What the last run did to the signal, its output aligned by the reported delay.
        const auto delay = static_cast<std::size_t>(std::max(0, plugin->effect().initialDelay));
        plugin->close();
        const SAlignedPair aligned = alignOutput({signal.left(), signal.right()}, {outLeft, outRight}, delay);
        const SGainReduction reduction =
            SProcessedLevels::measure(aligned.input, aligned.output, kSampleRate).reduction;

        const double perFrame = best / static_cast<double>(frames);
        if (first == 0.0)
        {
            first = perFrame;
        }
        const double realtime = perFrame > 0.0 ? 1e9 / (perFrame * kSampleRate) : 0.0;
        m_out << std::left << std::setw(36) << name << std::right << std::fixed << std::setprecision(2)
              << std::setw(12) << perFrame << std::setprecision(1) << std::setw(14) << realtime
              << std::setprecision(2) << std::setw(9) << (first > 0.0 ? perFrame / first : 0.0)
              << std::setprecision(1) << std::setw(12) << reduction.average + 0.0 << std::setw(12)
              << reduction.largest + 0.0 << (reduction.compressing == false ? "  not compressing" : "")
              << "\n";
        m_out.unsetf(std::ios::floatfield);
    }
    m_out << "settings:\n";
    for (const std::string& line : settingLines)
    {
        m_out << "  " << line << "\n";
    }
}

#ifndef PRESSORA_REPORTS
// Never reached: the command line refuses --report in a build without reports.
void CPressora::report(const SCommandLine&, CVstPlugin&, int, const SStereoView&, const SStereoView&)
{
    throw CRunError("this build of pressora writes no reports");
}
#endif

} // namespace Vantor::Pressora
