// What every implementation of sound files must do alike (run over each one
// this build has), and the rules they share: output kinds, integer codes.

#include "tools/pressora/SoundFile.hpp"
#include "tools/pressora/WaveFile.hpp"
#ifdef PRESSORA_SNDFILE
#include "tools/pressora/SndFiles.hpp"
#endif

#include "tests/ScratchFolder.hpp"
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>

using namespace Vantor::Pressora;
using ::testing::HasSubstr;

namespace
{

std::filesystem::path scratch(const std::string& name)
{
    static const Vantor::Testing::CScratchFolder folder("pressora_sound");
    return folder / name;
}

std::string bytesOf(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void putBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The value an integer format reads back for a sample: rounded to nearest
// (ties to even), clipped to the codes.
float integerValue(float sample, int bits)
{
    const double scale = std::ldexp(1.0, bits - 1);
    const double code = std::clamp(std::nearbyint(static_cast<double>(sample) * scale), -scale, scale - 1.0);
    return static_cast<float>(code / scale) + 0.0f; // integers have no -0
}

class SoundFiles : public ::testing::TestWithParam<const ISoundFiles*>
{
protected:
    const ISoundFiles& files() const { return *GetParam(); }
};

const CWaveFiles kWave;
#ifdef PRESSORA_SNDFILE
const CSndFiles kSndFile;
INSTANTIATE_TEST_SUITE_P(Each, SoundFiles, ::testing::Values(&kWave, &kSndFile),
                         [](const auto& parameter)
                         { return parameter.index == 0 ? "BuiltInWav" : "LibSndFile"; });
#else
INSTANTIATE_TEST_SUITE_P(Each, SoundFiles, ::testing::Values(&kWave),
                         [](const auto&) { return "BuiltInWav"; });
#endif

} // namespace

TEST_P(SoundFiles, WavKeepsEveryLinearFormatRateAndChannelCount)
{
    // Edge values: signed zero, a subnormal, steps, full scale and beyond it.
    const std::vector<float> values = {0.0f,     -0.0f, 1e-40f,       0.5f,  -0.5f, 1.0f / 3.0f,
                                       0.999f,   -1.0f, 1.0f,         1.5f,  -2.0f, 3.0517578e-05f,
                                       -0.7071f, 0.25f, -1.0f / 3.0f, 1e-3f, 0.0f,  -0.999f};
    const auto path = scratch("roundtrip.wav");
    int rate = 8000;
    for (const ESampleFormat format : {ESampleFormat::Pcm8, ESampleFormat::Pcm16, ESampleFormat::Pcm24,
                                       ESampleFormat::Pcm32, ESampleFormat::Float32, ESampleFormat::Float64})
    {
        for (const int channels : {1, 2})
        {
            SCOPED_TRACE(std::string(sampleFormatName(format)) + ", " + std::to_string(channels) +
                         " channels");
            rate += 11025;
            SAudio audio{rate, std::vector<std::vector<float>>(static_cast<std::size_t>(channels), values)};
            std::reverse(audio.channels.back().begin(), audio.channels.back().end());
            const SFileFormat asked = files().outputFormat(path, format, rate);
            EXPECT_EQ(asked.sample, format);
            const std::int64_t clipped = writeSoundFile(files(), path, audio, asked);

            const SSoundFile read = files().read(path);
            EXPECT_EQ(read.format.sample, format);
            EXPECT_EQ(read.format.description(), std::string("WAV ") + sampleFormatName(format));
            EXPECT_EQ(read.audio.sampleRate, rate);
            EXPECT_EQ(read.warning, "");
            ASSERT_EQ(read.audio.channelCount(), channels);
            ASSERT_EQ(read.audio.frameCount(), static_cast<std::int64_t>(values.size()));
            const int bits = integerBits(format);
            std::int64_t expectedClips = 0;
            for (std::size_t c = 0; c < audio.channels.size(); ++c)
            {
                for (std::size_t i = 0; i < values.size(); ++i)
                {
                    const float written = audio.channels[c][i];
                    const float expected = bits == 0 ? written : integerValue(written, bits);
                    const double scale = std::ldexp(1.0, bits - 1);
                    const double code = std::nearbyint(written * scale);
                    expectedClips += bits != 0 && (code >= scale || code < -scale);
                    EXPECT_EQ(std::bit_cast<std::uint32_t>(read.audio.channels[c][i]),
                              std::bit_cast<std::uint32_t>(expected))
                        << c << ":" << i << " wrote " << written << ", read " << read.audio.channels[c][i];
                }
            }
            EXPECT_EQ(clipped, expectedClips);
        }
    }
}

TEST_P(SoundFiles, FilesWhoseHeaderGivesAnotherLengthAreReadToTheirEnd)
{
    const auto path = scratch("lying.wav");
    SAudio audio{44100, {std::vector<float>(1000), std::vector<float>(1000)}};
    for (std::size_t i = 0; i < 1000; ++i)
    {
        audio.channels[0][i] = static_cast<float>(i) / 1024.0f;
        audio.channels[1][i] = -audio.channels[0][i];
    }
    writeSoundFile(files(), path, audio, files().outputFormat(path, ESampleFormat::Pcm16, 44100));
    const std::string original = bytesOf(path);
    const std::size_t sizeAt = original.find("data") + 4;
    const auto withDataSize = [&](std::uint32_t size, std::size_t keep)
    {
        std::string bytes = original.substr(0, keep);
        for (int i = 0; i < 4; ++i)
        {
            bytes[sizeAt + static_cast<std::size_t>(i)] = static_cast<char>((size >> (8 * i)) & 0xFF);
        }
        return bytes;
    };
    struct SCase
    {
        const char* what;
        std::string bytes;
        std::int64_t frames;
        const char* promised; // in the warning, as the header gives it
    };
    const SCase cases[] = {
        {"truncated", original.substr(0, sizeAt + 4 + 600 * 4), 600, "1000"},
        {"streamed, length 0", withDataSize(0, original.size()), 1000, "0"},
        {"streamed, length 0xFFFFFFFF", withDataSize(0xFFFFFFFFu, original.size()), 1000, "1073741823"},
    };
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(test.what);
        putBytes(path, test.bytes);
        const SSoundFile read = files().read(path);
        ASSERT_EQ(read.audio.frameCount(), test.frames);
        EXPECT_EQ(read.audio.channels[1][static_cast<std::size_t>(test.frames) - 1],
                  audio.channels[1][static_cast<std::size_t>(test.frames) - 1]);
        EXPECT_THAT(read.warning, HasSubstr(std::string("gives ") + test.promised + " frames"));
        EXPECT_THAT(read.warning, HasSubstr("holds " + std::to_string(test.frames)));
        EXPECT_EQ(read.warning.find('\n'), std::string::npos);
    }
}

