#pragma once

#include <string>

struct Mix_Chunk;

namespace FMOD {

// Decodes a whole sound file into the open output's format, as the format that its name
// says and nothing else: a ".wav" as WAV, an ".mp3" as MP3. The file's header is checked
// first (sample rate, channels, sample size, and a decoded size of at most 64 MiB), since
// SDL_mixer's converter overflows its buffer on some of what it would accept. The decoders'
// own messages stay off standard error. Null when the file cannot be used; then *why says
// why: the system's reason, the check that failed or the decoder's reason.
Mix_Chunk* DecodeSoundFile(const char* name, std::string* why);

}  // namespace FMOD
