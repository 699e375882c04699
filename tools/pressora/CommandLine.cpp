#include "tools/pressora/CommandLine.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <iterator>

namespace Vantor::Pressora
{

namespace
{

using ECommand = SCommandLine::ECommand;

template <typename TNumber> bool parseNumber(const std::string& text, TNumber& result)
{
    const char* end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data(), end, result);
    return !text.empty() && error == std::errc() && next == end;
}

SParameterSetting parseParameter(const std::string& text, const std::string& option = "--param")
{
    const auto equals = text.rfind('=');
    if (equals == std::string::npos || equals == 0)
    {
        throw CUsageError(option + " expects NAME=VALUE, got '" + text + "'");
    }
    SParameterSetting setting;
    setting.name = text.substr(0, equals);
    const std::string value = text.substr(equals + 1);
    if (!parseNumber(value, setting.value) || !std::isfinite(setting.value) || setting.value < 0.0f ||
        setting.value > 1.0f)
    {
        throw CUsageError(option + " " + setting.name + ": value '" + value +
                          "' is not a number between 0 and 1");
    }
    return setting;
}

// A setting for one plug-in, kept as written until the plug-ins are known:
// "WHICH:NAME=VALUE" or "WHICH:PROGRAM".
struct SScopedSetting
{
    std::string option;
    std::string text;
};

// What the arguments after the command fill in, read from left to right.
struct SReading
{
    SCommandLine result;
    std::vector<std::string> positional;
    bool afterGiven = false;
    std::vector<SScopedSetting> scoped;
};

// One option being read, "--name VALUE" or "--name=VALUE": value() takes the joined
// value or the next argument. The name is checked before the value is taken, so a
// misplaced option is named as such even when its value is missing.
class COptionArgument
{
public:
    COptionArgument(const std::vector<std::string>& arguments, std::size_t& position)
        : m_arguments(arguments), m_position(position), m_name(arguments[position])
    {
        if (const auto equals = m_name.find('='); equals != std::string::npos)
        {
            m_joined = m_name.substr(equals + 1);
            m_name.resize(equals);
        }
    }
    const std::string& name() const { return m_name; }
    // "--name=VALUE" was given: a flag refuses it.
    bool hasJoinedValue() const { return m_joined.has_value(); }
    std::string value()
    {
        if (m_joined)
        {
            return *m_joined;
        }
        if (m_position + 1 >= m_arguments.size())
        {
            throw CUsageError(m_name + " needs a value");
        }
        return m_arguments[++m_position];
    }

private:
    const std::vector<std::string>& m_arguments;
    std::size_t& m_position;
    std::string m_name;
    std::optional<std::string> m_joined;
};

// ---- options -----------------------------------------------------------------

void readProgram(SReading& reading, COptionArgument& option)
{
    if (reading.result.program)
    {
        throw CUsageError("--program given twice");
    }
    reading.result.program = option.value();
    if (reading.result.program->empty())
    {
        throw CUsageError("--program needs a number or a name");
    }
}

void readParameter(SReading& reading, COptionArgument& option)
{
    reading.result.parameters.push_back(parseParameter(option.value()));
}

void readScoped(SReading& reading, COptionArgument& option)
{
    const std::string name = option.name();
    std::string text = option.value();
    if (text.find(':') == std::string::npos)
    {
        throw CUsageError(name + " expects WHICH:" + (name == "--param-for" ? "NAME=VALUE" : "PROGRAM") +
                          " (WHICH: the plug-in's position from 1 or its file name), got '" + text + "'");
    }
    reading.scoped.push_back({name, std::move(text)});
}

void readReport(SReading& reading, COptionArgument& option)
{
    if (!kReportsAvailable)
    {
        throw CUsageError("--report is not available in this build of pressora (the Windows pressora.exe "
                          "draws no report pictures and measures no loudness); use the Linux pressora");
    }
    reading.result.reportPath = option.value();
    if (reading.result.reportPath.empty())
    {
        throw CUsageError("--report needs a file name");
    }
}

void readBlock(SReading& reading, COptionArgument& option)
{
    const std::string text = option.value();
    int& blockSize = reading.result.blockSize;
    if (!parseNumber(text, blockSize) || blockSize < 1 || blockSize > CCommandLine::kMaxBlockSize)
    {
        throw CUsageError("--block: '" + text + "' is not a block size from 1 to " +
                          std::to_string(CCommandLine::kMaxBlockSize));
    }
}

void readSeconds(SReading& reading, COptionArgument& option)
{
    const std::string text = option.value();
    double& seconds = reading.result.seconds;
    if (!parseNumber(text, seconds) || !(seconds > 0.0) || seconds > CCommandLine::kMaxSeconds)
    {
        throw CUsageError("--seconds: '" + text + "' is not a duration above 0 and up to 3600");
    }
}

void readScreenshot(SReading& reading, COptionArgument& option)
{
    reading.result.screenshotPath = option.value();
    if (reading.result.screenshotPath.empty())
    {
        throw CUsageError("--screenshot needs a file name");
    }
}

void readScale(SReading& reading, COptionArgument& option)
{
    const std::string text = option.value();
    double scale = 0.0;
    if (!parseNumber(text, scale) || !(scale >= 1.0) || scale > 3.0)
    {
        throw CUsageError("--scale: '" + text + "' is not a scale from 1 to 3");
    }
    reading.result.scale = text;
}

void readAfter(SReading& reading, COptionArgument& option)
{
    const std::string text = option.value();
    int& after = reading.result.screenshotAfter;
    if (!parseNumber(text, after) || after < 0 || after > CCommandLine::kMaxScreenshotDelay)
    {
        throw CUsageError("--after: '" + text + "' is not a number of milliseconds from 0 to " +
                          std::to_string(CCommandLine::kMaxScreenshotDelay));
    }
    reading.afterGiven = true;
}

void readOutDir(SReading& reading, COptionArgument& option)
{
    if (!reading.result.outputFolder.empty())
    {
        throw CUsageError("--out-dir given twice");
    }
    reading.result.outputFolder = option.value();
    if (reading.result.outputFolder.empty())
    {
        throw CUsageError("--out-dir needs a folder");
    }
}

void readJobs(SReading& reading, COptionArgument& option)
{
    const std::string text = option.value();
    int& jobs = reading.result.jobs;
    if (!parseNumber(text, jobs) || jobs < 1 || jobs > CCommandLine::kMaxJobs)
    {
        throw CUsageError("--jobs: '" + text + "' is not a number of workers from 1 to " +
                          std::to_string(CCommandLine::kMaxJobs));
    }
}

void readDither(SReading& reading, COptionArgument& option)
{
    if (option.hasJoinedValue())
    {
        throw CUsageError("--dither takes no value");
    }
    reading.result.dither = true;
}

enum EOption : unsigned
{
    kProgram = 1u << 0,
    kParam = 1u << 1,
    kBlock = 1u << 2,
    kSeconds = 1u << 3,
    kScreenshot = 1u << 4,
    kAfter = 1u << 5,
    kScale = 1u << 6,
    kScoped = 1u << 7,
    kReport = 1u << 8,
    kOutDir = 1u << 9,
    kJobs = 1u << 10,
    kDither = 1u << 11
};

struct SOption
{
    const char* name;
    EOption flag;
    void (*read)(SReading&, COptionArgument&);
};

constexpr SOption kOptions[] = {
    {"--program", kProgram, readProgram},
    {"--param", kParam, readParameter},
    {"--block", kBlock, readBlock},
    {"--seconds", kSeconds, readSeconds},
    {"--screenshot", kScreenshot, readScreenshot},
    {"--after", kAfter, readAfter},
    {"--scale", kScale, readScale},
    {"--program-for", kScoped, readScoped},
    {"--param-for", kScoped, readScoped},
    {"--report", kReport, readReport},
    {"--out-dir", kOutDir, readOutDir},
    {"--jobs", kJobs, readJobs},
    {"--dither", kDither, readDither},
};

// ---- commands: each takes its plain arguments ----------------------------------

void takeInfo(SReading& reading)
{
    if (reading.positional.size() != 1)
    {
        throw CUsageError("info expects one plug-in: pressora info PLUGIN.so");
    }
    reading.result.plugins = reading.positional;
}

void takeRender(SReading& reading)
{
    const std::vector<std::string>& positional = reading.positional;
    SCommandLine& result = reading.result;
    if (!result.outputFolder.empty())
    {
        if (positional.size() < 2)
        {
            throw CUsageError(
                "render --out-dir expects a plug-in and inputs: pressora render PLUGIN.so IN... "
                "--out-dir DIR");
        }
        if (!result.reportPath.empty())
        {
            throw CUsageError("--report pictures one render: it does not apply to --out-dir");
        }
        result.inputPaths.assign(positional.begin() + 1, positional.end());
    }
    else
    {
        if (positional.size() != 3)
        {
            throw CUsageError(
                "render expects a plug-in, an input and an output: pressora render PLUGIN.so IN "
                "OUT (or inputs and --out-dir DIR)");
        }
        if (result.jobs != 0)
        {
            throw CUsageError("--jobs only applies to --out-dir");
        }
        result.inputPaths = {positional[1]};
        result.outputPath = positional[2];
    }
    result.plugins = {positional[0]};
    result.inputPath = positional[1];
}

// The plug-ins WHICH names: its position from 1, or every plug-in whose file
// name, as given or without its folder, it is.
std::vector<std::size_t> pluginsNamed(const std::vector<std::string>& plugins, const std::string& which)
{
    std::size_t position = 0;
    if (parseNumber(which, position))
    {
        return position >= 1 && position <= plugins.size() ? std::vector<std::size_t>{position - 1}
                                                           : std::vector<std::size_t>{};
    }
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < plugins.size(); ++i)
    {
        if (which == plugins[i] || which == std::filesystem::path(plugins[i]).filename().string())
        {
            found.push_back(i);
        }
    }
    return found;
}

