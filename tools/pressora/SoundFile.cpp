#include "tools/pressora/SoundFile.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace Vantor::Pressora
{

namespace
{

constexpr unsigned bit(ESampleFormat format)
{
    return 1u << static_cast<unsigned>(format);
}

constexpr unsigned kAllLinear = bit(ESampleFormat::Pcm8) | bit(ESampleFormat::Pcm16) |
                                bit(ESampleFormat::Pcm24) | bit(ESampleFormat::Pcm32) |
                                bit(ESampleFormat::Float32) | bit(ESampleFormat::Float64);
constexpr unsigned kFlac = bit(ESampleFormat::Pcm8) | bit(ESampleFormat::Pcm16) | bit(ESampleFormat::Pcm24);

// The rates the encoders write: Opus only its own five, MPEG audio its nine.
constexpr int kOpusRates[] = {8000, 12000, 16000, 24000, 48000};
constexpr int kMpegRates[] = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};

constexpr SContainer kContainers[] = {
    {"WAV", ".wav .wave", kAllLinear, nullptr, {}}, {"W64", ".w64", kAllLinear, nullptr, {}},
    {"RF64", ".rf64", kAllLinear, nullptr, {}},     {"AIFF", ".aif .aiff .aifc", kAllLinear, nullptr, {}},
    {"CAF", ".caf", kAllLinear, nullptr, {}},       {"AU", ".au .snd", kAllLinear, nullptr, {}},
    {"FLAC", ".flac", kFlac, nullptr, {}},          {"Ogg Vorbis", ".ogg .oga", 0, "Vorbis", {}},
    {"Opus", ".opus", 0, "Opus", kOpusRates},       {"MP3", ".mp3", 0, "MPEG Layer III", kMpegRates},
};

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool hasExtension(const SContainer& container, const std::string& extension)
{
    const std::string list = std::string(" ") + container.extensions + " ";
    return !extension.empty() && list.find(" " + extension + " ") != std::string::npos;
}

} // namespace

int integerBits(ESampleFormat format)
{
    switch (format)
    {
    case ESampleFormat::Pcm8:
        return 8;
    case ESampleFormat::Pcm16:
        return 16;
    case ESampleFormat::Pcm24:
        return 24;
    case ESampleFormat::Pcm32:
        return 32;
    default:
        return 0;
    }
}

const char* sampleFormatName(ESampleFormat format)
{
    switch (format)
    {
    case ESampleFormat::Pcm8:
        return "8-bit PCM";
    case ESampleFormat::Pcm16:
        return "16-bit PCM";
    case ESampleFormat::Pcm24:
        return "24-bit PCM";
    case ESampleFormat::Pcm32:
        return "32-bit PCM";
    case ESampleFormat::Float32:
        return "32-bit float";
    case ESampleFormat::Float64:
        return "64-bit float";
    case ESampleFormat::Encoded:
        break;
    }
    return "encoded";
}

namespace
{

// Appended piece by piece: GCC 12 warns wrongly about "'" + text + ...
std::string fileMessage(const std::filesystem::path& path, const std::string& reason)
{
    std::string text = "'";
    text += path.string();
    text += "': ";
    text += reason;
    return text;
}

} // namespace

CSoundFileError::CSoundFileError(const std::filesystem::path& path, const std::string& reason)
    : std::runtime_error(fileMessage(path, reason)), m_reason(reason)
{
}

std::span<const SContainer> containers()
{
    return kContainers;
}

const SContainer* findContainer(const std::filesystem::path& name)
{
    const std::string extension = lowerCase(name.extension().string());
    for (const SContainer& container : kContainers)
    {
        if (hasExtension(container, extension))
        {
            return &container;
        }
    }
    return nullptr;
}

std::string containerExtensions()
{
    std::string text;
    for (const SContainer& container : kContainers)
    {
        std::string list = container.extensions;
        std::replace(list.begin(), list.end(), ' ', '/');
        text += (text.empty() ? "" : ", ") + list;
    }
    return text;
}

