#include "tools/pressora/WaveFile.hpp"

#include <gmock/gmock.h>
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

void expectLoadError(const std::filesystem::path& path, const std::string& expected)
{
    EXPECT_THAT([&] { CWaveFile::load(path); },
                ::testing::ThrowsMessage<std::runtime_error>(::testing::HasSubstr(expected)));
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

} // namespace

TEST(WaveFile, RoundTripKeepsSamplesRateFormatAndChannels)
{
    struct SCase
    {
        EFormat format;
        int sampleRate;
        std::size_t channels;
        float tolerance; // one step of the format
    };
    const SCase cases[] = {{EFormat::Pcm16, 44100, 2, 1.0f / 32768.0f},
                           {EFormat::Pcm24, 96000, 2, 1.0f / 8388608.0f},
                           {EFormat::Float32, 22050, 2, 0.0f},
                           {EFormat::Pcm16, 48000, 1, 1.0f / 32768.0f}};
    constexpr std::size_t kFrames = 5000;
    const auto path = tempFile("roundtrip.wav");
    for (const SCase& param : cases)
    {
        SCOPED_TRACE(CWaveFile::formatName(param.format));
        std::vector<std::vector<float>> channels(param.channels, std::vector<float>(kFrames));
        for (std::size_t c = 0; c < channels.size(); ++c)
        {
            for (std::size_t i = 0; i < kFrames; ++i)
            {
                channels[c][i] = 0.9f * static_cast<float>(std::sin(0.01 * static_cast<double>(i * (c + 1))));
            }
        }
        CWaveFile(param.sampleRate, param.format, channels).save(path);
        const CWaveFile loaded = CWaveFile::load(path);
        EXPECT_EQ(loaded.sampleRate(), param.sampleRate);
        EXPECT_EQ(loaded.format(), param.format);
        ASSERT_EQ(loaded.channelCount(), static_cast<int>(param.channels));
        ASSERT_EQ(loaded.frameCount(), static_cast<std::int64_t>(kFrames));
        for (std::size_t c = 0; c < param.channels; ++c)
        {
            for (std::size_t i = 0; i < kFrames; ++i)
            {
                ASSERT_NEAR(loaded.channel(static_cast<int>(c))[i], channels[c][i], param.tolerance)
                    << c << ":" << i;
            }
        }
    }
    std::filesystem::remove(path);
}

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
    expectLoadError(tempFile("missing.wav"), "cannot read");
    const auto path = tempFile("unusable.wav");
    const std::tuple<int, int, const char*> cases[] = {
        {SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1, "unsupported sample format"},
        {SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 2, "not a WAV file"},
        {SF_FORMAT_WAV | SF_FORMAT_FLOAT, 3, "3 channels"}};
    for (const auto& [format, channels, expected] : cases)
    {
        writeRaw(path, format, channels);
        expectLoadError(path, expected);
    }
    std::filesystem::remove(path);
    EXPECT_THROW(CWaveFile(44100, EFormat::Pcm16, {{0.0f}, {0.0f, 0.0f}}), std::invalid_argument);
}
