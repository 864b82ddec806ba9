#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace FMOD {

// One play of a streamed sound. A thread of its own opens the file and decodes it ahead, looping,
// into a ring of the mix's frames; SDL_mixer's thread only copies what is ready, and plays
// silence while nothing is. Neither the game's thread nor the mixer's ever waits on the file: a
// stop only tells the reader, which goes, closing the file, once its read returns. The reader,
// the mixing channel and the game's thread share the stream; the last of them to let go frees it.
class Stream {
public:
  // About 1.5 s of decoded frames (512 KiB), enough to ride out a slow disk.
  static const size_t RING_FRAMES = 1 << 16;

  // Starts reading `name` on a new thread; null when no thread can be had.
  static std::shared_ptr<Stream> Play(const std::string& name);
  ~Stream();
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;

  // Tells the reader to go.
  void Stop();
  // True once the play is over.
  bool Stopped() const { return stopped.load(); }
  // On the game's thread: says once why the file cannot be decoded any further.
  void Report();

  // SDL_mixer's effect callbacks on the playing channel, whose share of the stream (a
  // std::shared_ptr<Stream>*) is `share`: Fill writes the next stretch of the stream over the
  // channel's silence; Done stops the stream and drops the share when the play ends.
  static void Fill(int channel, void* out, int bytes, void* share);
  static void Done(int channel, void* share);

private:
  explicit Stream(const std::string& name);
  static void Run(std::shared_ptr<Stream> self);
  size_t Space() const;

  const std::string name;
  std::vector<float> ring;
  // Frames written by the reader and taken by the mixer since the start.
  std::atomic<uint64_t> written, taken;
  std::atomic<bool> stopped;
  // Set by the reader once it has decoded all it ever will, after `why`.
  std::atomic<bool> ended;
  std::string why;
  bool reported;
  std::mutex lock;
  std::condition_variable wake;
};

}  // namespace FMOD
