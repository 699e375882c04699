#pragma once
// Sound files through libsndfile: every kind it reads, every kind of the
// output table written (Linux only; the other builds use the built-in WAV).

#include "tools/pressora/SoundFile.hpp"

namespace Vantor::Pressora
{

// Reads WAV, W64, RF64, AIFF, CAF, AU, FLAC, Ogg Vorbis, Opus, MP3 and the
// other kinds libsndfile knows; writes the kind an output's extension names.
// Integer samples go both ways as codes of their width over 2^(bits-1), as the
// built-in WAV has them, so both read and write the same values.
class CSndFiles final : public ISoundFiles
{
public:
    std::string name() const override;
    bool reads(const std::filesystem::path& name) const override;
    SSoundFile read(const std::filesystem::path& path) const override;
    SFileFormat outputFormat(const std::filesystem::path& name, ESampleFormat preferred,
                             int sampleRate) const override;
    std::unique_ptr<ISoundWriter> create(const std::filesystem::path& path, const SFileFormat& format,
                                         int sampleRate, int channels, bool dither) const override;
};

} // namespace Vantor::Pressora