// The plug-in a scoped setting is for: named before the first of its colons that
// ends a name of one (file names may hold colons). The rest of the text goes to `rest`.
std::size_t scopedPlugin(const std::vector<std::string>& plugins, const SScopedSetting& setting,
                         std::string& rest)
{
    const std::string& text = setting.text;
    for (std::size_t colon = text.find(':'); colon != std::string::npos; colon = text.find(':', colon + 1))
    {
        const std::string which = text.substr(0, colon);
        const std::vector<std::size_t> found = pluginsNamed(plugins, which);
        if (found.size() > 1)
        {
            throw CUsageError(setting.option + ": '" + which + "' names " + std::to_string(found.size()) +
                              " of the plug-ins; give its position instead");
        }
        if (found.size() == 1)
        {
            rest = text.substr(colon + 1);
            return found.front();
        }
    }
    throw CUsageError(setting.option + ": '" + text.substr(0, text.find(':')) + "' is none of the " +
                      std::to_string(plugins.size()) + " plug-ins (give a position from 1 or a file name)");
}

void takeBench(SReading& reading)
{
    if (reading.positional.empty())
    {
        throw CUsageError("bench expects at least one plug-in: pressora bench PLUGIN.so [OTHER.so ...]");
    }
    SCommandLine& result = reading.result;
    result.plugins = reading.positional;
    if (reading.scoped.empty())
    {
        return;
    }
    result.pluginSettings.resize(result.plugins.size());
    for (const SScopedSetting& setting : reading.scoped)
    {
        std::string rest;
        SPluginSettings& target = result.pluginSettings[scopedPlugin(result.plugins, setting, rest)];
        if (setting.option == "--param-for")
        {
            target.parameters.push_back(parseParameter(rest, setting.option));
            continue;
        }
        if (target.program)
        {
            throw CUsageError(setting.option + " given twice for one plug-in");
        }
        if (rest.empty())
        {
            throw CUsageError(setting.option + " needs a number or a name after the plug-in");
        }
        target.program = rest;
    }
}

