// demosignal OUT.wav [SECONDS]: writes the demonstration programme as a 16-bit
// stereo WAV file at 44100 Hz (6 seconds by default).
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "tools/demosignal/DemoSignal.hpp"
#include "tools/pressora/WaveFile.hpp"

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3)
    {
        std::fprintf(stderr, "usage: demosignal OUT.wav [SECONDS]\n");
        return 2;
    }
    try
    {
        const double seconds = argc == 3 ? std::atof(argv[2]) : 6.0;
        const Vantor::Demo::CDemoSignal signal(seconds, 44100);
        const Vantor::Pressora::CWaveFile file(signal.sampleRate(),
                                               Vantor::Pressora::CWaveFile::ESampleFormat::Pcm16,
                                               {signal.left(), signal.right()});
        file.save(argv[1]);
        std::printf("demosignal: %.1f s of drum hits over a sustained chord written to %s\n", seconds,
                    argv[1]);
        return 0;
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "demosignal: %s\n", error.what());
        return 1;
    }
}
