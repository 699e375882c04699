#include "tools/pressora/WaveFile.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <fstream>
#include <istream>

// RIFF WAVE is read and written here directly, so that the tool builds the same
// way for every platform with nothing but the standard library. Integer
// samples are value / 2^(bits-1) both ways, so a written file reads back
// exactly. A data chunk whose size runs past the end of the file (truncated or
// streamed files) holds what is there, and so does one whose size is 0.

namespace Vantor::Pressora
{

namespace
{

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
// The largest format chunk kept; real ones have 16 to 40 bytes.
constexpr std::uint64_t kMaxFormatBytes = 1024;

// The twelve bytes that follow the four-letter name in a Wave64 chunk's GUID.
constexpr unsigned char kWave64Tail[12] = {0xf3, 0xac, 0xd3, 0x11, 0x8c, 0xd1,
                                           0x00, 0xc0, 0x4f, 0x8e, 0xdb, 0x8a};
constexpr unsigned char kWave64Riff[16] = {'r',  'i',  'f',  'f',  0x2e, 0x91, 0xcf, 0x11,
                                           0xa5, 0xd6, 0x28, 0xdb, 0x04, 0xc1, 0x00, 0x00};

std::uint64_t readLE(const unsigned char* bytes, int count)
{
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
    {
        value = (value << 8) | bytes[i];
    }
    return value;
}

std::uint64_t readBE(const unsigned char* bytes, int count)
{
    std::uint64_t value = 0;
    for (int i = 0; i < count; ++i)
    {
        value = (value << 8) | bytes[i];
    }
    return value;
}

std::vector<unsigned char> bytesLE(std::uint64_t value, int count)
{
    std::vector<unsigned char> bytes(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
    {
        bytes[static_cast<std::size_t>(i)] = static_cast<unsigned char>((value >> (8 * i)) & 0xFF);
    }
    return bytes;
}

std::vector<unsigned char> bytesBE(std::uint64_t value, int count)
{
    std::vector<unsigned char> bytes = bytesLE(value, count);
    std::reverse(bytes.begin(), bytes.end());
    return bytes;
}

// Reads count bytes at offset; false when the file ends first.
bool readAt(std::istream& in, std::uint64_t offset, unsigned char* bytes, std::uint64_t count)
{
    in.clear();
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(reinterpret_cast<char*>(bytes), static_cast<std::streamsize>(count));
    return in.gcount() == static_cast<std::streamsize>(count);
}

// The plain format tag, looking through an extensible format to its sub-format.
std::uint64_t formatTag(const std::vector<unsigned char>& format)
{
    const std::uint64_t tag = readLE(format.data(), 2);
    return tag == kFormatExtensible && format.size() >= 26 ? readLE(format.data() + 24, 2) : tag;
}

// Bytes per frame of a WAV format chunk whose samples are not compressed; else 0.
std::uint32_t waveFrameBytes(const std::vector<unsigned char>& format)
{
    if (format.size() < 16)
    {
        return 0;
    }
    const std::uint64_t tag = formatTag(format);
    return tag == kFormatPcm || tag == kFormatFloat
               ? static_cast<std::uint32_t>(readLE(format.data() + 12, 2))
               : 0;
}

// Fills in the lengths once the data's place and stated size are known. A
// stated size of 0 is a placeholder (a streamed file): the samples run to the
// end, and corrections at sizeField tell header-trusting readers so.
void settle(SDataExtent& extent, std::uint64_t fileSize, std::uint64_t stated, std::uint64_t sizeField,
            int sizeBytes, std::uint64_t sizeBias, bool bigEndian)
{
    const std::uint64_t rest = fileSize > extent.offset ? fileSize - extent.offset : 0;
    extent.bytes = stated == 0 ? rest : std::min(stated, rest);
    if (extent.frameBytes != 0)
    {
        extent.bytes -= extent.bytes % extent.frameBytes;
        if (extent.promisedFrames < 0)
        {
            extent.promisedFrames = static_cast<std::int64_t>(stated / extent.frameBytes);
        }
    }
    const std::uint64_t corrected = extent.bytes + sizeBias;
    if (stated == 0 && extent.bytes > 0 && (sizeBytes == 8 || corrected <= 0xFFFFFFFEull))
    {
        extent.corrections.emplace_back(sizeField, bigEndian ? bytesBE(corrected, sizeBytes)
                                                             : bytesLE(corrected, sizeBytes));
    }
}

// RIFF WAVE and RF64: chunks of a four-letter name and a 32-bit size, padded to even.
SDataExtent scanRiff(std::istream& in, std::uint64_t fileSize, bool rf64)
{
    SDataExtent extent;
    extent.container = rf64 ? "RF64" : "WAV";
    std::uint64_t ds64Data = 0;
    std::uint64_t ds64Field = 0;
    bool haveData = false;
    unsigned char header[8];
    for (std::uint64_t at = 12; at + 8 <= fileSize && readAt(in, at, header, 8);)
    {
        const std::uint64_t size = readLE(header + 4, 4);
        if (std::memcmp(header, "ds64", 4) == 0 && rf64 && size >= 16)
        {
            unsigned char sizes[16];
            if (readAt(in, at + 8, sizes, 16))
            {
                ds64Data = readLE(sizes + 8, 8);
                ds64Field = at + 16;
            }
        }
        else if (std::memcmp(header, "fmt ", 4) == 0 && extent.format.empty())
        {
            extent.format.resize(static_cast<std::size_t>(std::min(size, kMaxFormatBytes)));
            if (!readAt(in, at + 8, extent.format.data(), extent.format.size()))
            {
                extent.format.clear();
            }
        }
        else if (std::memcmp(header, "data", 4) == 0 && !haveData)
        {
            haveData = true;
            extent.offset = at + 8;
            extent.frameBytes = waveFrameBytes(extent.format);
            if (rf64 && size == 0xFFFFFFFFull && ds64Field != 0)
            {
                settle(extent, fileSize, ds64Data, ds64Field, 8, 0, false);
            }
            else
            {
                settle(extent, fileSize, size, at + 4, 4, 0, false);
            }
            if (!extent.format.empty() || size == 0 || size == 0xFFFFFFFFull)
            {
                break; // nothing is needed past the data, or it runs to the end
            }
        }
        at += 8 + size + (size & 1);
    }
    if (extent.format.size() < 16)
    {
        extent.problem = "no format chunk";
    }
    else if (!haveData)
    {
        extent.problem = "no data chunk";
    }
    else if (extent.frameBytes == 0)
    {
        extent.frameBytes = waveFrameBytes(extent.format);
        extent.promisedFrames = -1;
    }
    return extent;
}

// Wave64: chunks of a GUID and a 64-bit size that counts the chunk's own 24
// bytes, padded to multiples of 8.
SDataExtent scanWave64(std::istream& in, std::uint64_t fileSize)
{
    SDataExtent extent;
    extent.container = "W64";
    bool haveData = false;
    unsigned char header[24];
    for (std::uint64_t at = 40; at + 24 <= fileSize && readAt(in, at, header, 24);)
    {
        const std::uint64_t size = readLE(header + 16, 8);
        const bool known = std::memcmp(header + 4, kWave64Tail, 12) == 0;
        if (known && std::memcmp(header, "fmt ", 4) == 0 && size >= 24 && extent.format.empty())
        {
            extent.format.resize(static_cast<std::size_t>(std::min(size - 24, kMaxFormatBytes)));
            if (!readAt(in, at + 24, extent.format.data(), extent.format.size()))
            {
                extent.format.clear();
            }
        }
        else if (known && std::memcmp(header, "data", 4) == 0)
        {
            haveData = true;
            extent.offset = at + 24;
            extent.frameBytes = waveFrameBytes(extent.format);
            settle(extent, fileSize, size > 24 ? size - 24 : 0, at + 16, 8, 24, false);
            break;
        }
        if (size < 24 || size > fileSize)
        {
            break;
        }
        at += (size + 7) & ~std::uint64_t{7};
    }
    extent.problem = extent.format.size() < 16 ? "no format chunk" : haveData ? "" : "no data chunk";
    return extent;
}

// AIFF and AIFC: big-endian chunks; COMM gives the frames, SSND holds them
// after an offset of its own.
SDataExtent scanAiff(std::istream& in, std::uint64_t fileSize, bool compressible)
{
    SDataExtent extent;
    extent.container = "AIFF";
    std::uint64_t channels = 0;
    std::uint64_t bits = 0;
    std::uint64_t commFrames = 0;
    std::uint64_t commField = 0;
    bool linear = true;
    bool haveData = false;
    unsigned char header[8];
    for (std::uint64_t at = 12; at + 8 <= fileSize && readAt(in, at, header, 8);)
    {
        const std::uint64_t size = readBE(header + 4, 4);
        if (std::memcmp(header, "COMM", 4) == 0 && size >= 18)
        {
            unsigned char comm[22] = {};
            if (readAt(in, at + 8, comm, std::min<std::uint64_t>(size, sizeof comm)))
            {
                channels = readBE(comm, 2);
                commFrames = readBE(comm + 2, 4);
                commField = at + 10;
                bits = readBE(comm + 6, 2);
                if (compressible && size >= 22)
                {
                    static constexpr const char* kLinear[] = {"NONE", "twos", "sowt", "raw ", "in24",
                                                              "in32", "fl32", "FL32", "fl64", "FL64"};
                    linear =
                        std::any_of(std::begin(kLinear), std::end(kLinear),
                                    [&](const char* type) { return std::memcmp(comm + 18, type, 4) == 0; });
                }
            }
        }
        else if (std::memcmp(header, "SSND", 4) == 0 && !haveData)
        {
            unsigned char offsets[8];
            if (!readAt(in, at + 8, offsets, 8))
            {
                break;
            }
            haveData = true;
            const std::uint64_t skip = readBE(offsets, 4);
            extent.offset = at + 16 + skip;
            extent.frameBytes = linear ? static_cast<std::uint32_t>(channels * ((bits + 7) / 8)) : 0;
            // A streamed file may leave either length 0; the samples then run to the end.
            const std::uint64_t stated = size >= 8 + skip ? size - 8 - skip : 0;
            const bool placeholder = commFrames == 0 || stated == 0;
            extent.promisedFrames = commField != 0 && linear ? static_cast<std::int64_t>(commFrames) : -1;
            settle(extent, fileSize, placeholder ? 0 : stated, at + 4, 4, 8 + skip, true);
            if (!extent.corrections.empty() && commField != 0 && extent.frameBytes != 0)
            {
                extent.corrections.emplace_back(commField, bytesBE(extent.bytes / extent.frameBytes, 4));
            }
            if (placeholder)
            {
                break;
            }
        }
        at += 8 + size + (size & 1);
    }
    extent.problem = commField == 0 ? "no COMM chunk" : haveData ? "" : "no SSND chunk";
    return extent;
}

ESampleFormat waveSampleFormat(std::uint64_t tag, std::uint64_t bits)
{
    if (tag == kFormatPcm)
    {
        switch (bits)
        {
        case 8:
            return ESampleFormat::Pcm8;
        case 16:
            return ESampleFormat::Pcm16;
        case 24:
            return ESampleFormat::Pcm24;
        case 32:
            return ESampleFormat::Pcm32;
        default:
            break;
        }
    }
    if (tag == kFormatFloat && (bits == 32 || bits == 64))
    {
        return bits == 32 ? ESampleFormat::Float32 : ESampleFormat::Float64;
    }
    return ESampleFormat::Encoded;
}

// One sample of the format at bytes, as a float; integers are multiplied by
// scale, 2^-(bits-1).
float decodeSample(const unsigned char* bytes, ESampleFormat format, double scale)
{
    switch (format)
    {
    case ESampleFormat::Pcm8:
        return static_cast<float>((static_cast<int>(bytes[0]) - 128) * scale);
    case ESampleFormat::Float32:
    {
        const auto raw = static_cast<std::uint32_t>(readLE(bytes, 4));
        float value;
        std::memcpy(&value, &raw, sizeof value);
        return value;
    }
    case ESampleFormat::Float64:
    {
        const std::uint64_t raw = readLE(bytes, 8);
        double value;
        std::memcpy(&value, &raw, sizeof value);
        return static_cast<float>(value);
    }
    default:
    {
        // Sign-extend the integer from its width.
        const int bits = integerBits(format);
        const auto raw = static_cast<std::uint32_t>(readLE(bytes, bits / 8));
        const std::int32_t value = static_cast<std::int32_t>(raw << (32 - bits)) >> (32 - bits);
        return static_cast<float>(value * scale);
    }
    }
}

// ---- writing ------------------------------------------------------------------

class CWaveWriter final : public CInterleavingWriter
{
public:
    CWaveWriter(const std::filesystem::path& path, ESampleFormat format, int sampleRate, int channels,
                bool dither)
        : CInterleavingWriter(format, channels, dither), m_path(path),
          m_sampleBytes(format == ESampleFormat::Float32   ? 4
                        : format == ESampleFormat::Float64 ? 8
                                                           : integerBits(format) / 8)
    {
        m_file.open(path, std::ios::binary | std::ios::trunc);
        if (!m_file)
        {
            throw CSoundFileError(path, "cannot write: cannot create the file");
        }
        // The sizes are placeholders until close() knows them.
        const auto frameBytes = static_cast<std::uint32_t>(channels * m_sampleBytes);
        const bool isFloat = format == ESampleFormat::Float32 || format == ESampleFormat::Float64;
        std::string header = "RIFF";
        append(header, 0, 4);
        header += "WAVEfmt ";
        append(header, 16, 4);
        append(header, isFloat ? kFormatFloat : kFormatPcm, 2);
        append(header, static_cast<std::uint64_t>(channels), 2);
        append(header, static_cast<std::uint64_t>(sampleRate), 4);
        append(header, static_cast<std::uint64_t>(sampleRate) * frameBytes, 4);
        append(header, frameBytes, 2);
        append(header, static_cast<std::uint64_t>(m_sampleBytes) * 8, 2);
        header += "data";
        append(header, 0, 4);
        put(header);
    }

    void close() override
    {
        if (!m_file.is_open())
        {
            return;
        }
        if ((m_dataBytes & 1) != 0)
        {
            put(std::string(1, '\0'));
        }
        m_file.seekp(4);
        std::string size;
        append(size, m_dataBytes + (m_dataBytes & 1) + 36, 4);
        put(size);
        m_file.seekp(40);
        size.clear();
        append(size, m_dataBytes, 4);
        put(size);
        m_file.close();
        if (!m_file)
        {
            throw CSoundFileError(m_path, "write error");
        }
    }

protected:
    void writeCodes(const std::int32_t* codes, std::size_t frames) override
    {
        std::string& out = startBlock(frames);
        const std::size_t count = frames * static_cast<std::size_t>(channelCount());
        for (std::size_t i = 0; i < count; ++i)
        {
            // 8-bit WAV samples are unsigned, centred on 128.
            const std::int64_t code = m_sampleBytes == 1 ? codes[i] + 128 : codes[i];
            append(out, static_cast<std::uint64_t>(code), m_sampleBytes);
        }
        put(out);
    }

    void writeSamples(const float* samples, std::size_t frames) override
    {
        std::string& out = startBlock(frames);
        const std::size_t count = frames * static_cast<std::size_t>(channelCount());
        for (std::size_t i = 0; i < count; ++i)
        {
            if (m_sampleBytes == 4)
            {
                std::uint32_t raw;
                std::memcpy(&raw, &samples[i], sizeof raw);
                append(out, raw, 4);
            }
            else
            {
                const double wide = samples[i];
                std::uint64_t raw;
                std::memcpy(&raw, &wide, sizeof raw);
                append(out, raw, 8);
            }
        }
        put(out);
    }

private:
    static void append(std::string& out, std::uint64_t value, int count)
    {
        for (int i = 0; i < count; ++i)
        {
            out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    }

    // The block buffer, emptied, after checking that the data still fits a WAV file.
    std::string& startBlock(std::size_t frames)
    {
        m_dataBytes += static_cast<std::uint64_t>(frames) * static_cast<std::uint64_t>(channelCount()) *
                       static_cast<std::uint64_t>(m_sampleBytes);
        if (m_dataBytes > 0xFFFFFFFFull - 64)
        {
            throw CSoundFileError(m_path, "too long for a WAV file (4 GB at most)");
        }
        m_block.clear();
        return m_block;
    }

    void put(const std::string& bytes)
    {
        m_file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!m_file)
        {
            throw CSoundFileError(m_path, "write error");
        }
    }

    std::filesystem::path m_path;
    int m_sampleBytes;
    std::ofstream m_file;
    std::uint64_t m_dataBytes = 0;
    std::string m_block;
};

} // namespace

std::optional<SDataExtent> findDataExtent(std::istream& in)
{
    in.clear();
    in.seekg(0, std::ios::end);
    const auto end = in.tellg();
    if (end < 0)
    {
        return std::nullopt;
    }
    const auto fileSize = static_cast<std::uint64_t>(end);
    unsigned char start[40] = {};
    if (!readAt(in, 0, start, std::min<std::uint64_t>(fileSize, sizeof start)) || fileSize < 12)
    {
        return std::nullopt;
    }
    if ((std::memcmp(start, "RIFF", 4) == 0 || std::memcmp(start, "RF64", 4) == 0) &&
        std::memcmp(start + 8, "WAVE", 4) == 0)
    {
        return scanRiff(in, fileSize, start[1] == 'F');
    }
    if (fileSize >= 40 && std::memcmp(start, kWave64Riff, 16) == 0 && std::memcmp(start + 24, "wave", 4) == 0)
    {
        return scanWave64(in, fileSize);
    }
    if (std::memcmp(start, "FORM", 4) == 0 &&
        (std::memcmp(start + 8, "AIFF", 4) == 0 || std::memcmp(start + 8, "AIFC", 4) == 0))
    {
        return scanAiff(in, fileSize, start[11] == 'C');
    }
    return std::nullopt;
}

bool CWaveFiles::reads(const std::filesystem::path& name) const
{
    const SContainer* container = findContainer(name);
    return container != nullptr &&
           (std::string(container->name) == "WAV" || std::string(container->name) == "W64" ||
            std::string(container->name) == "RF64");
}

SSoundFile CWaveFiles::read(const std::filesystem::path& path) const
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
    {
        throw CSoundFileError(path, "cannot read: no such file or no permission");
    }
    const std::optional<SDataExtent> extent = findDataExtent(in);
    if (!extent || extent->container == "AIFF")
    {
        throw CSoundFileError(path, "not a WAV file");
    }
    if (!extent->problem.empty())
    {
        throw CSoundFileError(path, "not a WAV file (" + extent->problem + ")");
    }
    const std::vector<unsigned char>& format = extent->format;
    const std::uint64_t channels = readLE(format.data() + 2, 2);
    const std::uint64_t sampleRate = readLE(format.data() + 4, 4);
    const std::uint64_t bits = readLE(format.data() + 14, 2);
    const ESampleFormat sampleFormat = waveSampleFormat(formatTag(format), bits);
    if (sampleFormat == ESampleFormat::Encoded || extent->frameBytes != channels * bits / 8)
    {
        throw CSoundFileError(path, "unsupported sample format (8, 16, 24 or 32-bit PCM or 32 or 64-bit "
                                    "float only)");
    }
    if (channels < 1 || channels > 2)
    {
        throw CSoundFileError(path, std::to_string(channels) + " channels (mono or stereo only)");
    }
    if (sampleRate == 0 || sampleRate > 0x7FFFFFFF)
    {
        throw CSoundFileError(path, "sample rate " + std::to_string(sampleRate));
    }

