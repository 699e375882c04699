#include "tools/pressora/Batch.hpp"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <iomanip>
#include <map>
#include <mutex>
#include <optional>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace Vantor::Pressora
{

namespace fs = std::filesystem;

namespace
{

// A path as compared with others: absolute and resolved as far as it exists
// (and without case where the file system ignores it).
std::string comparable(const fs::path& path)
{
    std::error_code ignored;
    std::string text = fs::weakly_canonical(fs::absolute(path), ignored).lexically_normal().string();
#ifdef _WIN32
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
#endif
    return text;
}

std::string quoted(const fs::path& path)
{
    std::string text = "'"; // appended piece by piece: GCC 12 warns wrongly about "'" + text
    text += path.string();
    text += "'";
    return text;
}

bool isHidden(const fs::path& path)
{
    const std::string name = path.filename().string();
    return !name.empty() && name[0] == '.';
}

// The sound files below a folder, as paths relative to it, in name order.
std::vector<fs::path> soundFilesIn(const fs::path& folder, const std::string& outputFolder,
                                   const ISoundFiles& files)
{
    std::vector<fs::path> found;
    std::error_code error;
    fs::recursive_directory_iterator entry(folder, fs::directory_options::skip_permission_denied, error);
    if (error)
    {
        throw std::runtime_error(quoted(folder) + ": cannot list the folder: " + error.message());
    }
    for (; entry != fs::recursive_directory_iterator(); entry.increment(error))
    {
        if (error)
        {
            throw std::runtime_error(quoted(folder) + ": cannot list the folder: " + error.message());
        }
        const fs::path& path = entry->path();
        std::error_code ignored;
        if (entry->is_directory(ignored))
        {
            if (isHidden(path) || comparable(path) == outputFolder)
            {
                entry.disable_recursion_pending();
            }
            continue;
        }
        if (!isHidden(path) && entry->is_regular_file(ignored) && files.reads(path))
        {
            found.push_back(path.lexically_relative(folder));
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

// ---- running -------------------------------------------------------------------

// What a worker tells the main thread about one job.
struct SEvent
{
    std::size_t job = 0;
    bool ok = false;
    std::string error;
    std::string warning; // the input's length warning
    SRendered rendered;
    SFileFormat inputFormat;
    double seconds = 0.0; // of audio
};

// The shared state of one run.
struct SRun
{
    explicit SRun(std::size_t workers) : audioSeconds(workers), bytesDone(workers) {}

    std::mutex mutex;
    std::condition_variable wake;
    std::deque<SEvent> events;
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> running{0};
    // Per worker: audio seconds rendered and input bytes done, the file in hand included.
    std::vector<std::atomic<double>> audioSeconds;
    std::vector<std::atomic<double>> bytesDone;

    void post(SEvent event)
    {
        {
            const std::lock_guard lock(mutex);
            events.push_back(std::move(event));
        }
        wake.notify_one();
    }
};

void work(std::size_t worker, SRun& run, const std::vector<SBatchJob>& jobs, CFileRenderer& renderer,
          const ISoundFiles& files, const std::function<bool()>& stopRequested)
{
    double secondsBefore = 0.0;
    double bytesBefore = 0.0;
    for (std::size_t index = run.next++; index < jobs.size() && !stopRequested(); index = run.next++)
    {
        const SBatchJob& job = jobs[index];
        SEvent event;
        event.job = index;
        try
        {
            const SSoundFile input = files.read(job.input);
            event.warning = input.warning;
            event.inputFormat = input.format;
            const double rate = input.audio.sampleRate;
            const double frames = static_cast<double>(std::max<std::int64_t>(1, input.audio.frameCount()));
            event.seconds = static_cast<double>(input.audio.frameCount()) / rate;
            std::error_code ignored;
            fs::create_directories(job.output.parent_path(), ignored);
            SRenderHooks hooks;
            hooks.progress = [&](std::int64_t done)
            {
                run.audioSeconds[worker] = secondsBefore + static_cast<double>(done) / rate;
                run.bytesDone[worker] =
                    bytesBefore + static_cast<double>(job.bytes) * static_cast<double>(done) / frames;
            };
            hooks.stopRequested = stopRequested;
            event.rendered = renderer.render(input, job.output, hooks);
            event.ok = true;
        }
        catch (const CRenderStopped&)
        {
            break;
        }
        catch (const std::exception& error)
        {
            event.error = error.what();
        }
        catch (...)
        {
            event.error = "unexpected failure";
        }
        secondsBefore += event.ok ? event.seconds : 0.0;
        bytesBefore += static_cast<double>(job.bytes);
        run.audioSeconds[worker] = secondsBefore;
        run.bytesDone[worker] = bytesBefore;
        run.post(std::move(event));
    }
    {
        const std::lock_guard lock(run.mutex);
        --run.running;
    }
    run.wake.notify_one();
}

std::string clock(double seconds)
{
    const auto whole = static_cast<long>(std::lround(seconds));
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

// The progress bar and the lines above it.
class CProgressDisplay
{
public:
    CProgressDisplay(const SBatchDisplay& display, std::ostream& out, std::ostream& err, std::size_t total)
        : m_display(display), m_out(out), m_err(err), m_total(total),
          m_start(std::chrono::steady_clock::now())
    {
    }

    // A line about a file: stdout for what went well, stderr for the rest.
    void line(bool problem, const std::string& text)
    {
        clearBar();
        if (problem)
        {
            m_err << text << "\n" << std::flush;
        }
        else if (m_display.fileLines)
        {
            m_out << text << "\n" << std::flush;
        }
    }

    void bar(std::size_t done, double audioSeconds, double fraction)
    {
        if (!m_display.progressBar)
        {
            return;
        }
        constexpr int kWidth = 30;
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
        const int filled = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * kWidth);
        std::ostringstream text;
        text << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
             << std::string(static_cast<std::size_t>(kWidth - filled), '-') << "] " << done << "/" << m_total
             << " files";
        if (elapsed > 0.5)
        {
            char rate[32];
            std::snprintf(rate, sizeof rate, "%.1f", audioSeconds / elapsed);
            text << ", " << rate << " s of audio/s";
        }
        if (fraction > 0.01 && elapsed > 0.5)
        {
            text << ", " << clock(elapsed * (1.0 - fraction) / fraction) << " left";
        }
        std::string shown = text.str();
        const std::size_t length = shown.size();
        if (length < m_barLength)
        {
            shown += std::string(m_barLength - length, ' ');
        }
        m_barLength = length;
        m_err << shown << std::flush;
    }

    void finish()
    {
        if (m_barLength != 0)
        {
            m_err << "\n" << std::flush;
            m_barLength = 0;
        }
    }

private:
    void clearBar()
    {
        if (m_barLength != 0)
        {
            m_err << "\r" << std::string(m_barLength, ' ') << "\r";
            m_barLength = 0;
        }
    }

    SBatchDisplay m_display;
    std::ostream& m_out;
    std::ostream& m_err;
    std::size_t m_total;
    std::chrono::steady_clock::time_point m_start;
    std::size_t m_barLength = 0;
};

void report(const SEvent& event, const SBatchJob& job, std::size_t position, std::size_t total,
            CProgressDisplay& display)
{
    std::ostringstream line;
    if (!event.warning.empty())
    {
        line << "pressora: warning: " << quoted(job.input) << ": " << event.warning;
        display.line(true, line.str());
        line.str("");
    }
    if (!event.ok)
    {
        // Sound file errors name their file already; others get the input's name.
        line << "pressora: " << (event.error.rfind('\'', 0) == 0 ? "" : quoted(job.input) + ": ")
             << event.error;
        display.line(true, line.str());
        line.str("");
        line << "[" << position << "/" << total << "] " << job.input.string() << ": failed";
        display.line(false, line.str());
        return;
    }
    if (event.rendered.clippedSamples > 0)
    {
        line << "pressora: warning: " << quoted(job.output) << ": " << event.rendered.clippedSamples
             << " samples clipped";
        display.line(true, line.str());
        line.str("");
    }
    line << "[" << position << "/" << total << "] " << job.input.string() << " -> " << job.output.string()
         << " (" << std::fixed << std::setprecision(2) << event.seconds << " s, "
         << event.inputFormat.description() << " to " << event.rendered.outputFormat.description() << ")";
    display.line(false, line.str());
}

} // namespace

std::vector<SBatchJob> planBatch(const std::vector<std::string>& inputs, const fs::path& outputFolder,
                                 const ISoundFiles& files)
{
    const std::string outputKey = comparable(outputFolder);
    std::vector<SBatchJob> jobs;
    for (const std::string& text : inputs)
    {
        const fs::path input(text);
        std::error_code error;
        const fs::file_status status = fs::status(input, error);
        if (!fs::exists(status))
        {
            throw std::runtime_error(quoted(input) + ": no such file or folder");
        }
        if (fs::is_directory(status))
        {
            for (const fs::path& relative : soundFilesIn(input, outputKey, files))
            {
                jobs.push_back({input / relative, outputFolder / relative, 0});
            }
        }
        else
        {
            jobs.push_back({input, outputFolder / input.filename(), 0});
        }
    }
    if (jobs.empty())
    {
        throw std::runtime_error("no sound files to render in the inputs given");
    }

    // Every output must be new to the run and none may be an input.
    std::map<std::string, const SBatchJob*> inputsByKey;
    for (const SBatchJob& job : jobs)
    {
        inputsByKey.emplace(comparable(job.input), &job);
    }
    std::map<std::string, const SBatchJob*> outputsByKey;
    for (SBatchJob& job : jobs)
    {
        const std::string key = comparable(job.output);
        if (const auto input = inputsByKey.find(key); input != inputsByKey.end())
        {
            throw std::runtime_error("the output " + quoted(job.output) + " of " + quoted(job.input) +
                                     " would overwrite the input " + quoted(input->second->input) +
                                     " (choose another --out-dir)");
        }
        const auto [clash, isNew] = outputsByKey.emplace(key, &job);
        if (!isNew)
        {
            throw std::runtime_error(quoted(clash->second->input) + " and " + quoted(job.input) +
                                     " would both be rendered to " + quoted(job.output) +
                                     " (render them into different folders)");
        }
        std::error_code ignored;
        const std::uintmax_t size = fs::file_size(job.input, ignored);
        job.bytes = size == static_cast<std::uintmax_t>(-1) ? 0 : size;
    }
    return jobs;
}

SBatchOutcome runBatch(const std::vector<SBatchJob>& jobs,
                       std::vector<std::unique_ptr<CFileRenderer>>& renderers, const ISoundFiles& files,
                       const SBatchDisplay& display, std::ostream& out, std::ostream& err,
                       const std::function<bool()>& stopRequested)
{
    SRun run(renderers.size());
    double totalBytes = 0.0;
    for (const SBatchJob& job : jobs)
    {
        totalBytes += static_cast<double>(job.bytes);
    }
    CProgressDisplay progress(display, out, err, jobs.size());
    std::vector<std::thread> workers;
    run.running = renderers.size();
    for (std::size_t i = 0; i < renderers.size(); ++i)
    {
        workers.emplace_back(work, i, std::ref(run), std::cref(jobs), std::ref(*renderers[i]),
                             std::cref(files), std::cref(stopRequested));
    }

    SBatchOutcome outcome;
    std::size_t reported = 0;
    bool stopSeen = false;
    for (;;)
    {
        std::deque<SEvent> events;
        bool finished;
        {
            std::unique_lock lock(run.mutex);
            run.wake.wait_for(lock, std::chrono::milliseconds(250),
                              [&] { return !run.events.empty() || run.running == 0; });
            events.swap(run.events);
            finished = run.running == 0;
        }
        for (const SEvent& event : events)
        {
            ++reported;
            (event.ok ? outcome.rendered : outcome.failed) += 1;
            report(event, jobs[event.job], reported, jobs.size(), progress);
        }
        if (!stopSeen && stopRequested())
        {
            stopSeen = true;
            progress.line(true, "pressora: stopping: the files being rendered are abandoned");
        }
        if (finished)
        {
            break;
        }
        double seconds = 0.0;
        double bytes = 0.0;
        for (std::size_t i = 0; i < renderers.size(); ++i)
        {
            seconds += run.audioSeconds[i];
            bytes += run.bytesDone[i];
        }
        progress.bar(reported, seconds,
                     totalBytes > 0.0 ? bytes / totalBytes
                                      : static_cast<double>(reported) / static_cast<double>(jobs.size()));
    }
    for (std::thread& worker : workers)
    {
        worker.join();
    }
    progress.finish();
    outcome.stopped = stopRequested() && reported < jobs.size();
    return outcome;
}

} // namespace Vantor::Pressora
