#include "fmod/SoundFile.h"

#include <mpg123.h>
#include <sndfile.h>
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
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

// The decoders' reads and seeks, answered from the file's blocks.
sf_count_t WavSize(void* reader) { return static_cast<BlockReader*>(reader)->Size(); }
sf_count_t WavSeek(sf_count_t offset, int whence, void* reader) {
  return static_cast<BlockReader*>(reader)->Seek(offset, whence);
}
sf_count_t WavRead(void* out, sf_count_t bytes, void* reader) {
  return bytes > 0 ? static_cast<BlockReader*>(reader)->Read(out, (size_t)bytes) : 0;
}
sf_count_t WavWrite(const void*, sf_count_t, void*) { return 0; }
sf_count_t WavTell(void* reader) { return static_cast<BlockReader*>(reader)->Tell(); }
SF_VIRTUAL_IO wav_io = {WavSize, WavSeek, WavRead, WavWrite, WavTell};

mpg123_ssize_t Mp3Read(void* reader, void* out, size_t bytes) {
  return static_cast<BlockReader*>(reader)->Read(out, bytes);
}
off_t Mp3Seek(void* reader, off_t offset, int whence) {
  return (off_t) static_cast<BlockReader*>(reader)->Seek(offset, whence);
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
      fd(-1),
      opened_size(0),
      mp3(nullptr),
      rate(Resampler::RATE),
      channels(2),
      next_rate(Resampler::RATE),
      next_channels(2),
      format_pending(false),
      block_frames(0),
      block_used(0),
      ended(true),
      yielded(false),
      keeping(false),
      from_kept(false),
      kept_at(0) {}

SoundFile::~SoundFile() { Close(); }

void SoundFile::Close() {
  if (wav) sf_close(wav);
  wav = nullptr;
  if (mp3) mpg123_delete(mp3);
  mp3 = nullptr;
  reader.reset();
  if (fd >= 0) close(fd);
  fd = -1;
  ended = true;
}

bool SoundFile::Open(const char* name, std::string* why) {
  Close();
  error.clear();
  DropKept();
  from_kept = false;
  const FileType type = TypeOf(name);
  if (type == TYPE_OTHER) {
    *why = "neither a .wav nor an .mp3 file";
    return false;
  }
  // A named pipe would block a plain open. The descriptor alone is kept: a stream's reader may
  // close it while the program exits, when the standard streams are being torn down.
  std::FILE* file = OpenDataFile(name, why);
  if (!file) return false;
  fd = fcntl(fileno(file), F_DUPFD_CLOEXEC, 0);
  std::fclose(file);
  if (fd < 0) {
    *why = std::strerror(errno);
    return false;
  }
  reader = std::make_unique<BlockReader>(fd);
  opened_size = reader->Size();
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
    wav = sf_open_virtual(&wav_io, SFM_READ, &info, reader.get());
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
    if (mpg123_replace_reader_handle(mp3, Mp3Read, Mp3Seek, nullptr) != MPG123_OK ||
        mpg123_open_handle(mp3, reader.get()) != MPG123_OK ||
        mpg123_getformat(mp3, &rate, &channels, &encoding) != MPG123_OK) {
      const int code = mpg123_errcode(mp3);
      // The reader's error is what the search for a first frame ends in.
      *why = !reader->Error().empty()    ? reader->Error()
             : code == MPG123_ERR_READER ? "no MP3 frame"
                                         : Reason(mpg123_plain_strerror(code));
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
  format_pending = false;
  ended = false;
  yielded = false;
  keeping = true;
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
  if (format_pending) {
    rate = next_rate;
    channels = next_channels;
    resampler.SetFormat(rate, channels);
    format_pending = false;
  }
  if (wav) {
    const sf_count_t got = sf_readf_float(wav, block.data(), block.size() / channels);
    if (got <= 0) {
      if (sf_error(wav) != SF_ERR_NO_ERROR || !reader->Error().empty())
        error = Why(Reason(sf_strerror(wav)));
      return false;
    }
    block_frames = (size_t)got;
  } else if (mp3) {
    for (;;) {
      size_t bytes = 0;
      const int result = mpg123_read(mp3, reinterpret_cast<unsigned char*>(block.data()),
                                     block.size() * sizeof(float), &bytes);
      if (result != MPG123_OK && result != MPG123_DONE && result != MPG123_NEW_FORMAT) {
        error = Why(Reason(mpg123_plain_strerror(mpg123_errcode(mp3))));
        return false;
      }
      // What comes with the news of a new format (joined or damaged files change rate or width
      // between frames) is the last of the old one.
      block_frames = bytes / (sizeof(float) * channels);
      if (result == MPG123_NEW_FORMAT) {
        int encoding = 0;
        if (mpg123_getformat(mp3, &next_rate, &next_channels, &encoding) != MPG123_OK ||
            next_rate <= 0 || next_channels <= 0) {
          error = Reason(mpg123_strerror(mp3));
          return false;
        }
        format_pending = true;
        if (block_frames > 0) break;
        rate = next_rate;
        channels = next_channels;
        resampler.SetFormat(rate, channels);
        format_pending = false;
        continue;
      }
      if (block_frames > 0) break;
      if (result == MPG123_DONE) return false;
    }
  } else {
    return false;
  }
  for (size_t i = 0; i < block_frames * channels; ++i)
    if (!std::isfinite(block[i])) block[i] = 0.0f;
  yielded = true;
  return true;
}

std::string SoundFile::Why(const std::string& decoder) {
  if (!reader) return decoder;
  if (!reader->Error().empty()) return reader->Error();
  const int64_t now = reader->Size();
  return now >= 0 && now < opened_size ? "the file was cut to " + std::to_string(now) + " bytes"
                                       : decoder;
}

bool SoundFile::Rewind() {
  yielded = false;
  // Both give the offset they reached, which need not read 0 at a joined file's start.
  if (wav) return sf_seek(wav, 0, SEEK_SET) >= 0;
  return mp3 && mpg123_seek(mp3, 0, SEEK_SET) >= 0;
}

bool SoundFile::KeepTail() {
  // At most a second's frames, from a file of 1 frame a second.
  float tail[2 * 256];
  for (;;) {
    size_t used = 0;
    const size_t made = resampler.Convert(nullptr, 0, &used, tail, 256);
    if (made == 0) return !kept.empty();
    kept.insert(kept.end(), tail, tail + 2 * made);
  }
}

void SoundFile::DropKept() {
  keeping = false;
  kept.clear();
  kept.shrink_to_fit();
}

size_t SoundFile::ReadKept(float* out, size_t frames) {
  const size_t length = kept.size() / 2;
  size_t written = 0;
  while (written < frames) {
    const size_t n = std::min(frames - written, length - kept_at);
    std::copy(kept.begin() + 2 * kept_at, kept.begin() + 2 * (kept_at + n), out + 2 * written);
    written += n;
    kept_at = (kept_at + n) % length;
  }
  return written;
}

size_t SoundFile::Read(float* out, size_t frames, bool loop) {
  if (from_kept) return ReadKept(out, frames);
  if (!loop && keeping) DropKept();
  size_t written = 0;
  while (written < frames) {
    if (block_used == block_frames && !ended && !Decode()) {
      // A loop goes round again unless a whole pass gave nothing; a short one goes round in
      // memory, from the frames that the resampler still held.
      const size_t given = kept.size() / 2;
      if (loop && yielded && error.empty() && keeping && KeepTail()) {
        Close();
        from_kept = true;
        kept_at = given % (kept.size() / 2);
        return written + ReadKept(out + 2 * written, frames - written);
      }
      DropKept();
      // What a file cut or damaged while it plays still holds goes round too.
      if (loop && yielded && Rewind()) {
        error.clear();
        continue;
      }
      ended = true;
      if (loop && error.empty()) error = Why("no audio frames left");
    }
    size_t used = 0;
    const float* in = ended ? nullptr : block.data() + block_used * channels;
    const size_t made = resampler.Convert(in, block_frames - block_used, &used, out + 2 * written,
                                          frames - written);
    if (keeping && kept.size() / 2 + made > KEPT_FRAMES) DropKept();
    if (keeping) kept.insert(kept.end(), out + 2 * written, out + 2 * (written + made));
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
