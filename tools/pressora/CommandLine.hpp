#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace Vantor::Pressora
{

// A wrong command line: the text is the one line shown to the user.
class CUsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One "--param NAME=VALUE": a parameter name and its normalised value (0..1).
struct SParameterSetting
{
    std::string name;
    float value = 0.0f;
};

// Settings for one plug-in of a bench only ("--program-for", "--param-for").
struct SPluginSettings
{
    std::optional<std::string> program;
    std::vector<SParameterSetting> parameters;
};

// Whether this build writes report pictures (--report): the Linux build does;
// the Windows one has neither PNG report drawing nor a loudness library.
#ifdef PRESSORA_REPORTS
inline constexpr bool kReportsAvailable = true;
#else
inline constexpr bool kReportsAvailable = false;
#endif

// The parsed arguments of one pressora run.
struct SCommandLine
{
    enum class ECommand
    {
        Help,
        Info,
        Render,
        Bench,
        Gui,
        Compare
    };

    ECommand command = ECommand::Help;
    std::vector<std::string> plugins;    // info, render, gui: 1; bench: 1 or more
    std::string inputPath;               // render only: the first input
    std::string outputPath;              // render only, without --out-dir
    std::vector<std::string> inputPaths; // render: every input (files or, with --out-dir, folders)
    std::string outputFolder;            // render --out-dir: where every output goes
    int jobs = 0;                        // render --out-dir: workers; 0 = one per processor core
    bool dither = false;                 // render: TPDF dither before rounding to integers
    std::vector<std::string> audioFiles; // compare: the two files
    std::optional<std::string> program;  // render, bench and gui: an index or a program name
    std::vector<SParameterSetting> parameters;
    std::vector<SPluginSettings> pluginSettings; // bench: one per plug-in, in their order
    std::string reportPath;                      // render only: the report picture
    int blockSize = 512;
    double seconds = 10.0;      // bench only
    std::string screenshotPath; // gui only: write a PNG of the window and exit
    int screenshotAfter = 1000; // gui only: milliseconds of running before the screenshot
    std::string scale;          // gui only: the editor's scale (as PRESSORA_SCALE), "" for none
};

// Parses pressora's arguments (without the program name).
// Throws CUsageError with a one-line explanation on any mistake.
class CCommandLine
{
public:
    static constexpr int kMaxBlockSize = 1 << 16;
    static constexpr double kMaxSeconds = 3600.0;
    static constexpr int kMaxScreenshotDelay = 600000;
    static constexpr int kMaxJobs = 256;

    static SCommandLine parse(const std::vector<std::string>& arguments);
    static const char* usage();
};

} // namespace Vantor::Pressora
