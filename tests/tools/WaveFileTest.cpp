#include "tools/pressora/WaveFile.hpp"

#include "tests/ScratchFolder.hpp"
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

using namespace Vantor::Pressora;

namespace
{

std::filesystem::path tempFile(const std::string& name)
{
    static const Vantor::Testing::CScratchFolder folder("pressora_wave");
    return folder / name;
}

void expectLoadError(const std::filesystem::path& path, const std::string& expected)
{
    EXPECT_THAT([&] { CWaveFiles().read(path); },
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

TEST(WaveFile, ForeignChunksAndExtensibleHeadersAreRead)
{
    // Other writers put chunks before the data and describe formats the extensible way.
    const auto path = tempFile("foreign.wav");
    const CWaveFiles files;
    for (const bool extensible : {false, true})
    {
        SCOPED_TRACE(extensible);
        writeRaw(path, "RIFF", 1, 16, 2, extensible);
        const SSoundFile pcm = files.read(path);
        EXPECT_EQ(pcm.format.sample, ESampleFormat::Pcm16);
        ASSERT_EQ(pcm.audio.frameCount(), 4);
        EXPECT_EQ(pcm.audio.channels[1][3], 0.5f);
        EXPECT_EQ(pcm.warning, "");
        writeRaw(path, "RIFF", 1, 24, 1, extensible);
        EXPECT_EQ(files.read(path).audio.channels[0][0], 0.5f);
    }
    std::filesystem::remove(path);
}

TEST(WaveFile, WhatItCannotReadOrWriteIsNamed)
{
    const CWaveFiles files;
    const auto path = tempFile("unusable.wav");
    struct SCase
    {
        const char* riff;
        int tag;
        int bits;
        const char* expected;
    };
    const SCase cases[] = {{"RIFF", 2, 16, "unsupported sample format"}, // ADPCM
                           {"RIFF", 3, 16, "unsupported sample format"},
                           {"RIFF", 1, 12, "unsupported sample format"},
                           {"FORM", 1, 16, "not a WAV file"}};
    for (const SCase& param : cases)
    {
        writeRaw(path, param.riff, param.tag, param.bits, 2);
        expectLoadError(path, param.expected);
    }
    std::filesystem::remove(path);
    EXPECT_THAT([&] { files.outputFormat("out.flac", ESampleFormat::Pcm16, 44100); },
                ::testing::ThrowsMessage<CSoundFileError>(
                    ::testing::HasSubstr("'out.flac': this build writes WAV files only")));
    EXPECT_FALSE(files.reads("a.flac"));
    EXPECT_TRUE(files.reads("a.W64"));
}
