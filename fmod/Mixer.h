#pragma once

#include <string>

struct Mix_Chunk;

namespace FMOD {

// The process-wide audio output shared by every System: opened by the first
// user and closed by the last. Each start on a mixing channel gets a new
// generation number, so an old handle can tell that its play is over. A play
// that would start with a step fades in over its first milliseconds, and a
// stopped one fades out before it ends; the channels are mixed in float and a
// limiter keeps the sum under -1 dBFS. An output lost while open is noticed on
// the next start or check, said once, and the game goes on silent.
class Mixer {
public:
  static const int CHANNELS = 32;

  // Opens the output for the first user (falling back to the dummy driver).
  static void Acquire();
  static void Release();
  // True while the output is open and can play.
  static bool Active();
  // Notices an output that has stopped since it opened, and says why a
  // stream stopped decoding.
  static void Check();

  // Starts a chunk, or a stream of the file at `stream_path` (which then
  // loops), for `owner` on a free channel among the first max_channels;
  // returns the channel (and its generation) or -1.
  static int Start(Mix_Chunk* chunk, const std::string& stream_path, const void* owner, bool paused,
                   int max_channels, unsigned* generation);
  // True while the play of that generation still runs on that channel and
  // has not been stopped.
  static bool Live(int index, unsigned generation);
  // Fades the channel out; it ends and is free a mix later.
  static void Stop(int index);
  static void SetVolume(int index, float volume);
  // Ends at once every play started for `owner`.
  static void HaltOwner(const void* owner);
};

}  // namespace FMOD
