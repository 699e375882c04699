#include "tools/pressora/WaveFile.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

// RIFF WAVE is read and written here directly, so that the tool builds the same
// way for every platform with nothing but the standard library. Integer
// samples are value / 2^(bits-1) both ways, so a written file reads back
// exactly; floats are rounded and clipped to the integer range on writing.

namespace Vantor::Pressora
{

namespace
{

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

std::runtime_error fileError(const std::filesystem::path& path, const std::string& cause)
{
    return std::runtime_error("'" + path.string() + "': " + cause);
}

std::uint32_t readLE(const unsigned char* bytes, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
    {
        value = (value << 8) | bytes[i];
    }
    return value;
}

void appendLE(std::string& out, std::uint32_t value, int count)
{
    for (int i = 0; i < count; ++i)
    {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

int bitsOf(CWaveFile::ESampleFormat format)
{
    return format == CWaveFile::ESampleFormat::Pcm16   ? 16
           : format == CWaveFile::ESampleFormat::Pcm24 ? 24
                                                       : 32;
}

// Integer sample of the given width for a float, rounded and clipped to full scale.
std::int32_t toInteger(float sample, int bits)
{
    const double top = std::ldexp(1.0, bits - 1);
    const double scaled = std::nearbyint(static_cast<double>(sample) * top);
    if (!(scaled > -top))
    {
        return static_cast<std::int32_t>(-top);
    }
    return static_cast<std::int32_t>(std::min(scaled, top - 1.0));
}

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
    std::ifstream in(path, std::ios::binary);
    if (!in)
    {
        throw fileError(path, "cannot read: no such file or no permission");
    }
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in),
                                           std::istreambuf_iterator<char>()};
    if (in.bad())
    {
        throw fileError(path, "cannot read: read error");
    }
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
    {
        throw fileError(path, "not a WAV file");
    }

    // Walk the chunks; each is padded to an even length. A data chunk whose
    // stated size runs past the end (streamed files) holds what is there.
    const unsigned char* format = nullptr;
    std::size_t formatSize = 0;
    const unsigned char* data = nullptr;
    std::size_t dataSize = 0;
    for (std::size_t at = 12; at + 8 <= bytes.size();)
    {
        const unsigned char* chunk = bytes.data() + at;
        const std::size_t size = std::min<std::size_t>(readLE(chunk + 4, 4), bytes.size() - at - 8);
        if (std::memcmp(chunk, "fmt ", 4) == 0 && format == nullptr)
        {
            format = chunk + 8;
            formatSize = size;
        }
        else if (std::memcmp(chunk, "data", 4) == 0 && data == nullptr)
        {
            data = chunk + 8;
            dataSize = size;
        }
        at += 8 + size + (size & 1);
    }
    if (format == nullptr || formatSize < 16 || data == nullptr)
    {
        throw fileError(path, std::string("not a WAV file (no ") + (format == nullptr ? "format" : "data") +
                                  " chunk)");
    }

    std::uint32_t tag = readLE(format, 2);
    const int channelCount = static_cast<int>(readLE(format + 2, 2));
    const int sampleRate = static_cast<int>(readLE(format + 4, 4));
    const int bits = static_cast<int>(readLE(format + 14, 2));
    if (tag == kFormatExtensible && formatSize >= 40)
    {
        // The sub-format GUID begins with the plain format tag.
        tag = readLE(format + 24, 2);
    }
    ESampleFormat sampleFormat;
    if (tag == kFormatPcm && bits == 16)
    {
        sampleFormat = ESampleFormat::Pcm16;
    }
    else if (tag == kFormatPcm && bits == 24)
    {
        sampleFormat = ESampleFormat::Pcm24;
    }
    else if (tag == kFormatFloat && bits == 32)
    {
        sampleFormat = ESampleFormat::Float32;
    }
    else
    {
        throw fileError(path, "unsupported sample format (16-bit PCM, 24-bit PCM or 32-bit float only)");
    }
    if (channelCount < 1 || channelCount > 2)
    {
        throw fileError(path, std::to_string(channelCount) + " channels (mono or stereo only)");
    }
    if (sampleRate <= 0)
    {
        throw fileError(path, "sample rate " + std::to_string(sampleRate));
    }

    const int width = bits / 8;
    const std::size_t frames = dataSize / static_cast<std::size_t>(width * channelCount);
    std::vector<std::vector<float>> channels(static_cast<std::size_t>(channelCount),
                                             std::vector<float>(frames));
    const double scale = std::ldexp(1.0, -(bits - 1));
    const unsigned char* sample = data;
    for (std::size_t frame = 0; frame < frames; ++frame)
    {
        for (auto& channel : channels)
        {
            const std::uint32_t raw = readLE(sample, width);
            sample += width;
            if (sampleFormat == ESampleFormat::Float32)
            {
                std::memcpy(&channel[frame], &raw, sizeof(float));
            }
            else
            {
                // Sign-extend the integer from its width.
                const std::int32_t value = static_cast<std::int32_t>(raw << (32 - bits)) >> (32 - bits);
                channel[frame] = static_cast<float>(value * scale);
            }
        }
    }
    return CWaveFile(sampleRate, sampleFormat, std::move(channels));
}

void CWaveFile::save(const std::filesystem::path& path) const
{
    if (m_channels.empty())
    {
        throw fileError(path, "nothing to write (no channels)");
    }
    if (m_sampleRate <= 0)
    {
        throw fileError(path, "cannot write this format (sample rate " + std::to_string(m_sampleRate) + ")");
    }
    const int bits = bitsOf(m_format);
    const auto channelCount = static_cast<std::uint32_t>(m_channels.size());
    const auto frames = static_cast<std::uint64_t>(frameCount());
    const std::uint64_t dataSize = frames * channelCount * static_cast<std::uint32_t>(bits / 8);
    if (dataSize > 0xFFFFFFFFull - 64)
    {
        throw fileError(path, "too long for a WAV file");
    }

    std::string out;
    out.reserve(static_cast<std::size_t>(dataSize) + 64);
    out += "RIFF";
    appendLE(out, static_cast<std::uint32_t>(dataSize + (dataSize & 1) + 36), 4);
    out += "WAVEfmt ";
    appendLE(out, 16, 4);
    appendLE(out, m_format == ESampleFormat::Float32 ? kFormatFloat : kFormatPcm, 2);
    appendLE(out, channelCount, 2);
    appendLE(out, static_cast<std::uint32_t>(m_sampleRate), 4);
    appendLE(out,
             static_cast<std::uint32_t>(m_sampleRate) * channelCount * static_cast<std::uint32_t>(bits / 8),
             4);
    appendLE(out, channelCount * static_cast<std::uint32_t>(bits / 8), 2);
    appendLE(out, static_cast<std::uint32_t>(bits), 2);
    out += "data";
    appendLE(out, static_cast<std::uint32_t>(dataSize), 4);
    for (std::size_t frame = 0; frame < frames; ++frame)
    {
        for (const auto& channel : m_channels)
        {
            if (m_format == ESampleFormat::Float32)
            {
                std::uint32_t raw = 0;
                std::memcpy(&raw, &channel[frame], sizeof(float));
                appendLE(out, raw, 4);
            }
            else
            {
                appendLE(out, static_cast<std::uint32_t>(toInteger(channel[frame], bits)), bits / 8);
            }
        }
    }
    if (dataSize & 1)
    {
        out.push_back('\0');
    }

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
    {
        throw fileError(path, "cannot write: cannot create the file");
    }
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    file.close();
    if (!file)
    {
        throw fileError(path, "write error");
    }
}

} // namespace Vantor::Pressora
