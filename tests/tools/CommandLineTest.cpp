#include "tools/pressora/CommandLine.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

using Vantor::Pressora::CCommandLine;
using Vantor::Pressora::CUsageError;
using Vantor::Pressora::SCommandLine;
using ECommand = SCommandLine::ECommand;

TEST(CommandLine, ReadsEveryCommandAndOption)
{
    const SCommandLine render =
        CCommandLine::parse({"render", "p.so", "in.wav", "--program", "Vocal", "--param", "Ratio=0.25",
                             "out.wav", "--param=Mix=1", "--block=64"});
    EXPECT_EQ(render.plugins, std::vector<std::string>{"p.so"});
    EXPECT_EQ(render.inputPath, "in.wav");
    EXPECT_EQ(render.outputPath, "out.wav");
    EXPECT_EQ(render.program, "Vocal");
    ASSERT_EQ(render.parameters.size(), 2u);
    EXPECT_EQ(render.parameters[0].name, "Ratio");
    EXPECT_EQ(render.parameters[0].value, 0.25f);
    EXPECT_EQ(render.parameters[1].name, "Mix");
    EXPECT_EQ(render.parameters[1].value, 1.0f);
    EXPECT_EQ(render.blockSize, 64);

    const SCommandLine bench =
        CCommandLine::parse({"bench", "a.so", "b.so", "--seconds", "2.5", "--param", "Dry/Wet=0"});
    EXPECT_EQ(bench.plugins.size(), 2u);
    EXPECT_EQ(bench.seconds, 2.5);
    EXPECT_EQ(bench.parameters.at(0).name, "Dry/Wet");

    const SCommandLine gui = CCommandLine::parse(
        {"gui", "p.so", "--program", "2", "--param", "Mix=0.5", "--screenshot", "shot.png", "--after=300"});
    EXPECT_EQ(gui.command, ECommand::Gui);
    EXPECT_EQ(gui.plugins, std::vector<std::string>{"p.so"});
    EXPECT_EQ(gui.program, "2");
    EXPECT_EQ(gui.parameters.at(0).name, "Mix");
    EXPECT_EQ(gui.screenshotPath, "shot.png");
    EXPECT_EQ(gui.screenshotAfter, 300);
    EXPECT_EQ(CCommandLine::parse({"gui", "p.so"}).screenshotPath, "") << "a window until the user closes it";

    EXPECT_EQ(CCommandLine::parse({"render", "p.so", "i", "o", "--report", "r.png"}).reportPath, "r.png");
    const SCommandLine batch =
        CCommandLine::parse({"render", "p.so", "in", "--dither", "folder/", "--out-dir", "out", "--jobs=3"});
    EXPECT_EQ(batch.plugins, std::vector<std::string>{"p.so"});
    EXPECT_EQ(batch.inputPaths, (std::vector<std::string>{"in", "folder/"}));
    EXPECT_EQ(batch.outputFolder, "out");
    EXPECT_EQ(batch.jobs, 3);
    EXPECT_TRUE(batch.dither);
    EXPECT_FALSE(render.dither);
    EXPECT_EQ(render.jobs, 0) << "one worker per core";

    EXPECT_EQ(CCommandLine::parse({"render", "--help"}).command, ECommand::Help);
    EXPECT_EQ(CCommandLine::parse({"help"}).command, ECommand::Help);
}

// Settings for one plug-in of a bench land on that plug-in alone; the others get none.
TEST(CommandLine, BenchSettingsForOnePlugin)
{
    const SCommandLine bench = CCommandLine::parse(
        {"bench", "lib/a.so", "b:c.so", "a.so", "--param", "Mix=0.5", "--param-for", "2:Ratio=0.25",
         "--program-for", "b:c.so:Vocals", "--param-for=lib/a.so:Dry/Wet=1", "--program", "Hard"});
    EXPECT_EQ(bench.program, "Hard");
    ASSERT_EQ(bench.parameters.size(), 1u) << "--param keeps applying to every plug-in";
    ASSERT_EQ(bench.pluginSettings.size(), 3u);
    const auto& [first, second, third] =
        std::tie(bench.pluginSettings[0], bench.pluginSettings[1], bench.pluginSettings[2]);
    ASSERT_EQ(first.parameters.size(), 1u);
    EXPECT_EQ(first.parameters[0].name, "Dry/Wet");
    EXPECT_FALSE(first.program);
    EXPECT_EQ(second.program, "Vocals") << "a file name may hold a colon";
    ASSERT_EQ(second.parameters.size(), 1u);
    EXPECT_EQ(second.parameters[0].value, 0.25f);
    EXPECT_TRUE(third.parameters.empty());
    EXPECT_FALSE(third.program);

    EXPECT_TRUE(CCommandLine::parse({"bench", "a.so", "--param", "2:Mix=1"}).pluginSettings.empty())
        << "a --param whose name has a colon still goes to every plug-in";
}

