#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace Vantor::Pressora
{

// Audio of a WAV file held as one float vector per channel (samples in -1..1).
// Reads and writes 16-bit PCM, 24-bit PCM and 32-bit float WAV at any sample rate.
// Every failure throws std::runtime_error whose text names the file and the cause.
class CWaveFile
{
public:
    enum class ESampleFormat
    {
        Pcm16,
        Pcm24,
        Float32
    };

    CWaveFile() = default;
    CWaveFile(int sampleRate, ESampleFormat format, std::vector<std::vector<float>> channels);

    static CWaveFile load(const std::filesystem::path& path);
    // Integer formats are clipped to full scale rather than wrapped.
    void save(const std::filesystem::path& path) const;

    int sampleRate() const { return m_sampleRate; }
    ESampleFormat format() const { return m_format; }
    int channelCount() const { return static_cast<int>(m_channels.size()); }
    std::int64_t frameCount() const
    {
        return m_channels.empty() ? 0 : static_cast<std::int64_t>(m_channels[0].size());
    }

    const std::vector<float>& channel(int index) const
    {
        return m_channels.at(static_cast<std::size_t>(index));
    }
    std::vector<float>& channel(int index) { return m_channels.at(static_cast<std::size_t>(index)); }

    static const char* formatName(ESampleFormat format);

private:
    int m_sampleRate = 44100;
    ESampleFormat m_format = ESampleFormat::Float32;
    std::vector<std::vector<float>> m_channels;
};

} // namespace Vantor::Pressora
