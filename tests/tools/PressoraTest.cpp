// Runs the built pressora program as a user would and checks what it says.

#include "tests/tools/ProbePluginState.hpp"
#include "tools/pressora/WaveFile.hpp"

#include "tests/ScratchFolder.hpp"
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

using Vantor::Pressora::CWaveFile;
using EFormat = CWaveFile::ESampleFormat;

namespace
{

struct SRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::filesystem::path scratch(const std::string& name)
{
    static const Vantor::Testing::CScratchFolder folder("pressora");
    return folder / name;
}

std::string readAll(const std::filesystem::path& path)
{
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

// Runs pressora; environment ("NAME=value ...") is put before the command.
SRun pressora(const std::vector<std::string>& arguments, const std::string& environment = "")
{
    const auto outPath = scratch("stdout.txt");
    const auto errPath = scratch("stderr.txt");
    // Every argument as one shell word; none here contains a quote.
    auto quoted = [](const std::string& text) { return "'" + text + "'"; };
    std::ostringstream command;
    command << environment << ' ' << quoted(PRESSORA_PATH);
    for (const auto& argument : arguments)
    {
        command << ' ' << quoted(argument);
    }
    command << " >" << quoted(outPath.string()) << " 2>" << quoted(errPath.string()) << " </dev/null";
    const int status = std::system(command.str().c_str());
    SRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readAll(outPath);
    run.err = readAll(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return run;
}

// One line on stderr, starting with the program's name and containing expected.
void expectErrorLine(const SRun& run, int exitCode, const std::string& expected)
{
    EXPECT_EQ(run.exitCode, exitCode) << run.err;
    EXPECT_EQ(run.err.rfind("pressora: ", 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find(expected), std::string::npos) << run.err;
}

std::filesystem::path writeRamp(const std::string& name, EFormat format, int channels, std::size_t frames)
{
    std::vector<std::vector<float>> data(static_cast<std::size_t>(channels), std::vector<float>(frames));
    for (std::size_t c = 0; c < data.size(); ++c)
    {
        for (std::size_t i = 0; i < frames; ++i)
        {
            data[c][i] = static_cast<float>((static_cast<int>(i % 200) - 100) * (c == 0 ? 1 : -1)) / 128.0f;
        }
    }
    const auto path = scratch(name);
    CWaveFile(32000, format, std::move(data)).save(path);
    return path;
}

} // namespace

TEST(PressoraProgram, HelpAndWrongCommandLines)
{
    const SRun help = pressora({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Usage:"), std::string::npos);
    EXPECT_TRUE(help.err.empty());

    // Every usage error the parser finds reaches the user this way.
    expectErrorLine(pressora({"bench", VSTHOST_PROBE_PATH, "--block", "-3"}), 2, "--block");
}

TEST(PressoraProgram, FailuresAreOneLine)
{
    const std::string input = writeRamp("in.wav", EFormat::Pcm16, 2, 100).string();
    const std::string output = scratch("out.wav").string();
    const auto garbage = scratch("garbage.wav");
    std::ofstream(garbage) << "RIFF but not really";
    const std::string probe = VSTHOST_PROBE_PATH;
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"info", "/nonexistent/plugin.so"}, "no such file"},
        {{"info", VSTHOST_PROBE_BAD_MAGIC_PATH}, "magic"},
        {{"bench", probe, VSTHOST_PROBE_REFUSE_PATH, "--seconds", "0.1"}, "returned no effect"},
        {{"render", probe, garbage.string(), output}, "not a WAV file"},
        {{"render", probe, scratch("absent.wav").string(), output}, "absent.wav"},
        {{"render", probe, input, output, "--param", "Tone=0.5"},
         "has no parameter 'Tone' (parameters: Gain, Drive, Mix Leve)"},
        {{"render", probe, input, output, "--program", "Loud"},
         "has no program 'Loud' (programs: 0 Init, 1 Bright, 2 Dark)"},
        {{"render", probe, input, output, "--program", "3"}, "has no program '3'"},
        {{"gui", probe}, "has no editor"},
    };
    for (const auto& [arguments, expected] : cases)
    {
        SCOPED_TRACE(expected);
        expectErrorLine(pressora(arguments), 1, expected);
    }
    EXPECT_FALSE(std::filesystem::exists(output));
    std::filesystem::remove(garbage);
    std::filesystem::remove(input);
}

TEST(PressoraProgram, RenderFeedsMonoToBothChannelsAndKeepsTheFormat)
{
    constexpr std::size_t kFrames = 3000;
    for (const EFormat format : {EFormat::Pcm16, EFormat::Pcm24, EFormat::Float32})
    {
        const auto input = writeRamp("mono.wav", format, 1, kFrames);
        const auto output = scratch("rendered.wav");
        const SRun run = pressora({"render", VSTHOST_PROBE_PATH, input.string(), output.string(), "--block",
                                   "100", "--program", "dark", "--param", "drive=0.5"});
        ASSERT_EQ(run.exitCode, 0) << run.err;

        const CWaveFile in = CWaveFile::load(input);
        const CWaveFile out = CWaveFile::load(output);
        EXPECT_EQ(out.format(), format);
        EXPECT_EQ(out.sampleRate(), 32000);
        ASSERT_EQ(out.channelCount(), 2);
        ASSERT_EQ(out.frameCount(), static_cast<std::int64_t>(kFrames));
        for (std::size_t i = 0; i < kFrames; ++i)
        {
            const float expected = i < ProbePlugin::kDelay ? 0.0f : in.channel(0)[i - ProbePlugin::kDelay];
            ASSERT_EQ(out.channel(0)[i], expected) << i;
            ASSERT_EQ(out.channel(1)[i], expected) << i;
        }
        std::filesystem::remove(input);
        std::filesystem::remove(output);
    }
}

TEST(PressoraProgram, CompareNamesTheFirstDifferenceInTime)
{
    const auto first = writeRamp("first.wav", EFormat::Float32, 2, 1000);
    const auto second = scratch("second.wav");
    const auto compare = [&] { return pressora({"compare", first.string(), second.string()}); };

    std::filesystem::copy_file(first, second, std::filesystem::copy_options::overwrite_existing);
    const SRun same = compare();
    EXPECT_EQ(same.exitCode, 0) << same.err;
    EXPECT_NE(same.out.find("identical: 1000 frames, 2 channels"), std::string::npos) << same.out;

    CWaveFile changed = CWaveFile::load(first);
    changed.channel(1)[700] = -changed.channel(1)[700];
    changed.channel(0)[701] += 1.0f / 65536.0f; // a later frame, though an earlier channel
    changed.save(second);
    expectErrorLine(compare(), 1, "first difference at frame 700, channel 1");

    // Length and channels are named; the sign of zero counts.
    writeRamp("second.wav", EFormat::Float32, 2, 999);
    expectErrorLine(compare(), 1, "999 frames instead of 1000");
    writeRamp("second.wav", EFormat::Float32, 1, 1000);
    expectErrorLine(compare(), 1, "1 channels instead of 2");
    CWaveFile signedZero = CWaveFile::load(first);
    signedZero.channel(0)[12] = 0.0f;
    signedZero.save(first);
    signedZero.channel(0)[12] = -0.0f;
    signedZero.save(second);
    expectErrorLine(compare(), 1, "frame 12, channel 0");
    std::filesystem::remove(first);
    std::filesystem::remove(second);
}

TEST(PressoraProgram, RenderShowsProgressOnLongFiles)
{
    const auto input = writeRamp("long.wav", EFormat::Float32, 2, 32000 * 12);
    const auto output = scratch("long_out.wav");
    const SRun run = pressora({"render", VSTHOST_PROBE_PATH, input.string(), output.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("\rrendering 100%\n"), std::string::npos);
    const CWaveFile out = CWaveFile::load(output);
    EXPECT_EQ(out.channel(1)[1000], CWaveFile::load(input).channel(1)[1000 - ProbePlugin::kDelay]);
    std::filesystem::remove(input);
    std::filesystem::remove(output);
}

TEST(PressoraProgram, InfoDescribesThePlugin)
{
    const SRun run = pressora({"info", VSTHOST_PROBE_MAIN_ONLY_PATH});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const char* expected :
         {"(entry point main)", "Effect name:    Probe Delay", "'Prb1'", "CanReplacing",
          "initialDelay   4 samples", "Mix Leve", "0.250", "Bright", "receiveVstMidiEvent   yes",
          "bypass                no", "input 0: (no properties)",
          "output 0: 'Probe Left' short 'PrL', active, stereo"})
    {
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
    }
}

// The lines of a text that start with a prefix.
std::vector<std::string> linesStarting(const std::string& text, const std::string& prefix)
{
    std::vector<std::string> found;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
    {
        if (line.rfind(prefix, 0) == 0)
        {
            found.push_back(line);
        }
    }
    return found;
}

// Width and height from a PNG file's header chunk.
std::pair<unsigned, unsigned> pngSize(const std::filesystem::path& path)
{
    const std::string bytes = readAll(path);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0 || bytes.compare(12, 4, "IHDR") != 0)
    {
        return {0, 0};
    }
    const auto word = [&](std::size_t at)
    {
        unsigned value = 0;
        for (std::size_t i = at; i < at + 4; ++i)
        {
            value = (value << 8) | static_cast<unsigned char>(bytes[i]);
        }
        return value;
    };
    return {word(16), word(20)};
}

TEST(PressoraProgram, RenderReportPrintsLoudnessAndDrawsThePicture)
{
    // 4 s of a stereo 1 kHz sine at -23 dBFS, then the same length of silence.
    constexpr int kRate = 48000;
    std::vector<std::vector<float>> tone(2, std::vector<float>(4 * kRate));
    for (std::size_t i = 0; i < tone[0].size(); ++i)
    {
        tone[0][i] = tone[1][i] =
            static_cast<float>(0.0707946 * std::sin(2.0 * 3.14159265358979 * 1000.0 * i / kRate));
    }
    const auto input = scratch("tone.wav");
    CWaveFile(kRate, EFormat::Float32, tone).save(input);
    const auto quiet = scratch("quiet.wav");
    CWaveFile(kRate, EFormat::Pcm16, std::vector<std::vector<float>>(1, std::vector<float>(kRate)))
        .save(quiet);
    const auto output = scratch("report-out.wav");
    const auto picture = scratch("report.png");

    const SRun run = pressora(
        {"render", VSTHOST_PROBE_PATH, input.string(), output.string(), "--report", picture.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(linesStarting(run.out, "integrated loudness:"),
              std::vector<std::string>{"integrated loudness: input -23.0 LUFS, output -23.0 LUFS"})
        << run.out;
    EXPECT_EQ(linesStarting(run.out, "gain reduction:"),
              std::vector<std::string>{"gain reduction: average 0.0 dB, largest 0.0 dB"})
        << "the probe only delays, which the report aligns:\n"
        << run.out;
    EXPECT_EQ(pngSize(picture), std::make_pair(1600u, 1000u));
    EXPECT_TRUE(CWaveFile::load(output).frameCount() == 4 * kRate) << "the render itself is written";

    std::filesystem::remove(picture);
    const SRun silent = pressora({"render", PRESSORALITE_PATH, quiet.string(), output.string(), "--report",
                                  picture.string(), "--program", "Vocals"});
    ASSERT_EQ(silent.exitCode, 0) << silent.err;
    EXPECT_EQ(linesStarting(silent.out, "integrated loudness:"),
              std::vector<std::string>{"integrated loudness: input silent, output silent"})
        << silent.out;
    EXPECT_EQ(pngSize(picture), std::make_pair(1600u, 1000u));

    // A report that cannot be written is one error line, after the render. (A sanitizer
    // build would add the suppressions it used for the font library's caches.)
    expectErrorLine(pressora({"render", VSTHOST_PROBE_PATH, quiet.string(), output.string(), "--report",
                              scratch("no/such/folder/r.png").string()},
                             "LSAN_OPTIONS=print_suppressions=0"),
                    1, "cannot write the report");
    for (const auto& path : {input, quiet, output, picture})
    {
        std::filesystem::remove(path);
    }
}

// Each row carries the gain reduction the plug-in applied to the bench signal;
// PressoraLite without settings runs the standard setting and compresses, the
// probe (a delay, as a bypassed plug-in) and PressoraLite's Default program
// (threshold 0 dB) do not and are marked.
TEST(PressoraProgram, BenchShowsGainReductionAndTheSettingThatRan)
{
    const SRun run = pressora({"bench", PRESSORALITE_PATH, VSTHOST_PROBE_PATH, PRESSORALITE_PATH, "--seconds",
                               "3", "--program-for", "3:Default"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> rows = linesStarting(run.out, "PressoraLite.so ");
    ASSERT_EQ(rows.size(), 2u) << run.out;
    const auto numbers = [](const std::string& row)
    {
        std::istringstream fields(row.substr(row.find(' ')));
        std::vector<double> values(5);
        for (double& value : values)
        {
            fields >> value;
        }
        return values; // ns/frame, x realtime, ratio, GR average, GR largest
    };
    EXPECT_GT(numbers(rows[0])[4], 3.0) << rows[0];
    EXPECT_EQ(rows[0].find("not compressing"), std::string::npos) << rows[0];
    EXPECT_NE(rows[1].find("not compressing"), std::string::npos) << rows[1];
    EXPECT_NEAR(numbers(rows[1])[3], -2.0, 0.05) << "its Master's 2 dB, as they are: " << rows[1];
    const std::vector<std::string> probe = linesStarting(run.out, "vsthost_probe.so ");
    ASSERT_EQ(probe.size(), 1u);
    EXPECT_NE(probe[0].find("0.0         0.0  not compressing"), std::string::npos) << probe[0];

    EXPECT_EQ(linesStarting(run.out, "  PressoraLite.so: the standard setting (Threshold -20 dB, Ratio 4:1, "
                                     "Attack 5 ms, Release 50 ms)")
                  .size(),
              1u)
        << run.out;
    EXPECT_EQ(linesStarting(run.out, "  PressoraLite.so: program 0 \"Default\"").size(), 1u) << run.out;
    EXPECT_EQ(linesStarting(run.out, "  vsthost_probe.so: as it loads (program 0 \"Init\")").size(), 1u)
        << run.out;

    // A setting for all that reaches PressoraLite replaces the standard setting.
    const SRun given = pressora({"bench", PRESSORALITE_PATH, "--seconds", "0.5", "--program", "Hard"});
    ASSERT_EQ(given.exitCode, 0) << given.err;
    EXPECT_EQ(linesStarting(given.out, "  PressoraLite.so: program 5 \"Hard\"").size(), 1u) << given.out;
    expectErrorLine(pressora({"bench", PRESSORALITE_PATH, "--seconds", "0.5", "--param-for", "1:Knee=1"}), 1,
                    "has no parameter 'Knee'");
}

TEST(PressoraProgram, BenchComparesEveryPluginWithTheFirst)
{
    const SRun run = pressora({"bench", VSTHOST_PROBE_PATH, VSTHOST_PROBE_MAIN_ONLY_PATH, "--seconds", "0.5",
                               "--block", "256", "--param", "GAIN=0.1", "--param", "Missing=1"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("vsthost_probe.so"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("vsthost_probe_main_only.so"), std::string::npos) << run.out;
    EXPECT_NE(linesStarting(run.out, "vsthost_probe.so ").at(0).find(" 1.00 "), std::string::npos)
        << run.out; // the first is its own reference
    // The missing parameter is only a warning, once per plug-in.
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
    EXPECT_NE(run.err.find("warning: 'vsthost_probe.so' has no parameter 'Missing'"), std::string::npos)
        << run.err;
}

// Other hosts' plug-ins, when installed: the host must cope with what real
// plug-ins ask and expect (entry-point names, early host calls, side-chain inputs).
TEST(PressoraProgram, WorksWithInstalledThirdPartyPlugins)
{
    const char* const kPaths[] = {"/usr/lib/vst/ZamCompX2-vst.so",
                                  "/usr/lib/vst/lsp-plugins/compressor-stereo.so"};
    std::vector<std::string> found;
    std::copy_if(std::begin(kPaths), std::end(kPaths), std::back_inserter(found),
                 [](const char* path) { return std::filesystem::exists(path); });
    if (found.empty())
    {
        GTEST_SKIP() << "no third-party VST plug-ins installed";
    }
    // Their own start-up allocations are not ours to account for in a sanitizer build.
    const std::string noLeakCheck = "ASAN_OPTIONS=detect_leaks=0";
    for (const auto& path : found)
    {
        const SRun info = pressora({"info", path}, noLeakCheck);
        EXPECT_EQ(info.exitCode, 0) << path << "\n" << info.err;
        EXPECT_NE(info.out.find("'VstP'"), std::string::npos) << info.out;
    }
    std::vector<std::string> arguments = {"bench", VSTHOST_PROBE_PATH};
    arguments.insert(arguments.end(), found.begin(), found.end());
    arguments.insert(arguments.end(), {"--seconds", "0.2", "--block", "100"});
    const SRun bench = pressora(arguments, noLeakCheck);
    EXPECT_EQ(bench.exitCode, 0) << bench.err;
    // The signal, the heading, a row each, "settings:" and a setting each.
    EXPECT_EQ(std::count(bench.out.begin(), bench.out.end(), '\n'), 2 * static_cast<long>(found.size()) + 5)
        << bench.out;
}