TEST(CommandLine, MistakesAreExplained)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "no command"},
        {{"mix", "p.so"}, "unknown command 'mix'"},
        {{"info"}, "info expects one plug-in"},
        {{"info", "a.so", "b.so"}, "info expects one plug-in"},
        {{"render", "p.so", "in.wav"}, "render expects a plug-in, an input and an output"},
        {{"bench"}, "bench expects at least one plug-in"},
        {{"info", "p.so", "--block", "64"}, "--block is not an option of 'info'"},
        {{"info", "p.so", "--program", "1"}, "--program is not an option of 'info'"},
        {{"render", "p.so", "i", "o", "--seconds", "1"}, "--seconds is not an option of 'render'"},
        {{"render", "p.so", "i", "o", "--program", "1", "--program", "2"}, "--program given twice"},
        {{"render", "p.so", "i", "o", "--program="}, "--program needs a number or a name"},
        {{"bench", "p.so", "--param"}, "--param needs a value"},
        {{"bench", "p.so", "--param", "Ratio"}, "NAME=VALUE"},
        {{"bench", "p.so", "--param", "=0.5"}, "NAME=VALUE"},
        {{"bench", "p.so", "--param", "Ratio=1.5"}, "between 0 and 1"},
        {{"bench", "p.so", "--param", "Ratio=-0.1"}, "between 0 and 1"},
        {{"bench", "p.so", "--param", "Ratio=half"}, "between 0 and 1"},
        {{"bench", "p.so", "--param", "Ratio=nan"}, "between 0 and 1"},
        {{"bench", "p.so", "--block", "0"}, "not a block size"},
        {{"bench", "p.so", "--block", "12x"}, "not a block size"},
        {{"bench", "p.so", "--block", "70000"}, "not a block size"},
        {{"bench", "p.so", "--seconds", "0"}, "not a duration"},
        {{"bench", "p.so", "--seconds", "4000"}, "not a duration"},
        {{"bench", "p.so", "--fast"}, "unknown option '--fast'"},
        {{"gui"}, "gui expects one plug-in"},
        {{"gui", "p.so", "--after", "5"}, "--after only times a --screenshot"},
        {{"gui", "p.so", "--screenshot", "s.png", "--after", "-1"}, "not a number of milliseconds"},
        {{"gui", "p.so", "--screenshot="}, "--screenshot needs a file name"},
        {{"gui", "p.so", "--seconds", "2"}, "--seconds is not an option of 'gui'"},
        {{"render", "p.so", "i", "o", "--screenshot", "s.png"}, "--screenshot is not an option of 'render'"},
        {{"compare", "a.wav"}, "compare expects two sound files"},
        {{"render", "p.so", "--out-dir", "o"}, "render --out-dir expects a plug-in and inputs"},
        {{"render", "p.so", "i", "--out-dir", "o", "--out-dir=p"}, "--out-dir given twice"},
        {{"render", "p.so", "i", "o", "--jobs", "2"}, "--jobs only applies to --out-dir"},
        {{"render", "p.so", "i", "--out-dir", "o", "--report", "r.png"}, "--report pictures one render"},
        {{"render", "p.so", "i", "--out-dir", "o", "--jobs", "0"}, "not a number of workers from 1 to 256"},
        {{"render", "p.so", "i", "o", "--dither=yes"}, "--dither takes no value"},
        {{"bench", "p.so", "--dither"}, "--dither is not an option of 'bench'"},
        {{"compare", "a.wav", "b.wav", "--block", "8"}, "--block is not an option of 'compare'"},
        {{"render", "p.so", "i", "o", "--report="}, "--report needs a file name"},
        {{"bench", "p.so", "--report", "r.png"}, "--report is not an option of 'bench'"},
        {{"render", "p.so", "i", "o", "--param-for", "1:Mix=1"}, "--param-for is not an option of 'render'"},
        {{"bench", "a.so", "--param-for", "Mix=1"}, "--param-for expects WHICH:NAME=VALUE"},
        {{"bench", "a.so", "b.so", "--param-for", "3:Mix=1"}, "'3' is none of the 2 plug-ins"},
        {{"bench", "a.so", "b.so", "--param-for", "c.so:Mix=1"}, "'c.so' is none of the 2 plug-ins"},
        {{"bench", "x/a.so", "y/a.so", "--param-for", "a.so:Mix=1"}, "'a.so' names 2 of the plug-ins"},
        {{"bench", "a.so", "--param-for", "1:Mix"}, "--param-for expects NAME=VALUE"},
        {{"bench", "a.so", "--param-for", "1:Mix=2"}, "between 0 and 1"},
        {{"bench", "a.so", "--program-for", "1:"}, "--program-for needs a number or a name"},
        {{"bench", "a.so", "--program-for", "1:A", "--program-for", "a.so:B"}, "--program-for given twice"},
    };
    for (const auto& [arguments, expected] : cases)
    {
        EXPECT_THAT([&] { CCommandLine::parse(arguments); },
                    ::testing::ThrowsMessage<CUsageError>(::testing::HasSubstr(expected)))
            << ::testing::PrintToString(arguments);
    }
}
