#include "fmod/SoundFile.h"

#include <SDL_mixer.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "fmod/StderrTrap.h"
#include "io/DataFile.h"

namespace FMOD {

namespace {
const uint64_t MAX_DECODED_BYTES = 64u << 20;
const unsigned MIN_RATE = 1000;
const unsigned MAX_RATE = 384000;
const unsigned MAX_CHANNELS = 8;
// Chunks looked at before a WAV file's data, at most.
const int MAX_WAV_CHUNKS = 1000;

enum FileType { TYPE_OTHER, TYPE_WAV, TYPE_MP3 };

FileType TypeOf(const char* name) {
  const char* dot = std::strrchr(name, '.');
  if (dot && strcasecmp(dot, ".wav") == 0) return TYPE_WAV;
  if (dot && strcasecmp(dot, ".mp3") == 0) return TYPE_MP3;
  return TYPE_OTHER;
}

uint32_t Little(const unsigned char* p, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
  return v;
}

uint32_t Big(const unsigned char* p) {
  return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
}

bool Read(std::FILE* file, uint64_t at, void* out, size_t bytes) {
  return fseeko(file, (off_t)at, SEEK_SET) == 0 && std::fread(out, 1, bytes, file) == bytes;
}

// Bytes that `frames` frames at `rate` take once converted to the output's format.
uint64_t OutputBytes(uint64_t frames, unsigned rate) {
  int out_rate = 44100, out_channels = 2;
  Uint16 out_format = AUDIO_S16SYS;
  Mix_QuerySpec(&out_rate, &out_format, &out_channels);
  const uint64_t out_frames = (frames * (uint64_t)out_rate + rate - 1) / rate;
  return out_frames * (uint64_t)out_channels * (SDL_AUDIO_BITSIZE(out_format) / 8);
}

bool SizeFits(uint64_t bytes, std::string* why) {
  if (bytes <= MAX_DECODED_BYTES) return true;
  *why = "decodes to " + std::to_string((bytes + (1u << 20) - 1) >> 20) + " MiB, more than " +
         std::to_string(MAX_DECODED_BYTES >> 20) + " MiB";
  return false;
}

bool SamplesPlay(unsigned rate, unsigned channels, unsigned bits, uint64_t data_bytes,
                 std::string* why) {
  if (rate < MIN_RATE || rate > MAX_RATE) {
    *why = "a sample rate of " + std::to_string(rate) + " Hz, outside " + std::to_string(MIN_RATE) +
           " to " + std::to_string(MAX_RATE) + " Hz";
    return false;
  }
  if (channels < 1 || channels > MAX_CHANNELS) {
    *why = std::to_string(channels) + " channels, outside 1 to " + std::to_string(MAX_CHANNELS);
    return false;
  }
  // 4 bits: ADPCM; 8 to 32: PCM, A-law, mu-law and float.
  if (bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    *why = std::to_string(bits) + "-bit samples, not 4, 8, 16, 24 or 32 bits";
    return false;
  }
  const uint64_t frames = data_bytes * 8 / (bits * channels);
  return SizeFits(std::max(data_bytes, OutputBytes(frames, rate)), why);
}

// A WAV file's format chunk and the size of its data chunk (as much of it as the file holds).
bool WavPlays(std::FILE* file, uint64_t file_bytes, std::string* why) {
  unsigned char riff[12];
  if (!Read(file, 0, riff, sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 ||
      std::memcmp(riff + 8, "WAVE", 4) != 0) {
    *why = "not a WAV file";
    return false;
  }
  bool have_format = false;
  unsigned rate = 0, channels = 0, bits = 0;
  uint64_t at = sizeof riff;
  for (int i = 0; i < MAX_WAV_CHUNKS; ++i) {
    unsigned char head[8];
    if (!Read(file, at, head, sizeof head)) break;
    const uint64_t size = Little(head + 4, 4);
    at += sizeof head;
    if (std::memcmp(head, "fmt ", 4) == 0) {
      unsigned char format[16];
      if (size < sizeof format || !Read(file, at, format, sizeof format)) {
        *why = "a WAV format chunk cut short";
        return false;
      }
      channels = Little(format + 2, 2);
      rate = Little(format + 4, 4);
      bits = Little(format + 14, 2);
      have_format = true;
    } else if (std::memcmp(head, "data", 4) == 0) {
      if (!have_format) {
        *why = "WAV data before its format chunk";
        return false;
      }
      const uint64_t held = file_bytes > at ? file_bytes - at : 0;
      return SamplesPlay(rate, channels, bits, std::min(size, held), why);
    }
    at += size + (size & 1);
  }
  *why = "no WAV data chunk";
  return false;
}

// An MP3 file: its first frame (after an ID3v2 tag) is an MPEG audio layer III frame, and
// the audio it holds, counted by its Xing or Info frame or else from its first frame's bit
// rate, decodes to at most 64 MiB.
bool Mp3Plays(std::FILE* file, uint64_t file_bytes, std::string* why) {
  static const unsigned RATES[4][3] = {
      {11025, 12000, 8000}, {0, 0, 0}, {22050, 24000, 16000}, {44100, 48000, 32000}};
  // kbit/s by index; index 0 (free format) counts as the lowest rate.
  static const unsigned KBPS_MPEG1[15] = {32,  32,  40,  48,  56,  64,  80, 96,
                                          112, 128, 160, 192, 224, 256, 320};
  static const unsigned KBPS_MPEG2[15] = {8,  8,  16, 24,  32,  40,  48, 56,
                                          64, 80, 96, 112, 128, 144, 160};
  unsigned char head[10];
  if (!Read(file, 0, head, sizeof head)) {
    *why = "not an MP3 file";
    return false;
  }
  // SDL_mixer takes a file for MP3 by its ID3v2 tag or by a layer III frame at the start.
  const bool tagged = std::memcmp(head, "ID3", 3) == 0;
  if (!tagged && (head[0] != 0xff || (head[1] & 0xe6) != 0xe2)) {
    *why = "not an MP3 file";
    return false;
  }
  uint64_t at = 0;
  if (tagged)
    at = 10 +
         ((head[6] & 0x7fu) << 21 | (head[7] & 0x7fu) << 14 | (head[8] & 0x7fu) << 7 |
          (head[9] & 0x7fu)) +
         (head[5] & 0x10 ? 10 : 0);
  // The first whole frame header, within a few KiB (the decoder skips what comes before).
  unsigned char window[4096 + 48] = {};
  const size_t got =
      fseeko(file, (off_t)at, SEEK_SET) == 0 ? std::fread(window, 1, sizeof window, file) : 0;
  const unsigned char* frame = nullptr;
  for (size_t i = 0; i + 4 <= std::min(got, (size_t)4096) && !frame; ++i) {
    const unsigned char* h = window + i;
    if (h[0] == 0xff && (h[1] & 0xe6) == 0xe2 && (h[1] >> 3 & 3) != 1 && (h[2] >> 2 & 3) != 3 &&
        h[2] >> 4 != 15)
      frame = h;
  }
  if (!frame) {
    *why = "no MP3 frame";
    return false;
  }
  at += frame - window;
  const unsigned version = frame[1] >> 3 & 3;  // 3: MPEG 1, 2: MPEG 2, 0: MPEG 2.5
  const unsigned rate_index = frame[2] >> 2 & 3;
  const unsigned bitrate_index = frame[2] >> 4;
  const unsigned rate = RATES[version][rate_index];
  const bool mono = frame[3] >> 6 == 3;
  const size_t tag = 4 + (version == 3 ? (mono ? 17 : 32) : (mono ? 9 : 17));
  uint64_t frames;  // of audio, per channel
  if (frame + tag + 12 <= window + got &&
      (std::memcmp(frame + tag, "Xing", 4) == 0 || std::memcmp(frame + tag, "Info", 4) == 0) &&
      (Big(frame + tag + 4) & 1)) {
    frames = (uint64_t)Big(frame + tag + 8) * (version == 3 ? 1152 : 576);
  } else {
    const unsigned kbps = (version == 3 ? KBPS_MPEG1 : KBPS_MPEG2)[bitrate_index];
    frames = (file_bytes > at ? file_bytes - at : 0) * 8 * rate / (kbps * 1000);
  }
  return SizeFits(OutputBytes(frames, rate), why);
}

// The decoder's own reason among what it wrote: the text after its first "error: ".
std::string DecoderError(const std::string& said) {
  const size_t at = said.find("error: ");
  if (at == std::string::npos) return std::string();
  const size_t from = at + 7;
  return said.substr(from, std::min(said.find('\n', from), said.size()) - from);
}
}  // namespace

Mix_Chunk* DecodeSoundFile(const char* name, std::string* why) {
  const FileType type = TypeOf(name);
  if (type == TYPE_OTHER) {
    *why = "neither a .wav nor an .mp3 file";
    return nullptr;
  }
  std::FILE* file = OpenDataFile(name, why);  // a named pipe would block a plain open
  if (!file) return nullptr;
  struct stat st;
  const uint64_t file_bytes = fstat(fileno(file), &st) == 0 ? (uint64_t)st.st_size : 0;
  const bool plays =
      type == TYPE_WAV ? WavPlays(file, file_bytes, why) : Mp3Plays(file, file_bytes, why);
  if (!plays || fseeko(file, 0, SEEK_SET) != 0) {
    if (plays) *why = std::strerror(errno);
    std::fclose(file);
    return nullptr;
  }
  SDL_RWops* source = SDL_RWFromFP(file, SDL_TRUE);
  if (!source) {
    *why = SDL_GetError();
    std::fclose(file);
    return nullptr;
  }
  // The checks above leave SDL_mixer's own sniffing of the bytes nothing else to pick: a
  // RIFF WAVE header goes to SDL's WAV loader, a layer III frame to the MP3 decoder.
  Mix_Chunk* chunk;
  std::string error;
  {
    StderrTrap trap;
    chunk = Mix_LoadWAV_RW(source, 1);
    error = DecoderError(trap.Caught());
  }
  // A decoder that complained of errors gave back damaged sound, if any.
  if (chunk && !error.empty()) {
    Mix_FreeChunk(chunk);
    chunk = nullptr;
  }
  if (!chunk) *why = error.empty() ? std::string(Mix_GetError()) : error;
  return chunk;
}

}  // namespace FMOD
