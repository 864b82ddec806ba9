#pragma once

#include <memory>

struct Mix_Chunk;

namespace FMOD {

class Stream;

// The process-wide audio output shared by every System: opened by the first
// user and closed by the last. Each start on a mixing channel gets a new
// generation number, so an old handle can tell that its play is over. Every
// play fades in over its first milliseconds, the channels are mixed in float
// and a limiter keeps the sum under -1 dBFS. An output lost while open is
// noticed on the next start or check, said once, and the game goes on silent.
class Mixer {
public:
  static const int CHANNELS = 32;

  // Opens the output for the first user (falling back to the dummy driver);
  // false when nothing can play.
  static bool Acquire();
  static void Release();
  // True while the output is open and can play.
  static bool Active();
  // Notices an output that has stopped since it opened.
  static void Check();

  // Starts a chunk, or a stream (which then loops and belongs to the mixer),
  // for `owner` on a free channel among the first max_channels; returns the
  // channel (and its generation) or -1.
  static int Start(Mix_Chunk* chunk, const void* owner, bool loop, bool paused, int max_channels,
                   unsigned* generation, std::unique_ptr<Stream> stream = nullptr);
  // True while the play of that generation still runs on that channel.
  static bool Live(int index, unsigned generation);
  static void Halt(int index);
  static void SetVolume(int index, float volume);
  // Stops every play started for `owner`.
  static void HaltOwner(const void* owner);
};

}  // namespace FMOD
