#include "tools/pressora/WaveFile.hpp"

#include <sndfile.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>

namespace Vantor::Pressora
{

namespace
{

struct SFileCloser
{
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using TFileHandle = std::unique_ptr<SNDFILE, SFileCloser>;

std::runtime_error fileError(const std::filesystem::path& path, const std::string& cause)
{
    return std::runtime_error("'" + path.string() + "': " + cause);
}

int toSubFormat(CWaveFile::ESampleFormat format)
{
    switch (format)
    {
    case CWaveFile::ESampleFormat::Pcm16:
        return SF_FORMAT_PCM_16;
    case CWaveFile::ESampleFormat::Pcm24:
        return SF_FORMAT_PCM_24;
    case CWaveFile::ESampleFormat::Float32:
        return SF_FORMAT_FLOAT;
    }
    return SF_FORMAT_FLOAT;
}

// Frames moved per libsndfile call: bounds the interleaved scratch buffer.
constexpr sf_count_t kChunkFrames = 8192;

} // namespace

CWaveFile::CWaveFile(int sampleRate, ESampleFormat format, std::vector<std::vector<float>> channels)
    : m_sampleRate(sampleRate), m_format(format), m_channels(std::move(channels))
{
    for (const auto& channel : m_channels)
    {
        if (channel.size() != m_channels[0].size())
        {
            throw std::invalid_argument("CWaveFile: channels of different lengths");
        }
    }
}

const char* CWaveFile::formatName(ESampleFormat format)
{
    switch (format)
    {
    case ESampleFormat::Pcm16:
        return "16-bit PCM";
    case ESampleFormat::Pcm24:
        return "24-bit PCM";
    case ESampleFormat::Float32:
        return "32-bit float";
    }
    return "?";
}

CWaveFile CWaveFile::load(const std::filesystem::path& path)
{
    SF_INFO info{};
    TFileHandle file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file)
    {
        throw fileError(path, std::string("cannot read: ") + sf_strerror(nullptr));
    }
    const int major = info.format & SF_FORMAT_TYPEMASK;
    if (major != SF_FORMAT_WAV && major != SF_FORMAT_WAVEX)
    {
        throw fileError(path, "not a WAV file");
    }
    ESampleFormat format;
    switch (info.format & SF_FORMAT_SUBMASK)
    {
    case SF_FORMAT_PCM_16:
        format = ESampleFormat::Pcm16;
        break;
    case SF_FORMAT_PCM_24:
        format = ESampleFormat::Pcm24;
        break;
    case SF_FORMAT_FLOAT:
        format = ESampleFormat::Float32;
        break;
    default:
        throw fileError(path, "unsupported sample format (16-bit PCM, 24-bit PCM or 32-bit float only)");
    }
    if (info.channels < 1 || info.channels > 2)
    {
        throw fileError(path, std::to_string(info.channels) + " channels (mono or stereo only)");
    }

    const auto channelCount = static_cast<std::size_t>(info.channels);
    std::vector<std::vector<float>> channels(channelCount);
    for (auto& channel : channels)
    {
        channel.reserve(static_cast<std::size_t>(info.frames));
    }
    std::vector<float> interleaved(static_cast<std::size_t>(kChunkFrames) * channelCount);
    for (;;)
    {
        const sf_count_t got = sf_readf_float(file.get(), interleaved.data(), kChunkFrames);
        if (got <= 0)
        {
            break;
        }
        for (sf_count_t frame = 0; frame < got; ++frame)
        {
            for (std::size_t c = 0; c < channelCount; ++c)
            {
                channels[c].push_back(interleaved[static_cast<std::size_t>(frame) * channelCount + c]);
            }
        }
    }
    if (sf_error(file.get()) != SF_ERR_NO_ERROR)
    {
        throw fileError(path, std::string("read error: ") + sf_strerror(file.get()));
    }
    return CWaveFile(info.samplerate, format, std::move(channels));
}

void CWaveFile::save(const std::filesystem::path& path) const
{
    if (m_channels.empty())
    {
        throw fileError(path, "nothing to write (no channels)");
    }
    SF_INFO info{};
    info.samplerate = m_sampleRate;
    info.channels = channelCount();
    info.format = SF_FORMAT_WAV | toSubFormat(m_format);
    if (!sf_format_check(&info))
    {
        throw fileError(path, "cannot write this format (sample rate " + std::to_string(m_sampleRate) + ")");
    }
    TFileHandle file(sf_open(path.c_str(), SFM_WRITE, &info));
    if (!file)
    {
        throw fileError(path, std::string("cannot write: ") + sf_strerror(nullptr));
    }
    sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);

    const auto channelCount = m_channels.size();
    const auto frames = static_cast<std::size_t>(frameCount());
    std::vector<float> interleaved(static_cast<std::size_t>(kChunkFrames) * channelCount);
    for (std::size_t start = 0; start < frames; start += kChunkFrames)
    {
        const std::size_t count = std::min<std::size_t>(kChunkFrames, frames - start);
        for (std::size_t frame = 0; frame < count; ++frame)
        {
            for (std::size_t c = 0; c < channelCount; ++c)
            {
                interleaved[frame * channelCount + c] = m_channels[c][start + frame];
            }
        }
        if (sf_writef_float(file.get(), interleaved.data(), static_cast<sf_count_t>(count)) !=
            static_cast<sf_count_t>(count))
        {
            throw fileError(path, std::string("write error: ") + sf_strerror(file.get()));
        }
    }
}

} // namespace Vantor::Pressora
