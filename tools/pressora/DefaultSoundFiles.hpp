#pragma once

#include "tools/pressora/SoundFile.hpp"

namespace Vantor::Pressora
{

// The sound files of this build: libsndfile where it exists (Linux), else the
// built-in WAV reader and writer (Windows).
const ISoundFiles& defaultSoundFiles();

} // namespace Vantor::Pressora