void takeGui(SReading& reading)
{
    if (reading.positional.size() != 1)
    {
        throw CUsageError("gui expects one plug-in: pressora gui PLUGIN.so");
    }
    reading.result.plugins = reading.positional;
}

void takeCompare(SReading& reading)
{
    if (reading.positional.size() != 2)
    {
        throw CUsageError("compare expects two sound files: pressora compare A B");
    }
    reading.result.audioFiles = reading.positional;
}

struct SCommand
{
    const char* name;
    ECommand command;
    unsigned options;
    void (*take)(SReading&);
};

constexpr SCommand kCommands[] = {
    {"info", ECommand::Info, 0, takeInfo},
    {"render", ECommand::Render, kProgram | kParam | kBlock | kReport | kOutDir | kJobs | kDither,
     takeRender},
    {"bench", ECommand::Bench, kProgram | kParam | kScoped | kBlock | kSeconds, takeBench},
    {"gui", ECommand::Gui, kProgram | kParam | kScreenshot | kAfter | kScale, takeGui},
    {"compare", ECommand::Compare, 0, takeCompare},
};

const SCommand& findCommand(const std::string& name)
{
    for (const SCommand& command : kCommands)
    {
        if (name == command.name)
        {
            return command;
        }
    }
    throw CUsageError("unknown command '" + name + "' (info, render, bench, gui or compare)");
}

