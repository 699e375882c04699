#include "tools/pressora/SndFiles.hpp"

#include "tools/pressora/WaveFile.hpp"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <mutex>

namespace Vantor::Pressora
{

namespace
{

// libsndfile keeps the reason of a failed open in one global: opens are taken
// one at a time so that each worker reads its own reason.
std::mutex g_openMutex;

constexpr int kBlockFrames = 65536;

std::string oneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    while (!text.empty() && (text.back() == ' ' || text.back() == '.'))
    {
        text.pop_back();
    }
    return text;
}

// The linear format a libsndfile encoding decodes to exactly; Encoded for the rest.
ESampleFormat sampleFormatOf(int subtype)
{
    switch (subtype)
    {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_DPCM_8:
        return ESampleFormat::Pcm8;
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_ALAC_16:
    case SF_FORMAT_DWVW_12:
    case SF_FORMAT_DWVW_16:
    case SF_FORMAT_DPCM_16:
        return ESampleFormat::Pcm16;
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_ALAC_20:
    case SF_FORMAT_ALAC_24:
    case SF_FORMAT_DWVW_24:
        return ESampleFormat::Pcm24;
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_ALAC_32:
        return ESampleFormat::Pcm32;
    case SF_FORMAT_FLOAT:
        return ESampleFormat::Float32;
    case SF_FORMAT_DOUBLE:
        return ESampleFormat::Float64;
    default:
        return ESampleFormat::Encoded;
    }
}

bool isPlainLinear(int subtype)
{
    return subtype == SF_FORMAT_PCM_S8 || subtype == SF_FORMAT_PCM_U8 || subtype == SF_FORMAT_PCM_16 ||
           subtype == SF_FORMAT_PCM_24 || subtype == SF_FORMAT_PCM_32 || subtype == SF_FORMAT_FLOAT ||
           subtype == SF_FORMAT_DOUBLE;
}

// libsndfile's name of a major format or an encoding, up to any " (...)".
std::string libraryName(int format, bool major)
{
    SF_FORMAT_INFO info{};
    info.format = format;
    if (sf_command(nullptr, major ? SFC_GET_FORMAT_MAJOR : SFC_GET_FORMAT_INFO, &info, sizeof info) != 0 ||
        info.name == nullptr)
    {
        return "unknown";
    }
    const std::string name = info.name;
    return name.substr(0, name.find(" ("));
}

std::string majorName(int major)
{
    // SFC_GET_FORMAT_MAJOR takes an index; look the code up among them.
    int count = 0;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
    for (int i = 0; i < count; ++i)
    {
        SF_FORMAT_INFO info{};
        info.format = i;
        if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof info) == 0 && info.format == major)
        {
            return libraryName(i, true);
        }
    }
    return "unknown";
}

// The format of a file libsndfile opened, named as the output table names kinds.
SFileFormat describe(int code)
{
    const int major = code & SF_FORMAT_TYPEMASK;
    const int subtype = code & SF_FORMAT_SUBMASK;
    SFileFormat format;
    format.code = code;
    format.sample = sampleFormatOf(subtype);
    format.encoding = isPlainLinear(subtype) ? sampleFormatName(format.sample) : libraryName(subtype, false);
    switch (major)
    {
    case SF_FORMAT_WAV:
    case SF_FORMAT_WAVEX:
        format.container = "WAV";
        break;
    case SF_FORMAT_OGG:
        format.container = subtype == SF_FORMAT_OPUS ? "Opus" : "Ogg " + format.encoding;
        format.encoding.clear();
        break;
    case SF_FORMAT_MPEG:
        format.container = subtype == SF_FORMAT_MPEG_LAYER_III ? "MP3" : format.encoding;
        format.encoding.clear();
        break;
    default:
        format.container = majorName(major);
        break;
    }
    return format;
}

