#include "fmod/SoundFile.h"

#include <mpg123.h>
#include <sndfile.h>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "io/DataFile.h"

namespace FMOD {

namespace {
// Input frames decoded at a time (fewer for files of many channels).
const size_t BLOCK_SAMPLES = 16384;

enum FileType { TYPE_OTHER, TYPE_WAV, TYPE_MP3 };

FileType TypeOf(const char* name) {
  const char* dot = std::strrchr(name, '.');
  if (dot && strcasecmp(dot, ".wav") == 0) return TYPE_WAV;
  if (dot && strcasecmp(dot, ".mp3") == 0) return TYPE_MP3;
  return TYPE_OTHER;
}

// A decoder's message without its closing full stop.
std::string Reason(const char* said) {
  std::string text = said ? said : "";
  while (!text.empty() && (text.back() == '.' || text.back() == '\n' || text.back() == ' '))
    text.pop_back();
  return text;
}

std::string TooLong() {
  return "longer than " + std::to_string(SoundFile::MAX_FRAMES / Resampler::RATE) +
         " s: more than " + std::to_string(SoundFile::MAX_FRAMES * 2 * sizeof(float) >> 20) +
         " MiB decoded";
}

uint64_t MixFrames(uint64_t frames, long rate) {
  if (rate <= 0) return 0;
  // Frames past what any file holds count as too many, without overflowing.
  if (frames > UINT64_MAX / Resampler::RATE) return UINT64_MAX;
  return (frames * Resampler::RATE + rate - 1) / rate;
}
}  // namespace

SoundFile::SoundFile()
    : wav(nullptr),
      file(nullptr),
      mp3(nullptr),
      rate(Resampler::RATE),
      channels(2),
      block_frames(0),
      block_used(0),
      ended(true),
      yielded(false) {}

SoundFile::~SoundFile() { Close(); }

void SoundFile::Close() {
  if (wav) sf_close(wav);
  wav = nullptr;
  if (mp3) mpg123_delete(mp3);
  mp3 = nullptr;
  if (file) std::fclose(file);
  file = nullptr;
  ended = true;
}

bool SoundFile::Open(const char* name, std::string* why) {
  Close();
  error.clear();
  const FileType type = TypeOf(name);
  if (type == TYPE_OTHER) {
    *why = "neither a .wav nor an .mp3 file";
    return false;
  }
  file = OpenDataFile(name, why);  // a named pipe would block a plain open
  if (!file) return false;
  const int fd = fileno(file);
  if (type == TYPE_WAV) {
    // libsndfile reads many formats, some through decoders that print: only RIFF WAVE goes on.
    char magic[12];
    if (pread(fd, magic, sizeof magic, 0) != (ssize_t)sizeof magic ||
        (std::memcmp(magic, "RIFF", 4) != 0 && std::memcmp(magic, "RF64", 4) != 0) ||
        std::memcmp(magic + 8, "WAVE", 4) != 0) {
      *why = "not a WAV file";
      Close();
      return false;
    }
    SF_INFO info = {};
    wav = sf_open_fd(fd, SFM_READ, &info, SF_FALSE);
    if (!wav) {
      *why = Reason(sf_strerror(nullptr));
      Close();
      return false;
    }
    const int codec = info.format & SF_FORMAT_SUBMASK;
    if (codec == SF_FORMAT_MPEG_LAYER_I || codec == SF_FORMAT_MPEG_LAYER_II ||
        codec == SF_FORMAT_MPEG_LAYER_III) {
      *why = "MPEG audio inside a WAV file";
      Close();
      return false;
    }
    rate = info.samplerate;
    channels = info.channels;
  } else {
#if MPG123_API_VERSION < 46
    static const int ready = mpg123_init();
    (void)ready;
#endif
    int result = MPG123_OK;
    mp3 = mpg123_new(nullptr, &result);
    if (!mp3) {
      *why = Reason(mpg123_plain_strerror(result));
      Close();
      return false;
    }
    mpg123_param(mp3, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    // Float samples at whatever rate the frames have; the resampler does the rest.
    mpg123_format_none(mp3);
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i)
      mpg123_format(mp3, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
    int encoding = 0;
    if (mpg123_open_fd(mp3, fd) != MPG123_OK ||
        mpg123_getformat(mp3, &rate, &channels, &encoding) != MPG123_OK) {
      const int code = mpg123_errcode(mp3);
      // The reader's error is what the search for a first frame ends in.
      *why = code == MPG123_ERR_READER ? "no MP3 frame" : Reason(mpg123_plain_strerror(code));
      Close();
      return false;
    }
  }
  if (rate <= 0 || channels <= 0) {
    *why = "no sample rate or no channels";
    Close();
    return false;
  }
  block.assign(std::max<size_t>(1, BLOCK_SAMPLES / channels) * channels, 0.0f);
  block_frames = block_used = 0;
  ended = false;
  yielded = false;
  resampler.Reset(rate, channels);
  return true;
}

uint64_t SoundFile::Frames() {
  if (wav) {
    SF_INFO info = {};
    sf_command(wav, SFC_GET_CURRENT_SF_INFO, &info, sizeof info);
    return MixFrames(info.frames > 0 ? (uint64_t)info.frames : 0, rate);
  }
  if (!mp3 || mpg123_scan(mp3) != MPG123_OK) return 0;
  const off_t samples = mpg123_length(mp3);
  return MixFrames(samples > 0 ? (uint64_t)samples : 0, rate);
}

bool SoundFile::Decode() {
  block_frames = block_used = 0;
  if (wav) {
    const sf_count_t got = sf_readf_float(wav, block.data(), block.size() / channels);
    if (got <= 0) {
      if (sf_error(wav) != SF_ERR_NO_ERROR) error = Reason(sf_strerror(wav));
      return false;
    }
    block_frames = (size_t)got;
  } else if (mp3) {
    for (;;) {
      size_t bytes = 0;
      const int result = mpg123_read(mp3, reinterpret_cast<unsigned char*>(block.data()),
                                     block.size() * sizeof(float), &bytes);
      if (result == MPG123_NEW_FORMAT) {
        // Joined or damaged files change rate or width between frames.
        int encoding = 0;
        if (mpg123_getformat(mp3, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 ||
            channels <= 0) {
          error = Reason(mpg123_strerror(mp3));
          return false;
        }
        resampler.SetFormat(rate, channels);
      } else if (result != MPG123_OK && result != MPG123_DONE) {
        error = Reason(mpg123_strerror(mp3));
        return false;
      }
      block_frames = bytes / (sizeof(float) * channels);
      if (block_frames > 0) break;
      if (result == MPG123_DONE) return false;
    }
  } else {
    return false;
  }
  yielded = true;
  return true;
}

bool SoundFile::Rewind() {
  yielded = false;
  if (wav) return sf_seek(wav, 0, SEEK_SET) == 0;
  return mp3 && mpg123_seek(mp3, 0, SEEK_SET) == 0;
}

size_t SoundFile::Read(float* out, size_t frames, bool loop) {
  size_t written = 0;
  while (written < frames) {
    if (block_used == block_frames && !ended && !Decode()) {
      // A loop goes round again unless a whole pass gave nothing.
      if (!(loop && yielded && error.empty() && Rewind())) ended = true;
      if (!ended) continue;
    }
    size_t used = 0;
    const float* in = ended ? nullptr : block.data() + block_used * channels;
    const size_t made = resampler.Convert(in, block_frames - block_used, &used, out + 2 * written,
                                          frames - written);
    written += made;
    block_used += used;
    if (ended && made == 0) break;
  }
  return written;
}

bool SoundFile::Load(const char* name, std::vector<float>* samples, std::string* why) {
  samples->clear();
  SoundFile sound;
  if (!sound.Open(name, why)) return false;
  const uint64_t expected = sound.Frames();
  if (expected > MAX_FRAMES) {
    *why = TooLong();
    return false;
  }
  samples->reserve(2 * (expected + 1));
  std::vector<float> part(2 * 4096);
  for (;;) {
    const size_t got = sound.Read(part.data(), part.size() / 2, false);
    if (got == 0) break;
    // Counted as decoded, whatever the file said it holds.
    if (samples->size() / 2 + got > MAX_FRAMES) {
      samples->clear();
      samples->shrink_to_fit();
      *why = TooLong();
      return false;
    }
    samples->insert(samples->end(), part.begin(), part.begin() + 2 * got);
  }
  if (samples->empty()) {
    *why = sound.Error().empty() ? "no audio frames" : sound.Error();
    return false;
  }
  return true;
}

}  // namespace FMOD
