#include "fmod/Stream.h"

#include <algorithm>

namespace FMOD {

bool Stream::Open(const std::string& name, std::string* why) {
  return file.Open(name.c_str(), why);
}

void Stream::Fill(int, void* stream, int bytes, void* self) {
  float* out = static_cast<float*>(stream);
  const size_t frames = bytes > 0 ? (size_t)bytes / (2 * sizeof(float)) : 0;
  const size_t got = static_cast<Stream*>(self)->file.Read(out, frames, true);
  // A file that stopped decoding goes on in silence until the play is stopped.
  std::fill(out + 2 * got, out + 2 * frames, 0.0f);
}

void Stream::Done(int, void* self) { delete static_cast<Stream*>(self); }

}  // namespace FMOD
