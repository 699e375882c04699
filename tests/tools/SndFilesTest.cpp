// Sound files through libsndfile: every kind of output, the built-in WAV
// reading the same values, and the files whose header lies.

#include "tools/pressora/SndFiles.hpp"
#include "tools/pressora/WaveFile.hpp"

#include "tests/ScratchFolder.hpp"
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <fstream>
#include <iterator>

using namespace Vantor::Pressora;
using ::testing::HasSubstr;

namespace
{

std::filesystem::path scratch(const std::string& name)
{
    static const Vantor::Testing::CScratchFolder folder("pressora_sndfile");
    return folder / name;
}

// A stereo 1 kHz sine, the right channel at half the left's level.
SAudio sine(int rate, std::size_t frames, float level = 0.5f)
{
    SAudio audio{rate, {std::vector<float>(frames), std::vector<float>(frames)}};
    for (std::size_t i = 0; i < frames; ++i)
    {
        audio.channels[0][i] =
            level * static_cast<float>(std::sin(6.283185307 * 1000.0 * static_cast<double>(i) / rate));
        audio.channels[1][i] = 0.5f * audio.channels[0][i];
    }
    return audio;
}

double rms(const std::vector<float>& samples)
{
    double sum = 0.0;
    for (const float sample : samples)
    {
        sum += static_cast<double>(sample) * sample;
    }
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

bool sameBits(const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](float x, float y)
                      { return std::bit_cast<std::uint32_t>(x) == std::bit_cast<std::uint32_t>(y); });
}

} // namespace

TEST(SndFiles, EveryKindOfOutputKeepsLengthRateChannelsAndSamples)
{
    struct SCase
    {
        const char* name;
        int rate;
        ESampleFormat input;
        const char* description;
        bool exact; // lossless: the values of the format exactly
    };
    const SCase cases[] = {
        {"a.wav", 44100, ESampleFormat::Pcm16, "WAV 16-bit PCM", true},
        {"a.flac", 44100, ESampleFormat::Pcm16, "FLAC 16-bit PCM", true},
        {"a.flac", 96000, ESampleFormat::Float32, "FLAC 24-bit PCM", true},
        {"a.aiff", 22050, ESampleFormat::Pcm32, "AIFF 32-bit PCM", true},
        {"a.caf", 48000, ESampleFormat::Float32, "CAF 32-bit float", true},
        {"a.w64", 48000, ESampleFormat::Float64, "W64 64-bit float", true},
        {"a.rf64", 32000, ESampleFormat::Pcm24, "RF64 24-bit PCM", true},
        {"a.au", 8000, ESampleFormat::Pcm8, "AU 8-bit PCM", true},
        {"a.ogg", 44100, ESampleFormat::Pcm16, "Ogg Vorbis", false},
        {"a.opus", 48000, ESampleFormat::Float32, "Opus", false},
        {"a.mp3", 44100, ESampleFormat::Pcm24, "MP3", false},
    };
    const CSndFiles files;
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(std::string(test.name) + " at " + std::to_string(test.rate));
        const auto path = scratch(test.name);
        const SAudio audio = sine(test.rate, static_cast<std::size_t>(test.rate));
        const SFileFormat format = files.outputFormat(path, test.input, test.rate);
        EXPECT_EQ(format.description(), test.description);
        EXPECT_EQ(writeSoundFile(files, path, audio, format), 0);

        const SSoundFile read = files.read(path);
        EXPECT_EQ(read.format.description(), test.description);
        EXPECT_EQ(read.audio.sampleRate, test.rate);
        EXPECT_EQ(read.warning, "");
        ASSERT_EQ(read.audio.channelCount(), 2);
        ASSERT_EQ(read.audio.frameCount(), audio.frameCount());
        for (std::size_t c = 0; c < 2; ++c)
        {
            const std::vector<float>& got = read.audio.channels[c];
            if (!test.exact)
            {
                // A codec keeps the level, not the values.
                EXPECT_NEAR(20.0 * std::log10(rms(got) / rms(audio.channels[c])), 0.0, 1.0) << c;
                continue;
            }
            const int bits = integerBits(format.sample);
            for (std::size_t i = 0; i < got.size(); ++i)
            {
                const float sample = audio.channels[c][i];
                const float expected =
                    bits == 0 ? sample
                              : static_cast<float>(std::nearbyint(sample * std::ldexp(1.0, bits - 1)) *
                                                   std::ldexp(1.0, 1 - bits));
                ASSERT_EQ(got[i], expected) << c << ":" << i;
            }
        }
    }
}

