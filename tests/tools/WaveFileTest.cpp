#include "tests/tools/ErrorText.hpp"
#include "tools/pressora/WaveFile.hpp"

#include <gtest/gtest.h>

#include <sndfile.h>

#include <cmath>
#include <filesystem>

using Vantor::Pressora::CWaveFile;
using EFormat = CWaveFile::ESampleFormat;

namespace
{

std::filesystem::path tempFile(const std::string& name)
{
    return std::filesystem::temp_directory_path() / ("pressora_wave_" + name);
}

std::string loadError(const std::filesystem::path& path)
{
    return ToolsTest::errorText<std::runtime_error>([&] { CWaveFile::load(path); });
}

// Writes a short file with libsndfile directly, in a format CWaveFile does not write.
void writeRaw(const std::filesystem::path& path, int format, int channels)
{
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<float> silence(static_cast<std::size_t>(64 * channels), 0.0f);
    sf_writef_float(file, silence.data(), 64);
    sf_close(file);
}

struct SRoundTrip
{
    EFormat format;
    int sampleRate;
    int channels;
    float tolerance; // one step of the format
};

class WaveFileRoundTrip : public ::testing::TestWithParam<SRoundTrip>
{
};

} // namespace

TEST_P(WaveFileRoundTrip, KeepsSamplesRateFormatAndChannels)
{
    const SRoundTrip& param = GetParam();
    constexpr std::size_t kFrames = 5000;
    std::vector<std::vector<float>> channels(static_cast<std::size_t>(param.channels), std::vector<float>(kFrames));
    for (std::size_t c = 0; c < channels.size(); ++c)
    {
        for (std::size_t i = 0; i < kFrames; ++i)
        {
            channels[c][i] = 0.9f * static_cast<float>(std::sin(0.01 * static_cast<double>(i) * static_cast<double>(c + 1)));
        }
    }
    const auto path = tempFile(std::string(CWaveFile::formatName(param.format)).substr(0, 2) +
                               std::to_string(param.sampleRate) + ".wav");
    CWaveFile(param.sampleRate, param.format, channels).save(path);

    const CWaveFile loaded = CWaveFile::load(path);
    EXPECT_EQ(loaded.sampleRate(), param.sampleRate);
    EXPECT_EQ(loaded.format(), param.format);
    ASSERT_EQ(loaded.channelCount(), param.channels);
    ASSERT_EQ(loaded.frameCount(), static_cast<std::int64_t>(kFrames));
    for (int c = 0; c < param.channels; ++c)
    {
        for (std::size_t i = 0; i < kFrames; ++i)
        {
            ASSERT_NEAR(loaded.channel(c)[i], channels[static_cast<std::size_t>(c)][i], param.tolerance) << c << ":" << i;
        }
    }
    std::filesystem::remove(path);
}

INSTANTIATE_TEST_SUITE_P(Formats, WaveFileRoundTrip,
                         ::testing::Values(SRoundTrip{EFormat::Pcm16, 44100, 2, 1.0f / 32768.0f},
                                           SRoundTrip{EFormat::Pcm24, 96000, 2, 1.0f / 8388608.0f},
                                           SRoundTrip{EFormat::Float32, 22050, 2, 0.0f},
                                           SRoundTrip{EFormat::Pcm16, 48000, 1, 1.0f / 32768.0f}));

TEST(WaveFile, IntegerFormatsClipInsteadOfWrapping)
{
    const auto path = tempFile("clip.wav");
    CWaveFile(44100, EFormat::Pcm16, {{1.5f, -1.5f, 0.5f}}).save(path);
    const CWaveFile loaded = CWaveFile::load(path);
    EXPECT_GT(loaded.channel(0)[0], 0.99f);
    EXPECT_LT(loaded.channel(0)[1], -0.99f);
    EXPECT_NEAR(loaded.channel(0)[2], 0.5f, 1e-4f);
    std::filesystem::remove(path);
}

TEST(WaveFile, UnusableFilesAreRejectedWithTheReason)
{
    EXPECT_NE(loadError(tempFile("missing.wav")).find("cannot read"), std::string::npos);

    const auto eightBit = tempFile("u8.wav");
    writeRaw(eightBit, SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1);
    EXPECT_NE(loadError(eightBit).find("unsupported sample format"), std::string::npos);

    const auto aiff = tempFile("aiff.wav");
    writeRaw(aiff, SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 2);
    EXPECT_NE(loadError(aiff).find("not a WAV file"), std::string::npos);

    const auto surround = tempFile("three.wav");
    writeRaw(surround, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 3);
    EXPECT_NE(loadError(surround).find("3 channels"), std::string::npos);

    for (const auto& path : {eightBit, aiff, surround})
    {
        std::filesystem::remove(path);
    }
    EXPECT_THROW(CWaveFile(44100, EFormat::Pcm16, {{0.0f}, {0.0f, 0.0f}}), std::invalid_argument);
}
