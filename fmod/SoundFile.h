#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fmod/BlockReader.h"
#include "fmod/Resampler.h"

struct sf_private_tag;
struct mpg123_handle_struct;

namespace FMOD {

// One sound file, decoded as it is read into the mix's format (44.1 kHz stereo float) and only
// as the format that its name says: a ".wav" through libsndfile, an ".mp3" through libmpg123,
// both reading the file in large blocks. Neither decoder writes anything; what they refuse comes
// back as their reason. A sample that is not a finite number decodes as silence.
class SoundFile {
public:
  // The most that a sound loaded whole may decode to: 64 MiB of the mix's frames (about 190 s).
  static const uint64_t MAX_FRAMES = (64u << 20) / (2 * sizeof(float));
  // A looping read whose first pass decodes to at most this many frames (1 MiB, about 3 s) plays
  // every later pass from memory, without the file.
  static const size_t KEPT_FRAMES = (1u << 20) / (2 * sizeof(float));

  SoundFile();
  ~SoundFile();
  SoundFile(const SoundFile&) = delete;
  SoundFile& operator=(const SoundFile&) = delete;

  // False, with *why, when the file cannot be opened or its decoder refuses it.
  bool Open(const char* name, std::string* why);
  // The whole file's length in the mix's frames, as the decoder counts it: every MP3 frame is
  // looked at (none decoded), a WAV file's data as much of it as the file holds.
  uint64_t Frames();
  // Decodes up to `frames` frames into `out` (left, right); fewer only at the end. Looping, the
  // end runs on into the start and only a file that yields nothing ends.
  size_t Read(float* out, size_t frames, bool loop);
  // Why the decoding stopped on an error (empty at a plain end).
  const std::string& Error() const { return error; }

  // Decodes a whole file into *samples; refuses one of no frames or of more than MAX_FRAMES.
  static bool Load(const char* name, std::vector<float>* samples, std::string* why);

private:
  void Close();
  // Decodes the next block of the file into `block`; false at its end or on an error.
  bool Decode();
  bool Rewind();
  // The reason to give for a decoder's complaint: the reader's, or the file's cut, if either.
  std::string Why(const std::string& decoder);
  // Ends the first pass kept in memory with what the resampler still holds; false if it is empty.
  bool KeepTail();
  void DropKept();
  size_t ReadKept(float* out, size_t frames);

  sf_private_tag* wav;
  int fd;
  std::unique_ptr<BlockReader> reader;
  int64_t opened_size;
  mpg123_handle_struct* mp3;
  long rate;
  int channels;
  // A format that the MP3 decoder announced with the last block of the old one: it applies from
  // the next block on.
  long next_rate;
  int next_channels;
  bool format_pending;
  std::vector<float> block;
  size_t block_frames, block_used;
  bool ended;
  bool yielded;  // decoded anything since the last rewind
  std::string error;
  Resampler resampler;
  // The first pass in the mix's format, while it may still fit; once it has ended, where a
  // looping read is in it.
  std::vector<float> kept;
  bool keeping, from_kept;
  size_t kept_at;
};

}  // namespace FMOD
