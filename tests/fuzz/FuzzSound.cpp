// The sound decoders over a file's bytes, as a .wav and as an .mp3: loaded whole, and read as a
// music stream is, past several loops. Every sample decoded is a number.
#include <cmath>
#include <cstdlib>
#include <vector>

#include "FuzzSupport.h"
#include "fmod/SoundFile.h"

namespace {
void Check(const std::vector<float>& samples, size_t count) {
  for (size_t i = 0; i < count; ++i)
    if (!std::isfinite(samples[i])) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (const char* name : {"Sounds/fuzz.wav", "Sounds/fuzz.mp3"}) {
    FuzzWriteFile(name, data, size);
    std::vector<float> whole;
    std::string why;
    if (FMOD::SoundFile::Load(name, &whole, &why)) Check(whole, whole.size());
    // Three passes of what loaded, or a second's frames of what did not.
    const size_t frames = std::min<size_t>(3 * whole.size() / 2 + 1, 1 << 18);
    FMOD::SoundFile stream;
    if (!stream.Open(name, &why)) continue;
    std::vector<float> part(2 * 4096);
    for (size_t read = 0; read < std::max<size_t>(frames, 44100);) {
      const size_t got = stream.Read(part.data(), part.size() / 2, true);
      if (got == 0 || got > part.size() / 2) break;
      Check(part, 2 * got);
      read += got;
    }
  }
  return 0;
}
