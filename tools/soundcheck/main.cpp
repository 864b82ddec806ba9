// Measures the game's sounds as the game plays them (decoded by SDL_mixer, the musics at their
// channel volumes), prints a table and fails when a file leaves its targets:
//   soundcheck SOUNDS_FOLDER
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "Meter.h"

namespace {
enum Kind { EFFECT, MUSIC, JINGLE };

struct File {
  const char* name;
  Kind kind;
  int volume;  // the channel volume the game gives it, out of MIX_MAX_VOLUME
  double min_seconds, max_seconds;
};

const File FILES[] = {
    {"slash.wav", EFFECT, 128, 0.1, 1.5},    {"superslash.wav", EFFECT, 128, 0.1, 1.5},
    {"hit.wav", EFFECT, 128, 0.1, 1.5},      {"explosion.wav", EFFECT, 128, 0.1, 1.5},
    {"fireball.wav", EFFECT, 128, 0.1, 1.5}, {"superfireball.wav", EFFECT, 128, 0.1, 1.5},
    {"arrow.wav", EFFECT, 128, 0.1, 1.5},    {"death.wav", EFFECT, 128, 0.1, 1.5},
    {"token.wav", EFFECT, 128, 0.1, 1.5},    {"fail.wav", EFFECT, 128, 0.05, 0.25},
    {"charged.wav", EFFECT, 128, 0.1, 1.5},  {"ambient1.mp3", MUSIC, 32, 20.0, 90.0},
    {"ambient2.mp3", MUSIC, 26, 20.0, 90.0}, {"gameover.mp3", JINGLE, 128, 9.5, 10.7},
    {"victory.mp3", JINGLE, 128, 5.0, 6.0},
};

// The targets.
const double EFFECT_PEAK_DB = -6.0;
const double TUNE_PEAK_DB = -1.0;                   // before the channel volume
const double LOUDNESS_SPREAD_DB = 3.0;              // each effect from the effects' median
const double FAIL_BELOW_MEDIAN_DB[2] = {2.0, 8.0};  // the refusal is softer, but not lost
const double MUSIC_RMS_DB = -20.0, MUSIC_RMS_SPREAD_DB = 2.0;
const double MUSIC_LOW_SHARE = 0.25;     // below 120 Hz
const double HIT_HIGH_SHARE = 0.25;      // above 1 kHz
const double EXPLOSION_LOW_SHARE = 0.5;  // below 100 Hz
const double DC_LIMIT = 0.001;
const int EDGE_LIMIT = 64;  // out of 32768, over the first and the last four frames
// A jingle's tail dies away: its last 100 ms lie this far under its loudest, and no 100 ms
// step of its last third falls by more than the cut limit (ignoring what is already inaudible).
const double TAIL_DROP_DB = 35.0, CUT_DB = 10.0, INAUDIBLE_DB = -70.0;

struct Row {
  const File* file;
  double seconds, peak, heard_peak, heard_rms, loudness, below100, below120, above1k, dc;
  int first, last;
  double tail_db, worst_step_db;
};

// Decodes a file as the game does, into one buffer per channel.
bool Decode(const std::string& path, Meter::Channels* sound) {
  Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
  if (!chunk) return false;
  const float* s = reinterpret_cast<const float*>(chunk->abuf);
  const size_t frames = chunk->alen / (2 * sizeof(float));
  sound->assign(2, Buffer(frames));
  for (size_t i = 0; i < frames; ++i) {
    (*sound)[0][i] = s[2 * i];
    (*sound)[1][i] = s[2 * i + 1];
  }
  Mix_FreeChunk(chunk);
  return true;
}

int Edge(const Meter::Channels& sound, bool at_end) {
  double most = 0.0;
  const size_t n = sound[0].size();
  for (const Buffer& c : sound)
    for (size_t k = 0; k < std::min<size_t>(4, n); ++k)
      most = std::max(most, std::fabs(c[at_end ? n - 1 - k : k]));
  return (int)std::lround(most * 32768.0);
}

Row Measure(const File& file, const Meter::Channels& sound) {
  Meter::Channels heard = sound;
  for (Buffer& c : heard)
    for (double& x : c) x *= file.volume / 128.0;
  Row r{&file, sound[0].size() / (double)SAMPLE_RATE, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  r.peak = Meter::Db(Meter::Peak(sound));
  r.heard_peak = Meter::Db(Meter::Peak(heard));
  r.heard_rms = Meter::Db(Meter::Rms(heard));
  r.loudness = Meter::Db(Meter::Loudness(heard));
  r.below100 = Meter::ShareBelow(sound, 100.0);
  r.below120 = Meter::ShareBelow(sound, 120.0);
  r.above1k = Meter::ShareAbove(sound, 1000.0);
  r.dc = Meter::Dc(sound);
  r.first = Edge(sound, false);
  r.last = Edge(sound, true);
  const std::vector<double> blocks = Meter::BlockRms(sound, 0.1);
  double loudest = 0.0;
  for (double b : blocks) loudest = std::max(loudest, b);
  r.tail_db = Meter::Db(blocks.back()) - Meter::Db(loudest);
  for (size_t i = blocks.size() * 2 / 3 + 1; i < blocks.size(); ++i)
    if (Meter::Db(blocks[i - 1]) > INAUDIBLE_DB)
      r.worst_step_db = std::max(r.worst_step_db, Meter::Db(blocks[i - 1]) - Meter::Db(blocks[i]));
  return r;
}

void Print(const Row& r) {
  std::printf("%-18s %6.2f %6.1f %6.1f %6.1f %6.1f %5.0f%% %5.0f%% %5.0f%% %8.5f %5d %5d %6.1f\n",
              r.file->name, r.seconds, r.peak, r.heard_peak, r.heard_rms, r.loudness,
              100.0 * r.below100, 100.0 * r.below120, 100.0 * r.above1k, r.dc, r.first, r.last,
              r.tail_db);
}

// Every target the row misses, one line each.
std::vector<std::string> Misses(const Row& r, double median) {
  std::vector<std::string> out;
  char line[200];
  const auto miss = [&](bool bad, const char* what, double value) {
    if (!bad) return;
    std::snprintf(line, sizeof line, "%s: %s (%.3g)", r.file->name, what, value);
    out.push_back(line);
  };
  const File& f = *r.file;
  const std::string name = f.name;
  miss(r.seconds < f.min_seconds || r.seconds > f.max_seconds, "length out of its range",
       r.seconds);
  miss(std::fabs(r.dc) > DC_LIMIT, "DC offset", r.dc);
  miss(r.first > EDGE_LIMIT, "does not start at silence", r.first);
  miss(r.last > EDGE_LIMIT, "does not end at silence", r.last);
  if (f.kind == EFFECT) {
    miss(r.peak > EFFECT_PEAK_DB, "peak above -6 dBFS", r.peak);
    if (name == "fail.wav")
      miss(r.loudness > median - FAIL_BELOW_MEDIAN_DB[0] ||
               r.loudness < median - FAIL_BELOW_MEDIAN_DB[1],
           "loudness not a little under the other effects", r.loudness - median);
    else
      miss(std::fabs(r.loudness - median) > LOUDNESS_SPREAD_DB,
           "loudness more than 3 dB from the effects' median", r.loudness - median);
  } else {
    miss(r.peak > TUNE_PEAK_DB, "peak above -1 dBFS", r.peak);
  }
  if (f.kind == MUSIC) {
    miss(std::fabs(r.heard_rms - MUSIC_RMS_DB) > MUSIC_RMS_SPREAD_DB,
         "level as heard not about -20 dBFS RMS", r.heard_rms);
    miss(r.below120 > MUSIC_LOW_SHARE, "more than a quarter of its energy below 120 Hz",
         r.below120);
  }
  if (f.kind == JINGLE) {
    miss(r.tail_db > -TAIL_DROP_DB, "ends before its tail has died away", r.tail_db);
    miss(r.worst_step_db > CUT_DB, "its ending is cut", r.worst_step_db);
  }
  if (name == "hit.wav") miss(r.above1k < HIT_HIGH_SHARE, "too little above 1 kHz", r.above1k);
  if (name == "explosion.wav")
    miss(r.below100 > EXPLOSION_LOW_SHARE, "more than half its energy below 100 Hz", r.below100);
  return out;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: soundcheck SOUNDS_FOLDER\n");
    return 2;
  }
  SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
  if (SDL_Init(SDL_INIT_AUDIO) != 0 || Mix_OpenAudio(SAMPLE_RATE, AUDIO_F32SYS, 2, 1024) != 0) {
    std::fprintf(stderr, "soundcheck: no audio output to decode with: %s\n", SDL_GetError());
    return 1;
  }
  Mix_Init(MIX_INIT_MP3);
  std::vector<Row> rows;
  std::vector<std::string> misses;
  for (const File& f : FILES) {
    const std::string path = std::string(argv[1]) + "/" + f.name;
    Meter::Channels sound;
    if (!Decode(path, &sound) || sound[0].empty()) {
      misses.push_back(path + ": cannot be decoded: " + Mix_GetError());
      continue;
    }
    rows.push_back(Measure(f, sound));
  }
  Mix_CloseAudio();
  Mix_Quit();
  SDL_Quit();

  std::vector<double> effects;
  for (const Row& r : rows)
    if (r.file->kind == EFFECT && std::string(r.file->name) != "fail.wav")
      effects.push_back(r.loudness);
  std::sort(effects.begin(), effects.end());
  const double median = effects.empty() ? 0.0 : effects[effects.size() / 2];

  std::printf("%-18s %6s %6s %6s %6s %6s %6s %6s %6s %8s %5s %5s %6s\n", "file", "secs", "peak",
              "heard", "rms", "A-loud", "<100", "<120", ">1k", "DC", "first", "last", "tail");
  std::printf("%-18s %6s %6s %6s %6s %6s %6s %6s %6s %8s %5s %5s %6s\n", "", "", "dBFS", "peak",
              "heard", "dBFS", "Hz", "Hz", "Hz", "", "", "", "dB");
  for (const Row& r : rows) {
    Print(r);
    for (const std::string& m : Misses(r, median)) misses.push_back(m);
  }
  std::printf("effects' median A-weighted loudness (fail.wav aside): %.1f dBFS\n", median);
  for (const std::string& m : misses) std::printf("MISS %s\n", m.c_str());
  std::printf("soundcheck: %zu files measured, %zu targets missed\n", rows.size(), misses.size());
  return misses.empty() ? 0 : 1;
}