ESampleFormat outputSampleFormat(const SContainer& container, ESampleFormat preferred)
{
    if (container.codec != nullptr)
    {
        return ESampleFormat::Encoded;
    }
    return (container.sampleFormats & bit(preferred)) != 0 ? preferred : ESampleFormat::Pcm24;
}

void checkOutputRate(const SContainer& container, const std::filesystem::path& name, int sampleRate)
{
    if (container.rates.empty() ||
        std::find(container.rates.begin(), container.rates.end(), sampleRate) != container.rates.end())
    {
        return;
    }
    std::string rates;
    for (std::size_t i = 0; i < container.rates.size(); ++i)
    {
        rates += i == 0 ? "" : i + 1 == container.rates.size() ? " or " : ", ";
        rates += std::to_string(container.rates[i]);
    }
    throw CSoundFileError(name, std::string(container.name) + " files are written only at " + rates +
                                    " Hz, not at the input's " + std::to_string(sampleRate) +
                                    " Hz (pressora does not resample)");
}

std::string lengthWarning(std::int64_t promised, std::int64_t held)
{
    if (promised == held)
    {
        return {};
    }
    return "the header gives " + std::to_string(promised) + " frames but the file holds " +
           std::to_string(held) + "; read " + std::to_string(held) +
           (promised > held ? " (a truncated file?)" : " (a streamed file whose length was never written?)");
}

// ---- integer samples ----------------------------------------------------------

CQuantizer::CQuantizer(int bits, bool dither)
    : m_scale(std::ldexp(1.0, bits - 1)), m_top(m_scale - 1.0), m_dither(dither)
{
}

std::int32_t CQuantizer::operator()(float sample)
{
    double scaled = static_cast<double>(sample) * m_scale;
    if (m_dither)
    {
        // The mean of two uniform values in [-1, 1): triangular noise of +-1 step.
        const double first = m_noise.next();
        scaled += 0.5 * (first + m_noise.next());
    }
    const double rounded = std::nearbyint(scaled);
    if (rounded >= -m_scale && rounded <= m_top)
    {
        return static_cast<std::int32_t>(rounded);
    }
    ++m_clipped;
    if (std::isnan(rounded))
    {
        return 0;
    }
    return static_cast<std::int32_t>(rounded > 0.0 ? m_top : -m_scale);
}

// ---- writing ------------------------------------------------------------------

CInterleavingWriter::CInterleavingWriter(ESampleFormat format, int channels, bool dither)
    : m_format(format), m_channels(channels)
{
    if (integerBits(format) != 0)
    {
        m_quantizer = std::make_unique<CQuantizer>(integerBits(format), dither);
    }
}

void CInterleavingWriter::write(std::span<const float* const> channels, std::size_t frames)
{
    if (channels.size() != static_cast<std::size_t>(m_channels))
    {
        throw std::invalid_argument("sound writer: wrong number of channels");
    }
    const auto count = static_cast<std::size_t>(m_channels);
    if (m_quantizer)
    {
        m_codes.resize(frames * count);
        for (std::size_t frame = 0; frame < frames; ++frame)
        {
            for (std::size_t c = 0; c < count; ++c)
            {
                m_codes[frame * count + c] = (*m_quantizer)(channels[c][frame]);
            }
        }
        writeCodes(m_codes.data(), frames);
        return;
    }
    m_samples.resize(frames * count);
    for (std::size_t frame = 0; frame < frames; ++frame)
    {
        for (std::size_t c = 0; c < count; ++c)
        {
            m_samples[frame * count + c] = channels[c][frame];
        }
    }
    writeSamples(m_samples.data(), frames);
}

std::int64_t writeSoundFile(const ISoundFiles& files, const std::filesystem::path& path, const SAudio& audio,
                            const SFileFormat& format, bool dither)
{
    auto writer = files.create(path, format, audio.sampleRate, audio.channelCount(), dither);
    std::vector<const float*> channels;
    for (const auto& channel : audio.channels)
    {
        channels.push_back(channel.data());
    }
    writer->write(channels, static_cast<std::size_t>(audio.frameCount()));
    writer->close();
    return writer->clippedSamples();
}

} // namespace Vantor::Pressora