TEST_P(SoundFiles, UnreadableFilesGetOneLineNamingTheFile)
{
    const auto garbage = scratch("garbage.wav");
    const auto threeChannels = scratch("three.wav");
    const auto empty = scratch("empty.wav");
    putBytes(garbage, "RIFF but not really a sound file at all, just some words.");
    putBytes(empty, "");
    const SAudio three{44100, std::vector<std::vector<float>>(3, std::vector<float>(10, 0.25f))};
    writeSoundFile(kWave, threeChannels, three,
                   kWave.outputFormat(threeChannels, ESampleFormat::Pcm16, 44100));
    const std::pair<std::filesystem::path, const char*> cases[] = {
        {scratch("missing.wav"), "cannot read"},
        {garbage, ""},
        {empty, ""},
        {threeChannels, "3 channels (mono or stereo only)"},
    };
    for (const auto& [path, reason] : cases)
    {
        SCOPED_TRACE(path.string());
        try
        {
            files().read(path);
            ADD_FAILURE() << "read";
        }
        catch (const CSoundFileError& error)
        {
            const std::string text = error.what();
            EXPECT_EQ(text.rfind("'" + path.string() + "': ", 0), 0u) << text;
            EXPECT_THAT(text, HasSubstr(reason));
            EXPECT_GT(text.size(), path.string().size() + 6) << "a reason follows the name";
            EXPECT_EQ(text.find('\n'), std::string::npos) << text;
        }
    }
}

