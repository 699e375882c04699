// Runs the built pressora program as a user would and checks what it says.

#include "tests/tools/ProbePluginState.hpp"
#include "tools/pressora/DefaultSoundFiles.hpp"
#include "tools/pressora/Render.hpp"
#include "tools/pressora/WaveFile.hpp"
#include "tools/vsthost/VstPlugin.hpp"

#include "tests/ScratchFolder.hpp"
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <thread>

extern char** environ;

using namespace Vantor::Pressora;
using EFormat = ESampleFormat;

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

// Writes audio in the kind the name asks for, as pressora writes it.
void writeAudio(const std::filesystem::path& path, const SAudio& audio, EFormat format)
{
    const ISoundFiles& files = defaultSoundFiles();
    writeSoundFile(files, path, audio, files.outputFormat(path, format, audio.sampleRate));
}

SAudio readAudio(const std::filesystem::path& path)
{
    return defaultSoundFiles().read(path).audio;
}

// A ramp that every integer format holds exactly, at 32 kHz.
SAudio ramp(int channels, std::size_t frames)
{
    SAudio audio{32000, std::vector<std::vector<float>>(static_cast<std::size_t>(channels),
                                                        std::vector<float>(frames))};
    for (std::size_t c = 0; c < audio.channels.size(); ++c)
    {
        for (std::size_t i = 0; i < frames; ++i)
        {
            audio.channels[c][i] =
                static_cast<float>((static_cast<int>(i % 200) - 100) * (c == 0 ? 1 : -1)) / 128.0f;
        }
    }
    return audio;
}

std::filesystem::path writeRamp(const std::string& name, EFormat format, int channels, std::size_t frames)
{
    const auto path = scratch(name);
    std::filesystem::create_directories(path.parent_path());
    writeAudio(path, ramp(channels, frames), format);
    return path;
}

