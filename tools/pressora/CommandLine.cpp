#include "tools/pressora/CommandLine.hpp"

#include <charconv>
#include <cmath>

namespace Vantor::Pressora
{

namespace
{

using ECommand = SCommandLine::ECommand;

const char* commandName(ECommand command)
{
    switch (command)
    {
    case ECommand::Info:
        return "info";
    case ECommand::Render:
        return "render";
    case ECommand::Bench:
        return "bench";
    case ECommand::Gui:
        return "gui";
    case ECommand::Compare:
        return "compare";
    case ECommand::Help:
        break;
    }
    return "help";
}

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

void requireCommand(ECommand actual, std::initializer_list<ECommand> allowed, const std::string& option)
{
    for (const ECommand command : allowed)
    {
        if (command == actual)
        {
            return;
        }
    }
    throw CUsageError(option + " is not an option of '" + commandName(actual) + "'");
}

} // namespace

SCommandLine CCommandLine::parse(const std::vector<std::string>& arguments)
{
    SCommandLine result;
    for (const auto& argument : arguments)
    {
        if (argument == "--help" || argument == "-h")
        {
            return result;
        }
    }
    if (arguments.empty())
    {
        throw CUsageError("no command given (info, render, bench, gui or compare)");
    }

    const std::string& command = arguments[0];
    if (command == "help")
    {
        return result;
    }
    if (command == "info")
    {
        result.command = ECommand::Info;
    }
    else if (command == "render")
    {
        result.command = ECommand::Render;
    }
    else if (command == "bench")
    {
        result.command = ECommand::Bench;
    }
    else if (command == "gui")
    {
        result.command = ECommand::Gui;
    }
    else if (command == "compare")
    {
        result.command = ECommand::Compare;
    }
    else
    {
        throw CUsageError("unknown command '" + command + "' (info, render, bench, gui or compare)");
    }

    std::vector<std::string> positional;
    bool afterGiven = false;
    for (std::size_t i = 1; i < arguments.size(); ++i)
    {
        std::string argument = arguments[i];
        if (argument.rfind("--", 0) != 0)
        {
            positional.push_back(argument);
            continue;
        }
        // Both "--option VALUE" and "--option=VALUE" are accepted.
        std::string value;
        bool hasValue = false;
        if (const auto equals = argument.find('='); equals != std::string::npos)
        {
            value = argument.substr(equals + 1);
            argument.resize(equals);
            hasValue = true;
        }
        const auto takeValue = [&]() -> std::string
        {
            if (hasValue)
            {
                return value;
            }
            if (i + 1 >= arguments.size())
            {
                throw CUsageError(argument + " needs a value");
            }
            return arguments[++i];
        };

        if (argument == "--program")
        {
            requireCommand(result.command, {ECommand::Render, ECommand::Gui}, argument);
            if (result.program)
            {
                throw CUsageError("--program given twice");
            }
            result.program = takeValue();
            if (result.program->empty())
            {
                throw CUsageError("--program needs a number or a name");
            }
        }
        else if (argument == "--param")
        {
            requireCommand(result.command, {ECommand::Render, ECommand::Bench, ECommand::Gui}, argument);
            result.parameters.push_back(parseParameter(takeValue()));
        }
        else if (argument == "--block")
        {
            requireCommand(result.command, {ECommand::Render, ECommand::Bench}, argument);
            const std::string text = takeValue();
            if (!parseNumber(text, result.blockSize) || result.blockSize < 1 ||
                result.blockSize > kMaxBlockSize)
            {
                throw CUsageError("--block: '" + text + "' is not a block size from 1 to " +
                                  std::to_string(kMaxBlockSize));
            }
        }
        else if (argument == "--seconds")
        {
            requireCommand(result.command, {ECommand::Bench}, argument);
            const std::string text = takeValue();
            if (!parseNumber(text, result.seconds) || !(result.seconds > 0.0) || result.seconds > kMaxSeconds)
            {
                throw CUsageError("--seconds: '" + text + "' is not a duration above 0 and up to 3600");
            }
        }
        else if (argument == "--screenshot")
        {
            requireCommand(result.command, {ECommand::Gui}, argument);
            result.screenshotPath = takeValue();
            if (result.screenshotPath.empty())
            {
                throw CUsageError("--screenshot needs a file name");
            }
        }
        else if (argument == "--scale")
        {
            requireCommand(result.command, {ECommand::Gui}, argument);
            const std::string text = takeValue();
            double scale = 0.0;
            if (!parseNumber(text, scale) || !(scale >= 1.0) || scale > 3.0)
            {
                throw CUsageError("--scale: '" + text + "' is not a scale from 1 to 3");
            }
            result.scale = text;
        }
        else if (argument == "--after")
        {
            requireCommand(result.command, {ECommand::Gui}, argument);
            const std::string text = takeValue();
            if (!parseNumber(text, result.screenshotAfter) || result.screenshotAfter < 0 ||
                result.screenshotAfter > kMaxScreenshotDelay)
            {
                throw CUsageError("--after: '" + text + "' is not a number of milliseconds from 0 to " +
                                  std::to_string(kMaxScreenshotDelay));
            }
            afterGiven = true;
        }
        else
        {
            throw CUsageError("unknown option '" + argument + "'");
        }
    }
    if (afterGiven && result.screenshotPath.empty())
    {
        throw CUsageError("--after only times a --screenshot");
    }

    switch (result.command)
    {
    case ECommand::Info:
        if (positional.size() != 1)
        {
            throw CUsageError("info expects one plug-in: pressora info PLUGIN.so");
        }
        result.plugins = positional;
        break;
    case ECommand::Render:
        if (positional.size() != 3)
        {
            throw CUsageError(
                "render expects a plug-in, an input and an output: pressora render PLUGIN.so IN.wav OUT.wav");
        }
        result.plugins = {positional[0]};
        result.inputPath = positional[1];
        result.outputPath = positional[2];
        break;
    case ECommand::Bench:
        if (positional.empty())
        {
            throw CUsageError("bench expects at least one plug-in: pressora bench PLUGIN.so [OTHER.so ...]");
        }
        result.plugins = positional;
        break;
    case ECommand::Gui:
        if (positional.size() != 1)
        {
            throw CUsageError("gui expects one plug-in: pressora gui PLUGIN.so");
        }
        result.plugins = positional;
        break;
    case ECommand::Compare:
        if (positional.size() != 2)
        {
            throw CUsageError("compare expects two WAV files: pressora compare A.wav B.wav");
        }
        result.audioFiles = positional;
        break;
    case ECommand::Help:
        break;
    }
    return result;
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