TEST(OutputKinds, TheNameChoosesTheKindAndTheInputTheSampleFormat)
{
    struct SCase
    {
        const char* name;
        ESampleFormat input;
        ESampleFormat output;
    };
    const SCase cases[] = {
        {"a.wav", ESampleFormat::Float64, ESampleFormat::Float64},
        {"a.WAV", ESampleFormat::Pcm8, ESampleFormat::Pcm8},
        {"a.aiff", ESampleFormat::Encoded, ESampleFormat::Pcm24}, // lossy input, lossless output
        {"a.flac", ESampleFormat::Pcm16, ESampleFormat::Pcm16},
        {"a.flac", ESampleFormat::Float32, ESampleFormat::Pcm24}, // FLAC stores no floats
        {"a.flac", ESampleFormat::Pcm32, ESampleFormat::Pcm24},
        {"a.ogg", ESampleFormat::Pcm16, ESampleFormat::Encoded},
        {"dir.x/a.opus", ESampleFormat::Float32, ESampleFormat::Encoded},
    };
    for (const SCase& test : cases)
    {
        const SContainer* container = findContainer(test.name);
        ASSERT_NE(container, nullptr) << test.name;
        EXPECT_EQ(outputSampleFormat(*container, test.input), test.output) << test.name;
    }
    EXPECT_EQ(findContainer("a.txt"), nullptr);
    EXPECT_EQ(findContainer("wav"), nullptr);

    // Opus and MPEG audio are written at their own rates only; nothing is resampled.
    const SContainer& opus = *findContainer("a.opus");
    EXPECT_NO_THROW(checkOutputRate(opus, "a.opus", 48000));
    EXPECT_THAT([&] { checkOutputRate(opus, "a.opus", 44100); },
                ::testing::ThrowsMessage<CSoundFileError>(HasSubstr(
                    "'a.opus': Opus files are written only at 8000, 12000, 16000, 24000 or 48000 Hz, "
                    "not at the input's 44100 Hz")));
    EXPECT_THROW(checkOutputRate(*findContainer("a.mp3"), "a.mp3", 96000), CSoundFileError);
    EXPECT_NO_THROW(checkOutputRate(*findContainer("a.flac"), "a.flac", 192000));
}

TEST(Quantizer, RoundsToNearestAndCountsWhatItClips)
{
    constexpr float kStep = 1.0f / 32768.0f;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::pair<float, std::int32_t> cases[] = {
        {0.5f * kStep, 0},         {1.5f * kStep, 2}, {-2.5f * kStep, -2},
        {0.49f * kStep, 0},        {-1.0f, -32768},   {1.0f, 32767},
        {-1.5f, -32768},           {nan, 0},          {0.75f * kStep, 1},
        {32766.5f * kStep, 32766},
    };
    CQuantizer quantizer(16, false);
    for (const auto& [sample, code] : cases)
    {
        EXPECT_EQ(quantizer(sample), code) << sample;
    }
    EXPECT_EQ(quantizer.clipped(), 3) << "+1.0, -1.5 and the NaN; -1.0 is a code";
}

TEST(Quantizer, DitherIsTriangularNoiseOfOneStepAndOnlyWhenAsked)
{
    CQuantizer plain(16, false);
    CQuantizer dithered(16, true);
    CQuantizer again(16, true);
    double sum = 0.0;
    int nonZero = 0;
    constexpr int kSamples = 20000;
    for (int i = 0; i < kSamples; ++i)
    {
        const float sample = static_cast<float>(i % 7) / 32768.0f; // exact codes 0..6
        EXPECT_EQ(plain(sample), i % 7);
        const std::int32_t code = dithered(sample);
        EXPECT_EQ(again(sample), code) << "the same noise on every run";
        EXPECT_LE(std::abs(code - i % 7), 1);
        sum += code - i % 7;
        nonZero += code != i % 7;
    }
    EXPECT_NEAR(sum / kSamples, 0.0, 0.02);
    // Triangular noise over +-1 step moves about a quarter of exact codes.
    EXPECT_NEAR(static_cast<double>(nonZero) / kSamples, 0.25, 0.03);
    EXPECT_EQ(dithered.clipped(), 0);
}