// libsndfile's codes for a kind of output and a sample format.
int outputCode(const SContainer& container, ESampleFormat sample)
{
    static constexpr std::pair<const char*, int> kMajors[] = {
        {"WAV", SF_FORMAT_WAV},
        {"W64", SF_FORMAT_W64},
        {"RF64", SF_FORMAT_RF64},
        {"AIFF", SF_FORMAT_AIFF},
        {"CAF", SF_FORMAT_CAF},
        {"AU", SF_FORMAT_AU},
        {"FLAC", SF_FORMAT_FLAC},
        {"Ogg Vorbis", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
        {"Opus", SF_FORMAT_OGG | SF_FORMAT_OPUS},
        {"MP3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III},
    };
    const auto* major =
        std::find_if(std::begin(kMajors), std::end(kMajors),
                     [&](const auto& entry) { return std::strcmp(entry.first, container.name) == 0; });
    if (major == std::end(kMajors))
    {
        return 0;
    }
    // The WAV family stores 8-bit samples unsigned; the others signed.
    const bool riff =
        major->second == SF_FORMAT_WAV || major->second == SF_FORMAT_W64 || major->second == SF_FORMAT_RF64;
    switch (sample)
    {
    case ESampleFormat::Pcm8:
        return major->second | (riff ? SF_FORMAT_PCM_U8 : SF_FORMAT_PCM_S8);
    case ESampleFormat::Pcm16:
        return major->second | SF_FORMAT_PCM_16;
    case ESampleFormat::Pcm24:
        return major->second | SF_FORMAT_PCM_24;
    case ESampleFormat::Pcm32:
        return major->second | SF_FORMAT_PCM_32;
    case ESampleFormat::Float32:
        return major->second | SF_FORMAT_FLOAT;
    case ESampleFormat::Float64:
        return major->second | SF_FORMAT_DOUBLE;
    case ESampleFormat::Encoded:
        break;
    }
    return major->second;
}

// A file seen through header corrections: what libsndfile reads of a streamed
// file whose header says 0 frames once the header gives what the file holds.
class CCorrectedFile
{
public:
    CCorrectedFile(const std::filesystem::path& path, const SDataExtent& extent)
        : m_file(path, std::ios::binary), m_corrections(extent.corrections)
    {
        m_file.seekg(0, std::ios::end);
        m_size = static_cast<sf_count_t>(m_file.tellg());
    }

    static SF_VIRTUAL_IO callbacks()
    {
        SF_VIRTUAL_IO io{};
        io.get_filelen = [](void* self) { return static_cast<CCorrectedFile*>(self)->m_size; };
        io.seek = [](sf_count_t offset, int whence, void* self)
        { return static_cast<CCorrectedFile*>(self)->seek(offset, whence); };
        io.read = [](void* out, sf_count_t count, void* self)
        { return static_cast<CCorrectedFile*>(self)->read(static_cast<unsigned char*>(out), count); };
        io.write = [](const void*, sf_count_t, void*) -> sf_count_t { return 0; };
        io.tell = [](void* self) { return static_cast<CCorrectedFile*>(self)->m_position; };
        return io;
    }

private:
    sf_count_t seek(sf_count_t offset, int whence)
    {
        const sf_count_t base = whence == SEEK_CUR ? m_position : whence == SEEK_END ? m_size : 0;
        m_position = std::clamp<sf_count_t>(base + offset, 0, m_size);
        return m_position;
    }

    sf_count_t read(unsigned char* out, sf_count_t count)
    {
        m_file.clear();
        m_file.seekg(m_position);
        m_file.read(reinterpret_cast<char*>(out), count);
        const sf_count_t got = m_file.gcount();
        for (const auto& [offset, bytes] : m_corrections)
        {
            for (std::size_t i = 0; i < bytes.size(); ++i)
            {
                const auto at = static_cast<sf_count_t>(offset + i) - m_position;
                if (at >= 0 && at < got)
                {
                    out[at] = bytes[i];
                }
            }
        }
        m_position += got;
        return got;
    }

    std::ifstream m_file;
    std::vector<std::pair<std::uint64_t, std::vector<unsigned char>>> m_corrections;
    sf_count_t m_size = 0;
    sf_count_t m_position = 0;
};

// An open libsndfile handle, closed on every way out.
struct SHandle
{
    SNDFILE* file = nullptr;
    ~SHandle()
    {
        if (file != nullptr)
        {
            sf_close(file);
        }
    }
};

class CSndWriter final : public CInterleavingWriter
{
public:
    CSndWriter(const std::filesystem::path& path, const SFileFormat& format, int sampleRate, int channels,
               bool dither)
        : CInterleavingWriter(format.sample, channels, dither), m_path(path)
    {
        SF_INFO info{};
        info.samplerate = sampleRate;
        info.channels = channels;
        info.format = format.code;
        const std::lock_guard lock(g_openMutex);
        m_file.file = sf_open(path.c_str(), SFM_WRITE, &info);
        if (m_file.file == nullptr)
        {
            throw CSoundFileError(path, "cannot write " + format.description() + ": " +
                                            oneLine(sf_strerror(nullptr)));
        }
    }

    void close() override
    {
        if (m_file.file == nullptr)
        {
            return;
        }
        const int error = sf_close(m_file.file);
        m_file.file = nullptr;
        if (error != 0)
        {
            throw CSoundFileError(m_path, "write error: " + oneLine(sf_error_number(error)));
        }
    }

protected:
    void writeCodes(const std::int32_t* codes, std::size_t frames) override
    {
        // libsndfile takes integers at 32 bits and keeps their top bits.
        const int shift = 32 - integerBits(format());
        m_integers.resize(frames * static_cast<std::size_t>(channelCount()));
        std::transform(codes, codes + m_integers.size(), m_integers.begin(),
                       [shift](std::int32_t code)
                       { return static_cast<int>(static_cast<std::uint32_t>(code) << shift); });
        check(sf_writef_int(m_file.file, m_integers.data(), static_cast<sf_count_t>(frames)), frames);
    }

    void writeSamples(const float* samples, std::size_t frames) override
    {
        if (format() != ESampleFormat::Float64)
        {
            check(sf_writef_float(m_file.file, samples, static_cast<sf_count_t>(frames)), frames);
            return;
        }
        m_doubles.assign(samples, samples + frames * static_cast<std::size_t>(channelCount()));
        check(sf_writef_double(m_file.file, m_doubles.data(), static_cast<sf_count_t>(frames)), frames);
    }

private:
    void check(sf_count_t written, std::size_t frames)
    {
        if (written != static_cast<sf_count_t>(frames))
        {
            throw CSoundFileError(m_path, "write error: " + oneLine(sf_strerror(m_file.file)));
        }
    }

    std::filesystem::path m_path;
    SHandle m_file;
    std::vector<int> m_integers;
    std::vector<double> m_doubles;
};

} // namespace

std::string CSndFiles::name() const
{
    return sf_version_string();
}

bool CSndFiles::reads(const std::filesystem::path& name) const
{
    return findContainer(name) != nullptr;
}

SSoundFile CSndFiles::read(const std::filesystem::path& path) const
{
    // What the header says of the length, where we can tell: libsndfile
    // shortens a truncated file silently and reads nothing of a streamed one.
    std::optional<SDataExtent> extent;
    {
        std::ifstream header(path, std::ios::binary);
        if (header)
        {
            extent = findDataExtent(header);
        }
    }
    if (extent && !extent->problem.empty())
    {
        extent.reset();
    }

    SF_INFO info{};
    SHandle handle;
    std::unique_ptr<CCorrectedFile> corrected;
    {
        const std::lock_guard lock(g_openMutex);
        if (extent && !extent->corrections.empty())
        {
            corrected = std::make_unique<CCorrectedFile>(path, *extent);
            SF_VIRTUAL_IO io = CCorrectedFile::callbacks();
            handle.file = sf_open_virtual(&io, SFM_READ, &info, corrected.get());
        }
        else
        {
            handle.file = sf_open(path.c_str(), SFM_READ, &info);
        }
        if (handle.file == nullptr)
        {
            throw CSoundFileError(path, "cannot read: " + oneLine(sf_strerror(nullptr)));
        }
    }
    if (info.channels < 1 || info.channels > 2)
    {
        throw CSoundFileError(path, std::to_string(info.channels) + " channels (mono or stereo only)");
    }
    if (info.samplerate <= 0)
    {
        throw CSoundFileError(path, "sample rate " + std::to_string(info.samplerate));
    }

    SSoundFile file;
    file.format = describe(info.format);
    file.audio.sampleRate = info.samplerate;
    const auto channels = static_cast<std::size_t>(info.channels);
    file.audio.channels.resize(channels);
    if (info.frames > 0 && info.frames < (sf_count_t{1} << 31))
    {
        for (auto& channel : file.audio.channels)
        {
            channel.reserve(static_cast<std::size_t>(info.frames));
        }
    }

    // Integers come from libsndfile at 32 bits, their top bits the file's.
    const bool integer = integerBits(file.format.sample) != 0;
    const bool wide = file.format.sample == ESampleFormat::Float64;
    std::vector<int> integers(integer ? kBlockFrames * channels : 0);
    std::vector<double> doubles(wide ? kBlockFrames * channels : 0);
    std::vector<float> floats(kBlockFrames * channels);
    for (;;)
    {
        sf_count_t got;
        if (integer)
        {
            got = sf_readf_int(handle.file, integers.data(), kBlockFrames);
            std::transform(integers.begin(), integers.begin() + got * info.channels, floats.begin(),
                           [](int value)
                           { return static_cast<float>(std::ldexp(static_cast<double>(value), -31)); });
        }
        else if (wide)
        {
            got = sf_readf_double(handle.file, doubles.data(), kBlockFrames);
            std::transform(doubles.begin(), doubles.begin() + got * info.channels, floats.begin(),
                           [](double value) { return static_cast<float>(value); });
        }
        else
        {
            got = sf_readf_float(handle.file, floats.data(), kBlockFrames);
        }
        if (got <= 0)
        {
            break;
        }
        for (std::size_t c = 0; c < channels; ++c)
        {
            auto& channel = file.audio.channels[c];
            for (sf_count_t frame = 0; frame < got; ++frame)
            {
                channel.push_back(floats[static_cast<std::size_t>(frame) * channels + c]);
            }
        }
    }

    const std::int64_t held = file.audio.frameCount();
    std::int64_t promised = held;
    if (extent && extent->promisedFrames >= 0)
    {
        promised = extent->promisedFrames;
    }
    else if (info.frames >= 0 && info.frames != SF_COUNT_MAX)
    {
        promised = info.frames;
    }
    file.warning = lengthWarning(promised, held);
    return file;
}

SFileFormat CSndFiles::outputFormat(const std::filesystem::path& name, ESampleFormat preferred,
                                    int sampleRate) const
{
    const SContainer* container = findContainer(name);
    if (container == nullptr)
    {
        throw CSoundFileError(name,
                              "no kind of sound file has this extension (" + containerExtensions() + ")");
    }
    checkOutputRate(*container, name, sampleRate);
    const ESampleFormat sample = outputSampleFormat(*container, preferred);
    SFileFormat format{container->name, sample, container->codec != nullptr ? "" : sampleFormatName(sample),
                       outputCode(*container, sample)};
    SF_INFO check{};
    check.samplerate = sampleRate;
    check.channels = 2;
    check.format = format.code;
    if (sampleRate <= 0 || sf_format_check(&check) == 0)
    {
        throw CSoundFileError(name, "libsndfile cannot write " + format.description() + " at " +
                                        std::to_string(sampleRate) + " Hz");
    }
    return format;
}

std::unique_ptr<ISoundWriter> CSndFiles::create(const std::filesystem::path& path, const SFileFormat& format,
                                                int sampleRate, int channels, bool dither) const
{
    return std::make_unique<CSndWriter>(path, format, sampleRate, channels, dither);
}

} // namespace Vantor::Pressora
