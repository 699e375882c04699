#include "tools/pressora/Render.hpp"

#include "tools/vsthost/VstPlugin.hpp"

#include <algorithm>
#include <atomic>
#include <random>
#include <system_error>

namespace Vantor::Pressora
{

namespace
{

constexpr const char* kTemporaryMark = ".pressora-";
constexpr const char* kTemporaryEnd = ".part";
// Frames processed and written at a time: enough to keep the writer busy, few
// enough that a request to stop is seen at once.
constexpr int kPartFrames = 16384;

// Removes a file when it goes, unless kept.
class CRemoveUnlessKept
{
public:
    explicit CRemoveUnlessKept(std::filesystem::path path) : m_path(std::move(path)) {}
    ~CRemoveUnlessKept()
    {
        if (!m_kept)
        {
            std::error_code ignored;
            std::filesystem::remove(m_path, ignored);
        }
    }
    CRemoveUnlessKept(const CRemoveUnlessKept&) = delete;
    CRemoveUnlessKept& operator=(const CRemoveUnlessKept&) = delete;
    void keep() { m_kept = true; }

private:
    std::filesystem::path m_path;
    bool m_kept = false;
};

} // namespace

std::filesystem::path temporaryName(const std::filesystem::path& output)
{
    static std::atomic<std::uint32_t> serial{0};
    static const std::uint32_t processTag = std::random_device{}();
    const std::string tag = std::to_string(processTag) + "-" + std::to_string(serial.fetch_add(1));
    std::string name = "."; // appended piece by piece: GCC 12 warns wrongly about "." + text
    name += output.filename().string();
    name += kTemporaryMark;
    name += tag;
    name += kTemporaryEnd;
    return output.parent_path() / name;
}

bool isTemporaryName(const std::filesystem::path& name)
{
    const std::string text = name.filename().string();
    return text.size() > 1 && text[0] == '.' && text.find(kTemporaryMark) != std::string::npos &&
           text.ends_with(kTemporaryEnd);
}

CFileRenderer::CFileRenderer(const ISoundFiles& files, std::unique_ptr<VstHost::CVstPlugin> plugin,
                             int blockSize, bool dither)
    : m_files(files), m_plugin(std::move(plugin)), m_blockSize(blockSize), m_dither(dither), m_output(2)
{
}

CFileRenderer::~CFileRenderer() = default;

SFileFormat CFileRenderer::outputFormat(const SSoundFile& input, const std::filesystem::path& output) const
{
    return m_files.outputFormat(output, input.format.sample, input.audio.sampleRate);
}

SRendered CFileRenderer::render(const SSoundFile& input, const std::filesystem::path& output,
                                const SRenderHooks& hooks)
{
    const SAudio& audio = input.audio;
    SRendered rendered;
    rendered.outputFormat = outputFormat(input, output);
    rendered.frames = audio.frameCount();

    // Every file starts as if the plug-in had just been loaded with its settings.
    VstHost::CVstPlugin& plugin = *m_plugin;
    plugin.suspend();
    plugin.setSampleRate(static_cast<float>(audio.sampleRate));
    plugin.setBlockSize(m_blockSize);
    plugin.rewind();
    plugin.resume();

    const std::filesystem::path temporary = temporaryName(output);
    CRemoveUnlessKept removal(temporary);
    try
    {
        write(input, temporary, rendered, hooks);
    }
    catch (const CSoundFileError& error)
    {
        // Named by the output the user gave, not by its temporary name.
        throw CSoundFileError(output, error.reason());
    }
    std::error_code error;
    std::filesystem::rename(temporary, output, error);
    if (error)
    {
        throw CSoundFileError(output, "cannot put the finished file in place: " + error.message());
    }
    removal.keep();
    return rendered;
}

void CFileRenderer::write(const SSoundFile& input, const std::filesystem::path& temporary,
                          SRendered& rendered, const SRenderHooks& hooks)
{
    auto writer = m_files.create(temporary, rendered.outputFormat, input.audio.sampleRate, 2, m_dither);

    // Parts are whole numbers of blocks, so that the plug-in is called exactly
    // as by one processStereo() over the whole file.
    const auto partFrames = static_cast<std::size_t>(m_blockSize) *
                            static_cast<std::size_t>(std::max(1, kPartFrames / m_blockSize));
    for (auto& channel : m_output)
    {
        channel.resize(partFrames);
    }
    if (hooks.keptOutput != nullptr)
    {
        hooks.keptOutput->assign(2, {});
    }
    const auto frames = static_cast<std::size_t>(rendered.frames);
    const std::vector<float>& left = input.audio.channels.at(0);
    const std::vector<float>& right = input.audio.channels.at(input.audio.channelCount() > 1 ? 1 : 0);
    for (std::size_t start = 0; start < frames; start += partFrames)
    {
        const std::size_t count = std::min(partFrames, frames - start);
        m_plugin->processStereo(left.data() + start, right.data() + start, m_output[0].data(),
                                m_output[1].data(), count);
        const float* const channels[] = {m_output[0].data(), m_output[1].data()};
        writer->write(channels, count);
        if (hooks.keptOutput != nullptr)
        {
            for (std::size_t c = 0; c < 2; ++c)
            {
                (*hooks.keptOutput)[c].insert((*hooks.keptOutput)[c].end(), m_output[c].begin(),
                                              m_output[c].begin() + static_cast<std::ptrdiff_t>(count));
            }
        }
        if (hooks.progress)
        {
            hooks.progress(static_cast<std::int64_t>(start + count));
        }
        if (hooks.stopRequested && hooks.stopRequested())
        {
            throw CRenderStopped();
        }
    }
    writer->close();
    rendered.clippedSamples = writer->clippedSamples();
    writer.reset();
}

} // namespace Vantor::Pressora
