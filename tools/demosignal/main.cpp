// demosignal OUT.wav [SECONDS] [--float]: writes the demonstration programme as a
// stereo WAV file at 44100 Hz (6 seconds by default), in 16-bit PCM or, with
// --float, in 32-bit float (renders of it then keep every bit of the output).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <vector>

#include "tools/demosignal/DemoSignal.hpp"
#include "tools/pressora/WaveFile.hpp"

int main(int argc, char** argv)
{
    using Vantor::Pressora::ESampleFormat;
    std::vector<const char*> arguments;
    ESampleFormat format = ESampleFormat::Pcm16;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--float") == 0)
        {
            format = ESampleFormat::Float32;
        }
        else if (argv[i][0] == '-' && argv[i][1] != '\0')
        {
            // An unknown option is a mistake, never the name of the file to write.
            arguments.clear();
            break;
        }
        else
        {
            arguments.push_back(argv[i]);
        }
    }
    if (arguments.empty() || arguments.size() > 2)
    {
        std::fprintf(stderr, "usage: demosignal OUT.wav [SECONDS] [--float]\n");
        return 2;
    }
    try
    {
        const double seconds = arguments.size() == 2 ? std::atof(arguments[1]) : 6.0;
        const Vantor::Demo::CDemoSignal signal(seconds, 44100);
        const Vantor::Pressora::SAudio audio{signal.sampleRate(), {signal.left(), signal.right()}};
        const Vantor::Pressora::CWaveFiles files;
        writeSoundFile(files, arguments[0], audio, files.outputFormat("demo.wav", format, audio.sampleRate));
        std::printf("demosignal: %.1f s of drum hits over a sustained chord written to %s (%s)\n", seconds,
                    arguments[0], Vantor::Pressora::sampleFormatName(format));
        return 0;
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "demosignal: %s\n", error.what());
        return 1;
    }
}
