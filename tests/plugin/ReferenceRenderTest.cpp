// This build's effect renders the demo exactly as the 64-bit build's does. The
// 64-bit build (VANTOR_REFERENCE_BUILD) writes the demo and renders it with its
// own programs and its shipped library; here this build's library, loaded by the
// host library, renders the same demo, and both files are read through this
// build's WAV reader. Built where the reference is set: the 32-bit build.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/ScratchFolder.hpp"
#include "tools/pressora/WaveFile.hpp"
#include "tools/vsthost/VstPlugin.hpp"

using Vantor::Pressora::CWaveFiles;
using Vantor::Pressora::SAudio;
using Vantor::VstHost::CVstPlugin;
using Vantor::VstHost::SHostSettings;

namespace
{

const std::filesystem::path kReference = VANTOR_REFERENCE_BUILD;

// Runs a program of the reference build; false (with its output) when it fails.
::testing::AssertionResult runReference(const std::vector<std::string>& words,
                                        const std::filesystem::path& log)
{
    std::ostringstream command;
    for (const std::string& word : words)
    {
        command << "'" << word << "' ";
    }
    command << ">'" << log.string() << "' 2>&1 </dev/null";
    const int status = std::system(command.str().c_str());
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
    {
        return ::testing::AssertionSuccess();
    }
    std::ostringstream output;
    output << std::ifstream(log).rdbuf();
    return ::testing::AssertionFailure() << command.str() << " failed:\n" << output.str();
}

// The demo through this build's library with a program and a block size, as
// `pressora render` drives it.
std::vector<std::vector<float>> render(const SAudio& input, const std::string& program, int block)
{
    SHostSettings settings;
    settings.sampleRate = static_cast<float>(input.sampleRate);
    settings.blockSize = block;
    settings.offline = true;
    settings.logCalls = false;
    auto plugin = CVstPlugin::load(PRESSORALITE_PATH, settings);
    plugin->setSampleRate(settings.sampleRate);
    plugin->setBlockSize(block);
    plugin->setProgram(plugin->findProgram(program).value());
    plugin->resume();
    const auto frames = static_cast<std::size_t>(input.frameCount());
    std::vector<std::vector<float>> output(2, std::vector<float>(frames));
    plugin->processStereo(input.channels[0].data(), input.channels[1].data(), output[0].data(),
                          output[1].data(), frames);
    return output;
}

std::string bitsOf(float sample)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(std::bit_cast<std::uint32_t>(sample)));
    return text;
}

} // namespace

TEST(ReferenceRender, TheDemoRendersBitForBitAsIn64Bits)
{
    const auto demosignal = kReference / "tools/demosignal/demosignal";
    const auto pressora = kReference / "tools/pressora/pressora";
    const auto library = kReference / "plugin/PressoraLite.so";
    for (const auto& program : {demosignal, pressora, library})
    {
        ASSERT_TRUE(std::filesystem::exists(program))
            << "the 64-bit reference " << program << " is missing: build it first (cmake --preset ci; "
            << "cmake --build build/ci --target demosignal pressora PressoraLite)";
    }
    const Vantor::Testing::CScratchFolder folder("reference_render");
    const auto log = folder / "log.txt";
    const auto demoPath = folder / "demo.wav";
    // In 32-bit float, so that the renders keep every bit the effect computes.
    ASSERT_TRUE(runReference({demosignal.string(), demoPath.string(), "--float"}, log));
    const SAudio demo = CWaveFiles().read(demoPath).audio;
    ASSERT_EQ(demo.channelCount(), 2);

    for (const char* program : {"Default", "Vocals", "Hard"})
    {
        for (int block : {512, 17})
        {
            const std::string which = std::string(program) + ", block " + std::to_string(block);
            const auto referencePath = folder / "reference.wav";
            ASSERT_TRUE(
                runReference({pressora.string(), "render", library.string(), demoPath.string(),
                              referencePath.string(), "--program", program, "--block", std::to_string(block)},
                             log));
            const SAudio reference = CWaveFiles().read(referencePath).audio;
            const auto ours = render(demo, program, block);
            ASSERT_EQ(reference.channelCount(), 2) << which;
            ASSERT_EQ(reference.frameCount(), demo.frameCount()) << which;
            for (int channel = 0; channel < 2; ++channel)
            {
                const std::vector<float>& expected = reference.channels[static_cast<std::size_t>(channel)];
                const std::vector<float>& actual = ours[static_cast<std::size_t>(channel)];
                const auto [mine, theirs] = std::mismatch(
                    actual.begin(), actual.end(), expected.begin(),
                    [](float a, float b)
                    { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); });
                if (mine != actual.end())
                {
                    FAIL() << which << ": channel " << channel << " differs first at frame "
                           << (mine - actual.begin()) << ": " << bitsOf(*mine) << " here, " << bitsOf(*theirs)
                           << " in 64 bits";
                }
            }
        }
    }
}