TEST(SndFiles, BothImplementationsWriteAndReadTheSameCodes)
{
    const CSndFiles library;
    const CWaveFiles builtIn;
    SAudio audio = sine(44100, 3000, 1.2f); // some samples clip
    audio.channels[1][7] = -0.0f;
    for (const ESampleFormat format : {ESampleFormat::Pcm8, ESampleFormat::Pcm16, ESampleFormat::Pcm24,
                                       ESampleFormat::Pcm32, ESampleFormat::Float32, ESampleFormat::Float64})
    {
        SCOPED_TRACE(sampleFormatName(format));
        const auto byLibrary = scratch("library.wav");
        const auto byBuiltIn = scratch("builtin.wav");
        const std::int64_t clipped =
            writeSoundFile(library, byLibrary, audio, library.outputFormat(byLibrary, format, 44100), true);
        EXPECT_EQ(
            writeSoundFile(builtIn, byBuiltIn, audio, builtIn.outputFormat(byBuiltIn, format, 44100), true),
            clipped);
        EXPECT_EQ(clipped > 0, integerBits(format) != 0);
        const SAudio reference = library.read(byLibrary).audio;
        for (const auto& [files, path] :
             {std::pair<const ISoundFiles*, std::filesystem::path>{&builtIn, byLibrary},
              {&library, byBuiltIn},
              {&builtIn, byBuiltIn}})
        {
            const SAudio read = files->read(path).audio;
            ASSERT_EQ(read.channelCount(), 2);
            EXPECT_TRUE(sameBits(read.channels[0], reference.channels[0])) << files->name() << " " << path;
            EXPECT_TRUE(sameBits(read.channels[1], reference.channels[1])) << files->name() << " " << path;
        }
    }
}

TEST(SndFiles, StreamedAndTruncatedFilesOfEveryHeaderAreReadToTheirEnd)
{
    // The length fields a streaming writer leaves at 0, by kind: (offset of the
    // field from the start of its chunk's name, bytes).
    struct SCase
    {
        const char* name;
        const char* chunk;
        std::size_t field;
        std::size_t bytes;
        bool lengthLost; // false: another field still gives the frames
    };
    const SCase cases[] = {
        {"s.wav", "data", 4, 4, true},   {"s.rf64", "ds64", 16, 8, true}, {"s.w64", "data", 16, 8, true},
        {"s.aiff", "SSND", 4, 4, false}, {"s.aif", "COMM", 10, 4, true},
    };
    const CSndFiles files;
    const SAudio audio = sine(48000, 4800);
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(test.name);
        const auto path = scratch(test.name);
        writeSoundFile(files, path, audio, files.outputFormat(path, ESampleFormat::Pcm16, 48000));
        std::string bytes;
        {
            std::ifstream in(path, std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        const SAudio written = files.read(path).audio;
        const std::size_t at = bytes.find(test.chunk);
        ASSERT_NE(at, std::string::npos);
        std::string streamed = bytes;
        streamed.replace(at + test.field, test.bytes, std::string(test.bytes, '\0'));
        std::ofstream(path, std::ios::binary | std::ios::trunc) << streamed;
        SSoundFile read = files.read(path);
        ASSERT_EQ(read.audio.frameCount(), 4800);
        EXPECT_EQ(read.audio.channels[0], written.channels[0]);
        if (test.lengthLost)
        {
            EXPECT_THAT(read.warning, HasSubstr("gives 0 frames but the file holds 4800"));
        }
        else
        {
            EXPECT_EQ(read.warning, "");
        }

        // Cut in the middle of the samples.
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes.substr(0, bytes.size() - 4 * 1800);
        read = files.read(path);
        EXPECT_EQ(read.audio.frameCount(), 3000);
        EXPECT_THAT(read.warning, HasSubstr("gives 4800 frames but the file holds 3000"));
    }

    // FLAC: its own header gives the length; a cut file decodes what is there.
    const auto flac = scratch("cut.flac");
    writeSoundFile(files, flac, sine(48000, 48000), files.outputFormat(flac, ESampleFormat::Pcm16, 48000));
    std::filesystem::resize_file(flac, std::filesystem::file_size(flac) / 2);
    const SSoundFile read = files.read(flac);
    EXPECT_GT(read.audio.frameCount(), 0);
    EXPECT_LT(read.audio.frameCount(), 48000);
    EXPECT_THAT(read.warning, HasSubstr("gives 48000 frames but the file holds " +
                                        std::to_string(read.audio.frameCount())));
}

TEST(SndFiles, CorruptFilesAndUnwritableKindsGetLibsndfilesReason)
{
    const CSndFiles files;
    const auto corrupt = scratch("corrupt.flac");
    std::ofstream(corrupt, std::ios::binary) << "fLaC" << std::string(200, '\x7f');
    EXPECT_THAT([&] { files.read(corrupt); }, ::testing::ThrowsMessage<CSoundFileError>(
                                                  HasSubstr("'" + corrupt.string() + "': cannot read: ")));
    EXPECT_THAT([&] { files.outputFormat("out.xyz", ESampleFormat::Pcm16, 44100); },
                ::testing::ThrowsMessage<CSoundFileError>(HasSubstr("'out.xyz': no kind of sound file")));
    EXPECT_THAT([&] { files.outputFormat("out.opus", ESampleFormat::Pcm16, 44100); },
                ::testing::ThrowsMessage<CSoundFileError>(HasSubstr("Opus files are written only at")));
    EXPECT_THAT(
        [&]
        {
            files.create(scratch("no/such/folder.wav"),
                         files.outputFormat("a.wav", ESampleFormat::Pcm16, 44100), 44100, 2, false);
        },
        ::testing::ThrowsMessage<CSoundFileError>(HasSubstr("cannot write WAV 16-bit PCM: ")));
}
