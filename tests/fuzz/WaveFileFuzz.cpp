// Sound files through the built-in reader: the header scan of WAV, RF64, Wave64
// and AIFF, and the reading of the samples it finds.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/fuzz/FuzzSupport.hpp"
#include "tools/pressora/WaveFile.hpp"

using namespace Vantor::Pressora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = Vantor::Fuzzing::writeScratchFile(data, size, ".wav");
    try
    {
        // A read gives mono or stereo audio of one length at a rate, or a reason.
        const SSoundFile file = CWaveFiles().read(path);
        const SAudio& audio = file.audio;
        if (audio.channelCount() < 1 || audio.channelCount() > 2 || audio.sampleRate <= 0 ||
            audio.channels.front().size() != audio.channels.back().size() ||
            static_cast<std::size_t>(audio.frameCount()) > size)
        {
            std::abort();
        }
    }
    catch (const CSoundFileError& error)
    {
        if (std::string(error.what()).size() <= path.size() + 4)
        {
            std::abort();
        }
    }
    return 0;
}
