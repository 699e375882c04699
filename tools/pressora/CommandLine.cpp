#include "tools/pressora/CommandLine.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
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

SParameterSetting parseParameter(const std::string& text)
{
    const auto equals = text.rfind('=');
    if (equals == std::string::npos || equals == 0)
    {
        throw CUsageError("--param expects NAME=VALUE, got '" + text + "'");
    }
    SParameterSetting setting;
    setting.name = text.substr(0, equals);
    const std::string value = text.substr(equals + 1);
    if (!parseNumber(value, setting.value) || !std::isfinite(setting.value) || setting.value < 0.0f ||
        setting.value > 1.0f)
    {
        throw CUsageError("--param " + setting.name + ": value '" + value +
                          "' is not a number between 0 and 1");
    }
    return setting;
}

// What the arguments after the command fill in, read from left to right.
struct SReading
{
    SCommandLine result;
    std::vector<std::string> positional;
    bool afterGiven = false;
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
    kOutDir = 1u << 6,
    kJobs = 1u << 7,
    kDither = 1u << 8
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

void takeBench(SReading& reading)
{
    if (reading.positional.empty())
    {
        throw CUsageError("bench expects at least one plug-in: pressora bench PLUGIN.so [OTHER.so ...]");
    }
    reading.result.plugins = reading.positional;
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
    {"render", ECommand::Render, kProgram | kParam | kBlock | kOutDir | kJobs | kDither, takeRender},
    {"bench", ECommand::Bench, kParam | kBlock | kSeconds, takeBench},
    {"gui", ECommand::Gui, kProgram | kParam | kScreenshot | kAfter, takeGui},
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

const char* CCommandLine::usage()
{
    return "Usage:\n"
           "  pressora info PLUGIN.so\n"
           "      Show the plug-in's record, names, parameters, programs and capabilities.\n"
           "  pressora render PLUGIN.so IN OUT [--program N|NAME] [--param NAME=VALUE]... [--block N]\n"
           "                  [--dither]\n"
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
           "  pressora bench PLUGIN.so [OTHER.so ...] [--param NAME=VALUE]... [--block N] [--seconds S]\n"
           "      Time each plug-in on the same generated stereo signal at 44100 Hz and\n"
           "      print nanoseconds per stereo frame and the ratio to the first plug-in.\n"
           "  pressora gui PLUGIN.so [--program N|NAME] [--param NAME=VALUE]... [--screenshot FILE [--after "
           "MS]]\n"
           "      Open the plug-in's editor in a window of its own while a test signal runs\n"
           "      through the plug-in (silently); close the window to end. With --screenshot,\n"
           "      write a PNG of the window after MS milliseconds (default 1000) and exit.\n"
           "  pressora compare A B\n"
           "      Check that two sound files hold the same audio bit for bit; otherwise name the\n"
           "      first differing frame and channel (exit status 1).\n"
           "  pressora --help\n"
           "\n"
           "Options:\n"
           "  --program N|NAME    select a program by index (from 0) or by name before processing\n"
           "  --param NAME=VALUE  set a parameter, found by name (case-insensitive), to a\n"
           "                      normalised value from 0 to 1; may be repeated\n"
           "  --block N           frames per processing call (default 512)\n"
           "  --dither            render: add triangular (TPDF) dither of one step before rounding\n"
           "                      to integer samples (default: plain rounding)\n"
           "  --out-dir DIR       render: the folder for the outputs of many inputs (made if missing)\n"
           "  --jobs N            render --out-dir: files rendered at once, each by its own\n"
           "                      instance of the plug-in (default: one per processor core)\n"
           "  --seconds S         length of the benchmark signal (default 10)\n"
           "  --screenshot FILE   gui: write a PNG of the editor's window and exit\n"
           "  --after MS          gui: run that many milliseconds before the screenshot (default 1000)\n"
           "\n"
           "Exit status: 0 on success, 1 when a file or plug-in fails (in a batch: when any file\n"
           "failed), 2 for a wrong command line; stopped by SIGINT or SIGTERM, pressora ends by\n"
           "that signal once its unfinished outputs are removed.\n";
}

} // namespace Vantor::Pressora