// Whether the output is the input through the probe: delayed by its latency,
// a mono input on both channels.
::testing::AssertionResult isProbeOutput(const std::filesystem::path& input,
                                         const std::filesystem::path& output)
{
    if (!std::filesystem::exists(output))
    {
        return ::testing::AssertionFailure() << output << " is missing";
    }
    const SAudio in = readAudio(input);
    const SAudio out = readAudio(output);
    if (out.channelCount() != 2 || out.frameCount() != in.frameCount() || out.sampleRate != in.sampleRate)
    {
        return ::testing::AssertionFailure() << output << ": " << out.channelCount() << " channels, "
                                             << out.frameCount() << " frames at " << out.sampleRate << " Hz";
    }
    for (std::size_t c = 0; c < 2; ++c)
    {
        const std::vector<float>& source = in.channels[std::min<std::size_t>(c, in.channels.size() - 1)];
        for (std::size_t i = 0; i < source.size(); ++i)
        {
            const float expected = i < ProbePlugin::kDelay ? 0.0f : source[i - ProbePlugin::kDelay];
            if (out.channels[c][i] != expected)
            {
                return ::testing::AssertionFailure() << output << ": channel " << c << ", frame " << i << ": "
                                                     << out.channels[c][i] << " instead of " << expected;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// Every file below a folder, by its path inside it.
std::vector<std::string> filesBelow(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    if (std::filesystem::exists(folder))
    {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        {
            if (entry.is_regular_file())
            {
                names.push_back(entry.path().lexically_relative(folder).generic_string());
            }
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// pressora started in the background, its output going to files.
struct SChild
{
    pid_t pid = -1;
    std::filesystem::path out;
    std::filesystem::path err;
};

SChild start(const std::vector<std::string>& arguments, const std::vector<std::string>& environment)
{
    SChild child;
    child.out = scratch("child-stdout.txt");
    child.err = scratch("child-stderr.txt");
    std::vector<std::string> words = {PRESSORA_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
    {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> variables = environment;
    for (char** variable = environ; *variable != nullptr; ++variable)
    {
        variables.emplace_back(*variable);
    }
    std::vector<char*> envp;
    for (std::string& variable : variables)
    {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, child.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, child.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int failed = posix_spawn(&child.pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0)
    {
        child.pid = -1;
    }
    return child;
}

// Waits for a condition that the child brings about; the bound only keeps a
// broken program from hanging the test.
bool eventually(const std::function<bool()>& condition)
{
    for (int i = 0; i < 12000; ++i)
    {
        if (condition())
        {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

// Whether the output of this name is being written.
bool isBeingWritten(const std::filesystem::path& folder, const std::string& output)
{
    const auto names = filesBelow(folder);
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& name)
                       { return isTemporaryName(name) && name.find(output) != std::string::npos; });
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
        {{"render", probe, garbage.string(), output}, "'" + garbage.string() + "': cannot read: "},
        {{"render", probe, input, scratch("out.opus").string()},
         "Opus files are written only at 8000, 12000, 16000, 24000 or 48000 Hz, not at the input's 32000 Hz"},
        {{"render", probe, input, scratch("out.xyz").string()}, "no kind of sound file has this extension"},
        {{"render", probe, input, input}, "is the input itself"},
        {{"render", probe, input, scratch("none/out.wav").string()},
         "'" + scratch("none/out.wav").string() + "': cannot write WAV 16-bit PCM"},
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
    EXPECT_FALSE(std::filesystem::exists(scratch("out.opus")));
    EXPECT_EQ(readAudio(input).channels, ramp(2, 100).channels) << "the input was left alone";
    std::filesystem::remove(garbage);
    std::filesystem::remove(input);
}

TEST(PressoraProgram, RenderFeedsMonoToBothChannelsAndKeepsTheFormat)
{
    constexpr std::size_t kFrames = 3000;
    for (const EFormat format :
         {EFormat::Pcm8, EFormat::Pcm16, EFormat::Pcm24, EFormat::Pcm32, EFormat::Float32, EFormat::Float64})
    {
        SCOPED_TRACE(sampleFormatName(format));
        const auto input = writeRamp("mono.wav", format, 1, kFrames);
        const auto output = scratch("rendered.wav");
        const SRun run = pressora({"render", VSTHOST_PROBE_PATH, input.string(), output.string(), "--block",
                                   "100", "--program", "dark", "--param", "drive=0.5"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(defaultSoundFiles().read(output).format.sample, format);
        EXPECT_TRUE(isProbeOutput(input, output));
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

    SAudio changed = readAudio(first);
    changed.channels[1][700] = -changed.channels[1][700];
    changed.channels[0][701] += 1.0f / 65536.0f; // a later frame, though an earlier channel
    writeAudio(second, changed, EFormat::Float32);
    expectErrorLine(compare(), 1, "first difference at frame 700, channel 1");

    // Length and channels are named; the sign of zero counts.
    writeRamp("second.wav", EFormat::Float32, 2, 999);
    expectErrorLine(compare(), 1, "999 frames instead of 1000");
    writeRamp("second.wav", EFormat::Float32, 1, 1000);
    expectErrorLine(compare(), 1, "1 channels instead of 2");
    SAudio signedZero = readAudio(first);
    signedZero.channels[0][12] = 0.0f;
    writeAudio(first, signedZero, EFormat::Float32);
    signedZero.channels[0][12] = -0.0f;
    writeAudio(second, signedZero, EFormat::Float32);
    expectErrorLine(compare(), 1, "frame 12, channel 0");

    // Any two kinds of file: the same 16-bit audio as WAV and as FLAC.
    const auto wav = writeRamp("same.wav", EFormat::Pcm16, 2, 1000);
    const auto flac = writeRamp("same.flac", EFormat::Pcm16, 2, 1000);
    const SRun kinds = pressora({"compare", wav.string(), flac.string()});
    EXPECT_EQ(kinds.exitCode, 0) << kinds.err;
    EXPECT_NE(kinds.out.find("WAV 16-bit PCM and FLAC 16-bit PCM"), std::string::npos) << kinds.out;
    for (const auto& path : {first, second, wav, flac})
    {
        std::filesystem::remove(path);
    }
}

TEST(PressoraProgram, RenderShowsProgressOnLongFiles)
{
    const auto input = writeRamp("long.wav", EFormat::Float32, 2, 32000 * 12);
    const auto output = scratch("long_out.wav");
    const SRun run = pressora({"render", VSTHOST_PROBE_PATH, input.string(), output.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("\rrendering 100%\n"), std::string::npos);
    EXPECT_TRUE(isProbeOutput(input, output));
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
    writeAudio(input, SAudio{kRate, tone}, EFormat::Float32);
    const auto quiet = scratch("quiet.wav");
    writeAudio(quiet, SAudio{kRate, std::vector<std::vector<float>>(1, std::vector<float>(kRate))},
               EFormat::Pcm16);
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
    EXPECT_EQ(readAudio(output).frameCount(), 4 * kRate) << "the render itself is written";

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

TEST(PressoraProgram, FloatOutputIsTheDirectRenderBitForBit)
{
    // A level that moves, so that the compressor works.
    SAudio input{44100, {std::vector<float>(30000), std::vector<float>(30000)}};
    for (std::size_t i = 0; i < 30000; ++i)
    {
        const double level = i % 10000 < 5000 ? 0.9 : 0.05;
        input.channels[0][i] = static_cast<float>(level * std::sin(0.05 * static_cast<double>(i)));
        input.channels[1][i] = static_cast<float>(level * std::cos(0.031 * static_cast<double>(i)));
    }
    const auto inputPath = scratch("float-in.wav");
    writeAudio(inputPath, input, EFormat::Float32);

    Vantor::VstHost::SHostSettings settings;
    settings.sampleRate = 44100.0f;
    settings.blockSize = 256;
    settings.offline = true;
    settings.logCalls = false;
    auto plugin = Vantor::VstHost::CVstPlugin::load(PRESSORALITE_PATH, settings);
    plugin->setSampleRate(settings.sampleRate);
    plugin->setBlockSize(settings.blockSize);
    plugin->setProgram(plugin->findProgram("Vocals").value());
    plugin->resume();
    std::vector<std::vector<float>> direct(2, std::vector<float>(30000));
    plugin->processStereo(input.channels[0].data(), input.channels[1].data(), direct[0].data(),
                          direct[1].data(), 30000);
    plugin.reset();

    for (const char* name : {"float-out.wav", "float-out.caf", "float-out.w64", "float-out.aiff"})
    {
        SCOPED_TRACE(name);
        const auto output = scratch(name);
        const SRun run = pressora({"render", PRESSORALITE_PATH, inputPath.string(), output.string(),
                                   "--program", "Vocals", "--block", "256"},
                                  "ASAN_OPTIONS=detect_leaks=0");
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const SSoundFile rendered = defaultSoundFiles().read(output);
        EXPECT_EQ(rendered.format.sample, EFormat::Float32);
        for (std::size_t c = 0; c < 2; ++c)
        {
            ASSERT_EQ(rendered.audio.channels[c].size(), direct[c].size());
            for (std::size_t i = 0; i < direct[c].size(); ++i)
            {
                ASSERT_EQ(std::bit_cast<std::uint32_t>(rendered.audio.channels[c][i]),
                          std::bit_cast<std::uint32_t>(direct[c][i]))
                    << c << ":" << i;
            }
        }
        std::filesystem::remove(output);
    }
    std::filesystem::remove(inputPath);
}

TEST(PressoraProgram, ClippedSamplesAndShortFilesAreReportedOnce)
{
    // Full scale and beyond in a float file, written as 24-bit FLAC: +1.0, 1.5
    // and -2.0 clip on both channels; -1.0 and 0.9999 do not.
    SAudio loud{48000, {std::vector<float>(100, 0.0f)}};
    const float values[] = {1.0f, 1.5f, -1.0f, -2.0f, 0.9999f};
    std::copy(std::begin(values), std::end(values), loud.channels[0].begin() + 10);
    const auto input = scratch("loud.wav");
    writeAudio(input, loud, EFormat::Float32);
    const auto output = scratch("loud.flac");
    SRun run = pressora({"render", VSTHOST_PROBE_PATH, input.string(), output.string()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "pressora: warning: '" + output.string() + "': 6 samples clipped\n");
    EXPECT_NE(run.out.find("FLAC 24-bit PCM"), std::string::npos) << run.out;

    // A streamed file whose header still says 0 frames is read to its end.
    writeRamp("streamed.wav", EFormat::Pcm16, 2, 1000);
    std::string bytes;
    {
        std::ifstream in(scratch("streamed.wav"), std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bytes.replace(bytes.find("data") + 4, 4, std::string(4, '\0'));
    std::ofstream(scratch("streamed.wav"), std::ios::binary | std::ios::trunc) << bytes;
    run = pressora({"render", VSTHOST_PROBE_PATH, scratch("streamed.wav").string(),
                    scratch("streamed-out.wav").string()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find("the header gives 0 frames but the file holds 1000"), std::string::npos)
        << run.err;
    EXPECT_EQ(readAudio(scratch("streamed-out.wav")).frameCount(), 1000);
}

TEST(PressoraProgram, BatchMirrorsFoldersAndGoesOnPastAFileThatFails)
{
    const std::string in = scratch("batch-in").string();
    const auto out = scratch("batch-out");
    writeRamp("batch-in/x.wav", EFormat::Pcm16, 2, 1500);
    writeRamp("batch-in/sub/y.wav", EFormat::Float32, 1, 700);
    writeRamp("batch-in/sub/deeper/z.flac", EFormat::Pcm24, 2, 900);
    writeRamp("batch-in/.hidden.wav", EFormat::Pcm16, 2, 10);
    writeRamp("solo.wav", EFormat::Pcm16, 2, 300);
    std::ofstream(scratch("batch-in/bad.wav")) << "not a sound file";
    std::ofstream(scratch("batch-in/notes.txt")) << "not taken";

    const SRun run = pressora({"render", VSTHOST_PROBE_PATH, in, scratch("solo.wav").string(), "--out-dir",
                               out.string(), "--jobs", "2"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(filesBelow(out),
              (std::vector<std::string>{"solo.wav", "sub/deeper/z.flac", "sub/y.wav", "x.wav"}));
    for (const char* name : {"x.wav", "sub/y.wav", "sub/deeper/z.flac"})
    {
        EXPECT_TRUE(isProbeOutput(scratch("batch-in") / name, out / name));
    }
    EXPECT_TRUE(isProbeOutput(scratch("solo.wav"), out / "solo.wav"));
    // The failure is one line naming the file, then the count; a line per file on stdout.
    EXPECT_NE(run.err.find("pressora: '" + in + "/bad.wav': cannot read: "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("pressora: 1 of 5 files failed"), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 6) << run.out;
    EXPECT_NE(run.out.find("rendered 4 of 5 files into " + out.string() + " on 2 workers (1 failed)"),
              std::string::npos)
        << run.out;
}

TEST(PressoraProgram, BatchRefusesNameClashesAndOverwritesBeforeAnythingStarts)
{
    const auto first = writeRamp("clash-a/same.wav", EFormat::Pcm16, 2, 100);
    const auto second = writeRamp("clash-b/same.wav", EFormat::Pcm16, 2, 100);
    const auto out = scratch("clash-out");
    expectErrorLine(pressora({"render", VSTHOST_PROBE_PATH, scratch("clash-a").string(), second.string(),
                              "--out-dir", out.string()}),
                    1,
                    "'" + first.string() + "' and '" + second.string() + "' would both be rendered to '" +
                        (out / "same.wav").string() + "'");
    EXPECT_FALSE(std::filesystem::exists(out));
    expectErrorLine(pressora({"render", VSTHOST_PROBE_PATH, scratch("clash-a").string(), "--out-dir",
                              scratch("clash-a").string()}),
                    1, "would overwrite the input");
    EXPECT_EQ(readAudio(first).channels, ramp(2, 100).channels);
}

// Three files on one worker; the second holds the probe until released.
class PressoraStopTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeRamp("stop-in/a.wav", EFormat::Pcm16, 2, 2000);
        writeAudio(scratch("stop-in/b.wav"),
                   SAudio{32000, {std::vector<float>(2000, ProbePlugin::kHoldSample)}}, EFormat::Pcm16);
        writeRamp("stop-in/c.wav", EFormat::Pcm16, 2, 2000);
        std::ofstream(hold) << "hold";
        child = start({"render", VSTHOST_PROBE_HOLD_PATH, scratch("stop-in").string(), "--out-dir",
                       out.string(), "--jobs", "1"},
                      {"VSTHOST_PROBE_HOLD=" + hold.string()});
        ASSERT_GT(child.pid, 0);
        // b is held with its temporary output open, a done.
        ASSERT_TRUE(eventually([&] { return isBeingWritten(out, "b.wav"); })) << filesBelow(out).size();
    }
    void TearDown() override { std::filesystem::remove(hold); }

    int finish()
    {
        int status = 0;
        waitpid(child.pid, &status, 0);
        return status;
    }

    const Vantor::Testing::CScratchFolder folder{"pressora_stop"}; // new for each case
    const std::filesystem::path hold = folder / "hold";
    const std::filesystem::path out = folder / "out";
    SChild child;
};

TEST_F(PressoraStopTest, SigintStopsTheRunAndLeavesNoTemporaryFile)
{
    ::kill(child.pid, SIGINT);
    ASSERT_TRUE(eventually([&] { return readAll(child.err).find("stopping") != std::string::npos; }));
    std::filesystem::remove(hold);
    const int status = finish();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
    EXPECT_EQ(filesBelow(out), std::vector<std::string>{"a.wav"});
    EXPECT_TRUE(isProbeOutput(scratch("stop-in/a.wav"), out / "a.wav"));
    EXPECT_NE(readAll(child.err).find("stopped by SIGINT after 1 of 3 files"), std::string::npos)
        << readAll(child.err);
}

TEST_F(PressoraStopTest, SigkillLeavesNoHalfFileUnderAFinalName)
{
    ::kill(child.pid, SIGKILL);
    const int status = finish();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
    // What was being written stays under its temporary name only.
    const auto names = filesBelow(out);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_TRUE(isTemporaryName(names[0])) << names[0];
    EXPECT_NE(names[0].find("b.wav"), std::string::npos) << names[0];
    EXPECT_EQ(names[1], "a.wav");
    EXPECT_TRUE(isProbeOutput(scratch("stop-in/a.wav"), out / "a.wav"));
}
