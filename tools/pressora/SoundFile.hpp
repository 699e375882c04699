#pragma once
// Sound files as pressora sees them: audio in memory, the formats a file can
// have, and the small interface that every implementation of reading and
// writing files answers to (libsndfile on Linux, the built-in WAV reader and
// writer elsewhere). Standard library only.

#include "tools/pressora/Noise.hpp"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace Vantor::Pressora
{

// How a file stores its samples. The linear formats are carried from an input
// to its output where the output's container stores them; Encoded stands for
// every lossy or companded codec (Vorbis, Opus, MPEG, u-law, ADPCM, ...),
// which a reader decodes to floats.
enum class ESampleFormat
{
    Pcm8,
    Pcm16,
    Pcm24,
    Pcm32,
    Float32,
    Float64,
    Encoded
};

// Bits of an integer format; 0 for the others.
int integerBits(ESampleFormat format);
// "16-bit PCM", "32-bit float", ...; "encoded" for Encoded.
const char* sampleFormatName(ESampleFormat format);

// Audio in memory: one vector of samples per channel, full scale at -1 and +1.
struct SAudio
{
    int sampleRate = 44100;
    std::vector<std::vector<float>> channels;

    int channelCount() const { return static_cast<int>(channels.size()); }
    std::int64_t frameCount() const
    {
        return channels.empty() ? 0 : static_cast<std::int64_t>(channels[0].size());
    }
};

// A container and the encoding of its samples, as a file has them or an
// output gets them.
struct SFileFormat
{
    std::string container;                         // "WAV", "FLAC", "Ogg Vorbis", ...
    ESampleFormat sample = ESampleFormat::Float32; // what the samples are
    std::string encoding;                          // "24-bit PCM", "Vorbis", "u-law", ...
    int code = 0;                                  // the implementation's own code for the pair

    // "WAV 24-bit PCM", "Opus".
    std::string description() const { return encoding.empty() ? container : container + " " + encoding; }
};

// A whole file read into memory.
struct SSoundFile
{
    SAudio audio;
    SFileFormat format;
    // Empty, or why the audio is not the length the file's header gives
    // (a truncated file, or a streamed one whose header was never finished).
    std::string warning;
};

// A file that cannot be read or written: the text names the file and the reason
// on one line.
class CSoundFileError : public std::runtime_error
{
public:
    CSoundFileError(const std::filesystem::path& path, const std::string& reason);
    // The text after the file's name.
    const std::string& reason() const { return m_reason; }

private:
    std::string m_reason;
};

// ---- kinds of files an output can be ----------------------------------------

// One kind of file an output's name asks for by its extension.
struct SContainer
{
    const char* name;           // "WAV"
    const char* extensions;     // ".wav" or several: ".aif .aiff .aifc"
    unsigned sampleFormats;     // one bit per linear ESampleFormat it stores
    const char* codec;          // a lossy container: the codec it always holds; else null
    std::span<const int> rates; // empty: any rate; else the only rates it is written at
};

// Every kind of output, in the order --help lists them.
std::span<const SContainer> containers();
// The kind a file name's extension asks for (any case); null when none does.
const SContainer* findContainer(const std::filesystem::path& name);
// ".wav, .w64, ..." for messages.
std::string containerExtensions();
// The sample format an output of this kind gets for input stored as preferred:
// preferred where the kind stores it, else 24-bit PCM for lossless kinds and
// the codec's own for lossy ones.
ESampleFormat outputSampleFormat(const SContainer& container, ESampleFormat preferred);
// Throws CSoundFileError naming the file when the kind is not written at this rate.
void checkOutputRate(const SContainer& container, const std::filesystem::path& name, int sampleRate);
// The length warning for a file whose header gives promised frames and that
// holds held frames; empty when they agree.
std::string lengthWarning(std::int64_t promised, std::int64_t held);

// ---- integer samples ----------------------------------------------------------

// Turns float samples into integer codes of a given width: scaled so that full
// scale is 2^(bits-1), rounded to nearest, clipped to the code range (so +1.0
// is clipped, -1.0 is not) and counted when clipped. With dither, triangular
// noise of +-1 step is added before rounding; the noise is the same on every run
// and every machine, so both implementations write the same codes.
class CQuantizer
{
public:
    CQuantizer(int bits, bool dither);
    std::int32_t operator()(float sample);
    std::int64_t clipped() const { return m_clipped; }

private:
    double m_scale;
    double m_top;
    bool m_dither;
    CNoise m_noise{0x9E3779B9u};
    std::int64_t m_clipped = 0;
};

// ---- the interface ------------------------------------------------------------

// One file being written, block after block.
class ISoundWriter
{
public:
    virtual ~ISoundWriter() = default;
    // Appends frames given as one array per channel of the file.
    virtual void write(std::span<const float* const> channels, std::size_t frames) = 0;
    // Completes the file (its header's lengths, the encoder's last packets) and
    // closes it; throws CSoundFileError on failure. A writer destroyed without
    // close() leaves an unfinished file, which its caller removes.
    virtual void close() = 0;
    // Samples clipped so far (integer formats; 0 for the others).
    virtual std::int64_t clippedSamples() const = 0;
};

// Reading and writing sound files. Every failure throws CSoundFileError.
class ISoundFiles
{
public:
    virtual ~ISoundFiles() = default;

    // Who does the work, for messages: "libsndfile-1.2.0", "built-in WAV".
    virtual std::string name() const = 0;
    // Whether a file name's extension is that of a kind read here (folders are
    // scanned for these).
    virtual bool reads(const std::filesystem::path& name) const = 0;
    // Reads a whole mono or stereo file at any rate. A file holding fewer or
    // more frames than its header says is read to its end, with a warning.
    virtual SSoundFile read(const std::filesystem::path& path) const = 0;
    // The format a file of this name gets for audio at this rate whose input
    // was stored as preferred; throws when the name's kind is not written here,
    // or not at this rate.
    virtual SFileFormat outputFormat(const std::filesystem::path& name, ESampleFormat preferred,
                                     int sampleRate) const = 0;
    // Creates a file in a format outputFormat() gave, at any path (a temporary
    // name need not have the extension).
    virtual std::unique_ptr<ISoundWriter> create(const std::filesystem::path& path, const SFileFormat& format,
                                                 int sampleRate, int channels, bool dither) const = 0;
};

// Writes audio as one file in a format outputFormat() gave; returns the clipped samples.
std::int64_t writeSoundFile(const ISoundFiles& files, const std::filesystem::path& path, const SAudio& audio,
                            const SFileFormat& format, bool dither = false);

// ---- for implementations ------------------------------------------------------

// A writer that interleaves the channels and turns floats into what the format
// stores; implementations write the interleaved blocks.
class CInterleavingWriter : public ISoundWriter
{
public:
    CInterleavingWriter(ESampleFormat format, int channels, bool dither);
    void write(std::span<const float* const> channels, std::size_t frames) final;
    std::int64_t clippedSamples() const final { return m_quantizer ? m_quantizer->clipped() : 0; }

protected:
    ESampleFormat format() const { return m_format; }
    int channelCount() const { return m_channels; }
    // Integer formats: codes of integerBits(format()) bits, frames * channels of them.
    virtual void writeCodes(const std::int32_t* codes, std::size_t frames) = 0;
    // Float and encoded formats: the samples as they are.
    virtual void writeSamples(const float* samples, std::size_t frames) = 0;

private:
    ESampleFormat m_format;
    int m_channels;
    std::unique_ptr<CQuantizer> m_quantizer;
    std::vector<std::int32_t> m_codes;
    std::vector<float> m_samples;
};

} // namespace Vantor::Pressora
