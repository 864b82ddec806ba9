// Measures the game's sounds as the game plays them (decoded by its own sound layer, the musics
// at their channel volumes and round their loop), prints a table and fails when a file leaves
// its targets:
//   soundcheck SOUNDS_FOLDER
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "Meter.h"
#include "fmod/SoundFile.h"

namespace {
enum Kind { EFFECT, MUSIC, JINGLE };

struct File {
  const char* name;
  Kind kind;
  int volume;  // the channel volume the game gives it, out of 128
  double min_seconds, max_seconds;
  double min_audible;  // a jingle sounds through its sequence: audible until at least this
};

const File FILES[] = {
    {"slash.wav", EFFECT, 128, 0.1, 1.5, 0},     {"superslash.wav", EFFECT, 128, 0.1, 1.5, 0},
    {"hit.wav", EFFECT, 128, 0.1, 1.5, 0},       {"explosion.wav", EFFECT, 128, 0.1, 1.5, 0},
    {"fireball.wav", EFFECT, 128, 0.1, 1.5, 0},  {"superfireball.wav", EFFECT, 128, 0.1, 1.5, 0},
    {"arrow.wav", EFFECT, 128, 0.1, 1.5, 0},     {"death.wav", EFFECT, 128, 0.1, 1.5, 0},
    {"token.wav", EFFECT, 128, 0.1, 1.5, 0},     {"fail.wav", EFFECT, 128, 0.05, 0.25, 0},
    {"charged.wav", EFFECT, 128, 0.1, 1.5, 0},   {"ambient1.mp3", MUSIC, 32, 20.0, 90.0, 0},
    {"ambient2.mp3", MUSIC, 26, 20.0, 90.0, 0},  {"gameover.mp3", JINGLE, 128, 9.5, 10.7, 9.5},
    {"victory.mp3", JINGLE, 128, 5.0, 6.0, 5.0},
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
const double AUDIBLE_DB = -50.0;
// A music's loop: no 20 ms stretch near the join more than this under the second around it,
// and the step from its last sample to its first no larger than this many times the largest
// step near it.
const double SEAM_DB = 6.0, SEAM_STEP = 1.5;
// A jingle's tail dies away: its last 100 ms lie this far under its loudest, and no 100 ms
// step of its last third falls by more than the cut limit (ignoring what is already inaudible).
const double TAIL_DROP_DB = 35.0, CUT_DB = 10.0, INAUDIBLE_DB = -70.0;

struct Row {
  const File* file;
  double seconds, peak, heard_peak, heard_rms, loudness, below100, below120, above1k, dc;
  int first, last;
  double tail_db, worst_step_db, audible, seam_db, seam_step;
};

// Decodes a file as the game does, into one buffer per channel.
bool Decode(const std::string& path, Meter::Channels* sound, std::string* why) {
  std::vector<float> s;
  if (!FMOD::SoundFile::Load(path.c_str(), &s, why)) return false;
  const size_t frames = s.size() / 2;
  sound->assign(2, Buffer(frames));
  for (size_t i = 0; i < frames; ++i) {
    (*sound)[0][i] = s[2 * i];
    (*sound)[1][i] = s[2 * i + 1];
  }
  return true;
}

// The loop's join as the game plays it, the music's end running on into its start: the 20 ms
// stretch within 50 ms of the join that lies furthest under the second around it (in dB), and
// the step across the join against the largest step within 10 ms of it.
void MeasureSeam(const Meter::Channels& sound, Row* r) {
  const size_t half = std::min(sound[0].size() / 2, (size_t)Samples(0.5));
  Meter::Channels joined(sound.size());
  for (size_t c = 0; c < sound.size(); ++c) {
    joined[c].assign(sound[c].end() - half, sound[c].end());
    joined[c].insert(joined[c].end(), sound[c].begin(), sound[c].begin() + half);
  }
  const double around = Meter::Db(Meter::Rms(joined));
  const size_t window = Samples(0.02), reach = Samples(0.05), near = Samples(0.01);
  r->seam_db = 0.0;
  for (size_t at = half - reach; at + window <= half + reach; at += Samples(0.002)) {
    double sum = 0.0;
    for (const Buffer& c : joined)
      for (size_t i = at; i < at + window; ++i) sum += c[i] * c[i];
    const double db = Meter::Db(std::sqrt(sum / (window * joined.size()))) - around;
    r->seam_db = std::min(r->seam_db, db);
  }
  double join = 0.0, steps = 0.0;
  for (const Buffer& c : joined) {
    join = std::max(join, std::fabs(c[half] - c[half - 1]));
    for (size_t i = half - near; i < half + near; ++i)
      if (i != half) steps = std::max(steps, std::fabs(c[i] - c[i - 1]));
  }
  r->seam_step = steps > 0.0 ? join / steps : 0.0;
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
  Row r{&file, sound[0].size() / (double)SAMPLE_RATE, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
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
  for (size_t i = 0; i < blocks.size(); ++i)
    if (Meter::Db(blocks[i]) > AUDIBLE_DB) r.audible = std::min(r.seconds, 0.1 * (i + 1));
  if (file.kind == MUSIC) MeasureSeam(sound, &r);
  return r;
}

void Print(const Row& r) {
  std::printf(
      "%-18s %6.2f %6.1f %6.1f %6.1f %6.1f %5.0f%% %5.0f%% %5.0f%% %8.5f %5d %5d %6.1f %6.1f "
      "%6.1f %5.2f\n",
      r.file->name, r.seconds, r.peak, r.heard_peak, r.heard_rms, r.loudness, 100.0 * r.below100,
      100.0 * r.below120, 100.0 * r.above1k, r.dc, r.first, r.last, r.tail_db, r.audible, r.seam_db,
      r.seam_step);
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
  if (f.kind == MUSIC) {
    miss(r.seam_db < -SEAM_DB, "a drop at the loop's join", r.seam_db);
    miss(r.seam_step > SEAM_STEP, "a click at the loop's join", r.seam_step);
  } else {
    miss(r.first > EDGE_LIMIT, "does not start at silence", r.first);
    miss(r.last > EDGE_LIMIT, "does not end at silence", r.last);
  }
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
    miss(r.audible < f.min_audible, "falls silent before its sequence ends", r.audible);
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
  std::vector<Row> rows;
  std::vector<std::string> misses;
  for (const File& f : FILES) {
    const std::string path = std::string(argv[1]) + "/" + f.name;
    Meter::Channels sound;
    std::string why;
    if (!Decode(path, &sound, &why)) {
      misses.push_back(path + ": cannot be decoded: " + why);
      continue;
    }
    rows.push_back(Measure(f, sound));
  }

  std::vector<double> effects;
  for (const Row& r : rows)
    if (r.file->kind == EFFECT && std::string(r.file->name) != "fail.wav")
      effects.push_back(r.loudness);
  std::sort(effects.begin(), effects.end());
  const double median = effects.empty() ? 0.0 : effects[effects.size() / 2];

  std::printf("%-18s %6s %6s %6s %6s %6s %6s %6s %6s %8s %5s %5s %6s %6s %6s %5s\n", "file", "secs",
              "peak", "heard", "rms", "A-loud", "<100", "<120", ">1k", "DC", "first", "last",
              "tail", "heard", "seam", "seam");
  std::printf("%-18s %6s %6s %6s %6s %6s %6s %6s %6s %8s %5s %5s %6s %6s %6s %5s\n", "", "", "dBFS",
              "peak", "heard", "dBFS", "Hz", "Hz", "Hz", "", "", "", "dB", "to s", "dB", "step");
  for (const Row& r : rows) {
    Print(r);
    for (const std::string& m : Misses(r, median)) misses.push_back(m);
  }
  std::printf("effects' median A-weighted loudness (fail.wav aside): %.1f dBFS\n", median);
  for (const std::string& m : misses) std::printf("MISS %s\n", m.c_str());
  std::printf("soundcheck: %zu files measured, %zu targets missed\n", rows.size(), misses.size());
  return misses.empty() ? 0 : 1;
}
