#pragma once
// The built-in sound files: WAV read and written with the standard library
// alone, for the builds that have no libsndfile (Windows, 32-bit tests); and
// the header scan that finds where a file's samples lie and what its header
// says of their length, which both implementations use.

#include "tools/pressora/SoundFile.hpp"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Vantor::Pressora
{

// Where the samples of a file lie and the length its header gives, for the
// containers whose header gives one: RIFF WAVE, RF64, Wave64 and AIFF/AIFC.
struct SDataExtent
{
    std::string container;             // "WAV", "RF64", "W64" or "AIFF"
    std::string problem;               // non-empty: the header is unusable, and why
    std::uint64_t offset = 0;          // of the first sample byte
    std::uint64_t bytes = 0;           // sample bytes the file holds
    std::uint32_t frameBytes = 0;      // bytes of one frame; 0 for compressed encodings
    std::int64_t promisedFrames = -1;  // frames the header gives; -1 when it does not say
    std::vector<unsigned char> format; // WAV, RF64 and W64: the format chunk's contents
    // Header bytes that make the header give the length the file holds, for a
    // reader that trusts the header alone: (file offset, bytes). Only made when
    // the header's length is 0, a placeholder that would hide every sample.
    std::vector<std::pair<std::uint64_t, std::vector<unsigned char>>> corrections;

    std::int64_t heldFrames() const
    {
        return frameBytes == 0 ? -1 : static_cast<std::int64_t>(bytes / frameBytes);
    }
};

// Scans a file's header (the stream is left anywhere). Nothing when the file is
// none of those containers.
std::optional<SDataExtent> findDataExtent(std::istream& in);

// WAV files: read as RIFF WAVE, RF64 or Wave64 with 8, 16, 24 or 32-bit PCM or
// 32 or 64-bit float samples, mono or stereo; written as RIFF WAVE.
class CWaveFiles final : public ISoundFiles
{
public:
    std::string name() const override { return "built-in WAV"; }
    bool reads(const std::filesystem::path& name) const override;
    SSoundFile read(const std::filesystem::path& path) const override;
    SFileFormat outputFormat(const std::filesystem::path& name, ESampleFormat preferred,
                             int sampleRate) const override;
    std::unique_ptr<ISoundWriter> create(const std::filesystem::path& path, const SFileFormat& format,
                                         int sampleRate, int channels, bool dither) const override;
};

} // namespace Vantor::Pressora
