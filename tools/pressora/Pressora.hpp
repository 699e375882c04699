#pragma once

#include "tools/pressora/CommandLine.hpp"
#include "tools/pressora/LevelAnalysis.hpp"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace Vantor::VstHost
{
class CVstPlugin;
}

namespace Vantor::Pressora
{

// The pressora program: "info", "render", "bench", "gui" and "compare" on VST 2.4 plug-ins.
// Reports go to out; warnings, progress and the single error line go to err.
class CPressora
{
public:
    enum EExitCode
    {
        kSuccess = 0,
        kFailure = 1,    // a file, a plug-in, a parameter or a program could not be used
        kUsageError = 2, // the command line is wrong
    };

    CPressora(std::ostream& out, std::ostream& err);

    // Runs one command line (without the program name); never throws.
    int run(const std::vector<std::string>& arguments);
    // The signal (SIGINT, SIGTERM) that stopped the last run; 0 when none did.
    // The program then ends by it, as a shell expects of a stopped command.
    int stopSignal() const { return m_stopSignal; }

private:
    void info(const SCommandLine& command);
    void render(const SCommandLine& command);
    void renderFile(const SCommandLine& command);
    void renderBatch(const SCommandLine& command);
    // The plug-in loaded for rendering, its program and parameters set.
    std::unique_ptr<VstHost::CVstPlugin> loadForRendering(const SCommandLine& command, float sampleRate);
    void bench(const SCommandLine& command);
    // Opens the plug-in's editor in a window of ours (an X server is needed).
    void gui(const SCommandLine& command);
    void compare(const SCommandLine& command);
    // The measurements of one render, printed and drawn into command.reportPath.
    // rendered is the instance that made output; input is what it was fed.
    void report(const SCommandLine& command, VstHost::CVstPlugin& rendered, int inputChannels,
                const SStereoView& input, const SStereoView& output);
    // Sets every --param; unknown names are an error, or with warnOnly a warning.
    // Returns the indices of the parameters set.
    std::vector<int> applyParameters(VstHost::CVstPlugin& plugin,
                                     const std::vector<SParameterSetting>& settings, bool warnOnly);
    // Selects a program; one the plug-in lacks is an error, or with warnOnly a
    // warning (then false).
    bool applyProgram(VstHost::CVstPlugin& plugin, const std::string& program, bool warnOnly = false);
    // Gives one plug-in of a bench its settings (those for all, then its own;
    // PressoraLite, reached by none, the standard setting) and says what it runs.
    std::string setUpForBench(VstHost::CVstPlugin& plugin, const SCommandLine& command, std::size_t index);

    std::ostream& m_out;
    std::ostream& m_err;
    int m_stopSignal = 0;
};

} // namespace Vantor::Pressora