    SSoundFile file;
    file.format = {extent->container, sampleFormat, sampleFormatName(sampleFormat), 0};
    file.audio.sampleRate = static_cast<int>(sampleRate);
    const auto frames = static_cast<std::size_t>(extent->heldFrames());
    file.audio.channels.assign(channels, std::vector<float>(frames));
    // In blocks, so that a long file needs no second copy of itself in memory.
    const std::size_t width = bits / 8;
    const double scale = std::ldexp(1.0, -(static_cast<int>(bits) - 1));
    const std::size_t blockFrames = 65536;
    std::vector<unsigned char> block(blockFrames * extent->frameBytes);
    for (std::size_t first = 0; first < frames; first += blockFrames)
    {
        const std::size_t count = std::min(blockFrames, frames - first);
        if (!readAt(in, extent->offset + first * extent->frameBytes, block.data(),
                    count * extent->frameBytes))
        {
            throw CSoundFileError(path, "cannot read: read error");
        }
        const unsigned char* sample = block.data();
        for (std::size_t frame = first; frame < first + count; ++frame)
        {
            for (auto& channel : file.audio.channels)
            {
                channel[frame] = decodeSample(sample, sampleFormat, scale);
                sample += width;
            }
        }
    }
    file.warning = lengthWarning(extent->promisedFrames, static_cast<std::int64_t>(frames));
    return file;
}

SFileFormat CWaveFiles::outputFormat(const std::filesystem::path& name, ESampleFormat preferred,
                                     int sampleRate) const
{
    const SContainer* container = findContainer(name);
    if (container == nullptr || std::string(container->name) != "WAV")
    {
        throw CSoundFileError(name, "this build writes WAV files only (an output name ending in .wav)");
    }
    if (sampleRate <= 0)
    {
        throw CSoundFileError(name,
                              "cannot write this format (sample rate " + std::to_string(sampleRate) + ")");
    }
    const ESampleFormat sample = outputSampleFormat(*container, preferred);
    return {container->name, sample, sampleFormatName(sample), 0};
}

std::unique_ptr<ISoundWriter> CWaveFiles::create(const std::filesystem::path& path, const SFileFormat& format,
                                                 int sampleRate, int channels, bool dither) const
{
    if (format.sample == ESampleFormat::Encoded || channels < 1)
    {
        throw CSoundFileError(path, "cannot write " + format.description() + " here");
    }
    return std::make_unique<CWaveWriter>(path, format.sample, sampleRate, channels, dither);
}

} // namespace Vantor::Pressora
