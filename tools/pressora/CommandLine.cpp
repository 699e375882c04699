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

enum EOption : unsigned
{
    kProgram = 1u << 0,
    kParam = 1u << 1,
    kBlock = 1u << 2,
    kSeconds = 1u << 3,
    kScreenshot = 1u << 4,
    kAfter = 1u << 5,
    kScale = 1u << 6
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
    if (positional.size() != 3)
    {
        throw CUsageError(
            "render expects a plug-in, an input and an output: pressora render PLUGIN.so IN.wav OUT.wav");
    }
    reading.result.plugins = {positional[0]};
    reading.result.inputPath = positional[1];
    reading.result.outputPath = positional[2];
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
        throw CUsageError("compare expects two WAV files: pressora compare A.wav B.wav");
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
    {"render", ECommand::Render, kProgram | kParam | kBlock, takeRender},
    {"bench", ECommand::Bench, kParam | kBlock | kSeconds, takeBench},
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

const char* CCommandLine::usage()
{
    return "Usage:\n"
           "  pressora info PLUGIN.so\n"
           "      Show the plug-in's record, names, parameters, programs and capabilities.\n"
           "  pressora render PLUGIN.so IN.wav OUT.wav [--program N|NAME] [--param NAME=VALUE]... [--block "
           "N]\n"
           "      Process a 16/24-bit PCM or 32-bit float WAV file (mono is fed to both inputs);\n"
           "      OUT.wav is stereo in the input's sample format and rate.\n"
           "  pressora bench PLUGIN.so [OTHER.so ...] [--param NAME=VALUE]... [--block N] [--seconds S]\n"
           "      Time each plug-in on the same generated stereo signal at 44100 Hz and\n"
           "      print nanoseconds per stereo frame and the ratio to the first plug-in.\n"
           "  pressora gui PLUGIN.so [--program N|NAME] [--param NAME=VALUE]... [--scale S] [--screenshot "
           "FILE "
           "[--after MS]]\n"
           "      Open the plug-in's editor in a window of its own while a test signal runs\n"
           "      through the plug-in (silently); close the window to end. With --screenshot,\n"
           "      write a PNG of the window after MS milliseconds (default 1000) and exit.\n"
           "  pressora compare A.wav B.wav\n"
           "      Check that two WAV files hold the same audio bit for bit; otherwise name the\n"
           "      first differing frame and channel (exit status 1).\n"
           "  pressora --help\n"
           "\n"
           "Options:\n"
           "  --program N|NAME    select a program by index (from 0) or by name before processing\n"
           "  --param NAME=VALUE  set a parameter, found by name (case-insensitive), to a\n"
           "                      normalised value from 0 to 1; may be repeated\n"
           "  --block N           frames per processing call (default 512)\n"
           "  --seconds S         length of the benchmark signal (default 10)\n"
           "  --screenshot FILE   gui: write a PNG of the editor's window and exit\n"
           "  --after MS          gui: run that many milliseconds before the screenshot (default 1000)\n"
           "  --scale S           gui: draw the editor at scale S, 1 to 3 (as PRESSORA_SCALE does)\n"
           "\n"
           "Exit status: 0 on success, 1 when a file or plug-in fails, 2 for a wrong command line.\n";
}

} // namespace Vantor::Pressora