// Reads everything after the command: options the command has, and plain arguments.
void readArguments(const std::vector<std::string>& arguments, const SCommand& command, SReading& reading)
{
    for (std::size_t i = 1; i < arguments.size(); ++i)
    {
        if (arguments[i].rfind("--", 0) != 0)
        {
            reading.positional.push_back(arguments[i]);
            continue;
        }
        COptionArgument option(arguments, i);
        const auto known =
            std::find_if(std::begin(kOptions), std::end(kOptions),
                         [&](const SOption& candidate) { return option.name() == candidate.name; });
        if (known == std::end(kOptions))
        {
            throw CUsageError("unknown option '" + option.name() + "'");
        }
        if ((command.options & known->flag) == 0)
        {
            throw CUsageError(option.name() + " is not an option of '" + command.name + "'");
        }
        known->read(reading, option);
    }
    if (reading.afterGiven && reading.result.screenshotPath.empty())
    {
        throw CUsageError("--after only times a --screenshot");
    }
}

bool asksForHelp(const std::vector<std::string>& arguments)
{
    return std::any_of(arguments.begin(), arguments.end(),
                       [](const std::string& argument) { return argument == "--help" || argument == "-h"; });
}

} // namespace

SCommandLine CCommandLine::parse(const std::vector<std::string>& arguments)
{
    if (asksForHelp(arguments))
    {
        return {};
    }
    if (arguments.empty())
    {
        throw CUsageError("no command given (info, render, bench, gui or compare)");
    }
    if (arguments[0] == "help")
    {
        return {};
    }
    const SCommand& command = findCommand(arguments[0]);
    SReading reading;
    reading.result.command = command.command;
    readArguments(arguments, command, reading);
    command.take(reading);
    return reading.result;
}

// The --report line of the help: what it does, or that this build has none.
#ifdef PRESSORA_REPORTS
#define PRESSORA_REPORT_HELP                                                                                 \
    "  --report FILE.png   render: also measure what the plug-in did and draw it as one PNG\n"               \
    "                      (1600 x 1000): input and output level over time (10 ms RMS and\n"                 \
    "                      peak), gain reduction over time, the static curve of a fresh\n"                   \
    "                      instance with the same settings (1 kHz sine, -60 to 0 dBFS) and\n"                \
    "                      the loudness after EBU R128 (integrated, range, true peak); the\n"                \
    "                      numbers are printed too\n"
#else
#define PRESSORA_REPORT_HELP                                                                                 \
    "  --report FILE.png   not available in this build (pressora.exe for Windows draws no\n"                 \
    "                      report pictures and measures no loudness): use the Linux pressora\n"
#endif

