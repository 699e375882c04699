#include "tools/pressora/DefaultSoundFiles.hpp"

#ifdef PRESSORA_SNDFILE
#include "tools/pressora/SndFiles.hpp"
#else
#include "tools/pressora/WaveFile.hpp"
#endif

namespace Vantor::Pressora
{

const ISoundFiles& defaultSoundFiles()
{
#ifdef PRESSORA_SNDFILE
    static const CSndFiles files;
#else
    static const CWaveFiles files;
#endif
    return files;
}

} // namespace Vantor::Pressora
