#pragma once
// Rendering one sound file through a plug-in into another, safely: the output
// is written under a temporary name beside its final one and renamed only when
// complete, so an interruption never leaves a half-written file under an
// output's name.

#include "tools/pressora/SoundFile.hpp"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace Vantor::VstHost
{
class CVstPlugin;
}

namespace Vantor::Pressora
{

// A render ended by a request to stop; its output was removed.
class CRenderStopped : public std::runtime_error
{
public:
    CRenderStopped() : std::runtime_error("stopped") {}
};

// What a render did.
struct SRendered
{
    SFileFormat outputFormat;
    std::int64_t frames = 0;
    std::int64_t clippedSamples = 0;
};

// What a render is told and asked while it runs; every member may be empty.
struct SRenderHooks
{
    // After each part: the frames done so far.
    std::function<void(std::int64_t)> progress;
    // Asked after each part: true ends the render (CRenderStopped).
    std::function<bool()> stopRequested;
    // When given, receives the output as the plug-in made it (float, stereo).
    std::vector<std::vector<float>>* keptOutput = nullptr;
};

// The temporary name an output is written under: hidden, beside it, unique.
std::filesystem::path temporaryName(const std::filesystem::path& output);
// Whether a name is one temporaryName() makes (folder scans leave them out).
bool isTemporaryName(const std::filesystem::path& name);

// One plug-in instance rendering files one after another, each from a fresh
// start (suspended, given the file's rate, rewound and resumed) with the
// settings it was given when loaded. Used from one thread.
class CFileRenderer
{
public:
    CFileRenderer(const ISoundFiles& files, std::unique_ptr<VstHost::CVstPlugin> plugin, int blockSize,
                  bool dither);
    ~CFileRenderer();
    CFileRenderer(const CFileRenderer&) = delete;
    CFileRenderer& operator=(const CFileRenderer&) = delete;

    VstHost::CVstPlugin& plugin() { return *m_plugin; }

    // The format output gets for this input; throws CSoundFileError when it cannot be written.
    SFileFormat outputFormat(const SSoundFile& input, const std::filesystem::path& output) const;
    // Renders the input into output, stereo, in the format outputFormat() gives.
    // Mono input feeds both of the plug-in's inputs. Throws on any failure,
    // leaving no file behind; the output is replaced only when complete.
    SRendered render(const SSoundFile& input, const std::filesystem::path& output,
                     const SRenderHooks& hooks = {});

private:
    // Processes the input and writes the output under the temporary name.
    void write(const SSoundFile& input, const std::filesystem::path& temporary, SRendered& rendered,
               const SRenderHooks& hooks);

    const ISoundFiles& m_files;
    std::unique_ptr<VstHost::CVstPlugin> m_plugin;
    int m_blockSize;
    bool m_dither;
    std::vector<std::vector<float>> m_output;
};

} // namespace Vantor::Pressora