const char* CCommandLine::usage()
{
    return "Usage:\n"
           "  pressora info PLUGIN.so\n"
           "      Show the plug-in's record, names, parameters, programs and capabilities.\n"
           "  pressora render PLUGIN.so IN OUT [--program N|NAME] [--param NAME=VALUE]... [--block N]\n"
           "                  [--dither] [--report FILE.png]\n"
           "      Process a sound file (mono is fed to both inputs) into a stereo one at the\n"
           "      input's rate. OUT's extension names its kind: .wav .w64 .rf64 .aiff .caf .au\n"
           "      .flac (lossless), .ogg .opus .mp3 (lossy; Opus only at 8, 12, 16, 24 or 48 kHz).\n"
           "      OUT keeps the input's sample format where its kind stores it, else it is\n"
           "      24-bit PCM (lossless) or the codec's own (lossy). Float output is the plug-in's\n"
           "      samples exactly; integers are rounded, and clipped samples are counted.\n"
           "      The Windows pressora.exe reads and writes WAV only.\n"
           "  pressora render PLUGIN.so IN... --out-dir DIR [--jobs N] [options as above]\n"
           "      Process every input into DIR under its own name: files, and folders file by\n"
           "      file (sound files only, hidden ones left out) with their sub-folders mirrored.\n"
           "      Two inputs that would get the same output, or an output that would replace\n"
           "      an input, are refused before anything starts. A file that fails is reported\n"
           "      and the others go on. On a terminal a progress bar shows the files done, audio\n"
           "      seconds per second and the time left; otherwise each file gets a line.\n"
           "      Outputs appear only when complete; Ctrl-C stops the run and removes what was\n"
           "      unfinished.\n"
           "  pressora bench PLUGIN.so [OTHER.so ...] [--program N|NAME] [--param NAME=VALUE]...\n"
           "                 [--program-for WHICH:N|NAME]... [--param-for WHICH:NAME=VALUE]...\n"
           "                 [--block N] [--seconds S]\n"
           "      Time each plug-in on the same generated stereo signal at 44100 Hz and print\n"
           "      nanoseconds per stereo frame, the ratio to the first plug-in and the gain\n"
           "      reduction it applied (average and largest, dB, input minus output level);\n"
           "      a plug-in whose gain is the same for the signal's loud and quiet parts is\n"
           "      marked \"not compressing\". PressoraLite, when no setting reaches it, runs at\n"
           "      the standard setting (Threshold -20 dB, Ratio 4:1, Attack 5 ms, Release 50 ms);\n"
           "      the output names the setting each plug-in ran.\n"
           "  pressora gui PLUGIN.so [--program N|NAME] [--param NAME=VALUE]... [--scale S] [--screenshot "
           "FILE [--after MS]]\n"
           "      Open the plug-in's editor in a window of its own while a test signal runs\n"
           "      through the plug-in (silently); close the window to end. With --screenshot,\n"
           "      write a PNG of the window after MS milliseconds (default 1000) and exit.\n"
           "  pressora compare A B\n"
           "      Check that two sound files hold the same audio bit for bit; otherwise name the\n"
           "      first differing frame and channel (exit status 1).\n"
           "  pressora --help\n"
           "\n"
           "Options:\n"
           "  --program N|NAME    select a program by index (from 0) or by name before processing;\n"
           "                      bench: in every plug-in that has it\n"
           "  --param NAME=VALUE  set a parameter, found by name (case-insensitive), to a\n"
           "                      normalised value from 0 to 1; may be repeated; bench: in every\n"
           "                      plug-in that has it\n"
           "  --program-for WHICH:N|NAME\n"
           "  --param-for WHICH:NAME=VALUE\n"
           "                      bench: the same for one plug-in only, after the settings for all;\n"
           "                      WHICH is its position in the list (from 1) or its file name\n"
           "  --block N           frames per processing call (default 512)\n"
           "  --dither            render: add triangular (TPDF) dither of one step before rounding\n"
           "                      to integer samples (default: plain rounding)\n"
           "  --out-dir DIR       render: the folder for the outputs of many inputs (made if missing)\n"
           "  --jobs N            render --out-dir: files rendered at once, each by its own\n"
           "                      instance of the plug-in (default: one per processor core)\n"
           "  --seconds S         length of the benchmark signal (default 10)\n" PRESSORA_REPORT_HELP
           "  --screenshot FILE   gui: write a PNG of the editor's window and exit\n"
           "  --after MS          gui: run that many milliseconds before the screenshot (default 1000)\n"
           "  --scale S           gui: draw the editor at scale S, 1 to 3 (as PRESSORA_SCALE does)\n"
           "\n"
           "Exit status: 0 on success, 1 when a file or plug-in fails (in a batch: when any file\n"
           "failed), 2 for a wrong command line; stopped by SIGINT or SIGTERM, pressora ends by\n"
           "that signal once its unfinished outputs are removed.\n";
}

} // namespace Vantor::Pressora
