#include "tools/pressora/WaveFile.hpp"

#include "tests/ScratchFolder.hpp"
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

using Vantor::Pressora::CWaveFile;
using EFormat = CWaveFile::ESampleFormat;

namespace
{

std::filesystem::path tempFile(const std::string& name)
{
    static const Vantor::Testing::CScratchFolder folder("pressora_wave");
    return folder / name;
}

void expectLoadError(const std::filesystem::path& path, const std::string& expected)
{
    EXPECT_THAT([&] { CWaveFile::load(path); },
                ::testing::ThrowsMessage<std::runtime_error>(::testing::HasSubstr(expected)));
}

// Writes a short file by hand: container id, format tag, sample width and
// channels as given, an odd-sized chunk before the data, and 4 frames of
// samples 0x40 0x00 ... (0.5 in 16-bit PCM).
void writeRaw(const std::filesystem::path& path, const char* riff, int tag, int bits, int channels,
              bool extensible = false)
{
    std::string bytes;
    const auto put = [&bytes](std::uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i)
        {
            bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    };
    const int width = bits / 8;
    bytes += riff;
    put(0, 4); // the size is not checked
    bytes += "WAVEfmt ";
    put(extensible ? 40 : 16, 4);
    put(extensible ? 0xFFFE : static_cast<std::uint32_t>(tag), 2);
    put(static_cast<std::uint32_t>(channels), 2);
    put(44100, 4);
    put(static_cast<std::uint32_t>(44100 * width * channels), 4);
    put(static_cast<std::uint32_t>(width * channels), 2);
    put(static_cast<std::uint32_t>(bits), 2);
    if (extensible)
    {
        put(22, 2);
        put(static_cast<std::uint32_t>(bits), 2);
        put(3, 4);
        put(static_cast<std::uint32_t>(tag), 2);
        bytes += std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    }
    bytes += "LIST";
    put(3, 4);
    bytes += std::string("ab\0\0", 4); // three bytes and the pad byte
    bytes += "data";
    put(static_cast<std::uint32_t>(4 * width * channels), 4);
    for (int i = 0; i < 4 * channels; ++i)
    {
        bytes += std::string(static_cast<std::size_t>(width - 1), '\0') + '\x40';
    }
    std::ofstream(path, std::ios::binary) << bytes;
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

TEST(WaveFile, ForeignChunksAndExtensibleHeadersAreRead)
{
    // Other writers put chunks before the data and describe formats the extensible way.
    const auto path = tempFile("foreign.wav");
    for (const bool extensible : {false, true})
    {
        SCOPED_TRACE(extensible);
        writeRaw(path, "RIFF", 1, 16, 2, extensible);
        const CWaveFile pcm = CWaveFile::load(path);
        EXPECT_EQ(pcm.format(), EFormat::Pcm16);
        ASSERT_EQ(pcm.frameCount(), 4);
        EXPECT_EQ(pcm.channel(1)[3], 0.5f);
        writeRaw(path, "RIFF", 1, 24, 1, extensible);
        EXPECT_EQ(CWaveFile::load(path).channel(0)[0], 0.5f);
    }
    std::filesystem::remove(path);
}

TEST(WaveFile, UnusableFilesAreRejectedWithTheReason)
{
    expectLoadError(tempFile("missing.wav"), "cannot read");
    const auto path = tempFile("unusable.wav");
    struct SCase
    {
        const char* riff;
        int tag;
        int bits;
        int channels;
        const char* expected;
    };
    const SCase cases[] = {{"RIFF", 1, 8, 1, "unsupported sample format"},
                           {"RIFF", 3, 64, 1, "unsupported sample format"},
                           {"FORM", 1, 16, 2, "not a WAV file"},
                           {"RIFF", 3, 32, 3, "3 channels"}};
    for (const SCase& param : cases)
    {
        writeRaw(path, param.riff, param.tag, param.bits, param.channels);
        expectLoadError(path, param.expected);
    }
    std::filesystem::remove(path);
    EXPECT_THROW(CWaveFile(44100, EFormat::Pcm16, {{0.0f}, {0.0f, 0.0f}}), std::invalid_argument);
}
