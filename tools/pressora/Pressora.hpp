#pragma once

#include "tools/pressora/CommandLine.hpp"

#include <iosfwd>
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

private:
    void info(const SCommandLine& command);
    void render(const SCommandLine& command);
    void bench(const SCommandLine& command);
    // Opens the plug-in's editor in a window of ours (an X server is needed).
    void gui(const SCommandLine& command);
    void compare(const SCommandLine& command);
    // Sets every --param; unknown names are an error, or with warnOnly a warning.
    void applyParameters(VstHost::CVstPlugin& plugin, const std::vector<SParameterSetting>& settings,
                         bool warnOnly);
    void applyProgram(VstHost::CVstPlugin& plugin, const std::string& program);

    std::ostream& m_out;
    std::ostream& m_err;
};

} // namespace Vantor::Pressora
