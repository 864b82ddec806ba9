#pragma once

#include <string>

#include "fmod/SoundFile.h"

namespace FMOD {

// One play of a streamed sound: its own decoder, read on SDL_mixer's thread as the channel
// plays, looping from its end into its start. The mixer owns it while it plays and deletes it
// when the play ends; nothing else touches it then.
class Stream {
public:
  // False, with *why, when the file cannot be decoded.
  bool Open(const std::string& name, std::string* why);

  // SDL_mixer's effect callbacks on the playing channel: Fill writes the next stretch of the
  // stream over the channel's silence; Done deletes the stream when the play ends.
  static void Fill(int channel, void* stream, int bytes, void* self);
  static void Done(int channel, void* self);

private:
  SoundFile file;
};

}  // namespace FMOD
