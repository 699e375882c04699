#pragma once
// Rendering many files at once: the list of jobs made from the inputs (files,
// and folders taken file by file with their sub-folders mirrored), and the
// workers that render them, one plug-in instance each.

#include "tools/pressora/Render.hpp"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace Vantor::Pressora
{

// One file to render and where its output goes.
struct SBatchJob
{
    std::filesystem::path input;
    std::filesystem::path output;
    std::uintmax_t bytes = 0; // the input's size, the measure of the work it is
};

// The jobs for the inputs: a file goes to the output folder under its own name;
// a folder's sound files (hidden ones and the output folder left out) go to the
// output folder under their paths inside it, in name order. Throws
// std::runtime_error, before anything is written, when an input does not exist,
// two inputs would land on the same output, an output would be an input, or
// there is nothing to render.
std::vector<SBatchJob> planBatch(const std::vector<std::string>& inputs,
                                 const std::filesystem::path& outputFolder, const ISoundFiles& files);

// How a batch ended.
struct SBatchOutcome
{
    int rendered = 0;
    int failed = 0;
    bool stopped = false;
};

// How a batch shows itself: a progress bar (files done of total, audio seconds
// per second, time left) redrawn on a terminal, and/or one line per file.
struct SBatchDisplay
{
    bool progressBar = false;
    bool fileLines = true;
};

// Renders the jobs on one thread per renderer. A file that fails is reported
// and the others go on. When stopRequested answers true, the files being
// rendered are abandoned (their temporary outputs removed) and no new one starts.
SBatchOutcome runBatch(const std::vector<SBatchJob>& jobs,
                       std::vector<std::unique_ptr<CFileRenderer>>& renderers, const ISoundFiles& files,
                       const SBatchDisplay& display, std::ostream& out, std::ostream& err,
                       const std::function<bool()>& stopRequested);

} // namespace Vantor::Pressora
