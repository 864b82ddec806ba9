// Synthesises the game's sounds into the folder given: eleven .wav effects,
// two .mp3 jingles and two .mp3 music loops. The output is the same on every run.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "AudioFile.h"
#include "Effects.h"
#include "Music.h"

namespace {
struct Effect {
  const char* name;
  Buffer (*make)();
};

struct Tune {
  const char* name;
  Stereo (*make)();
  int kbps;
};

const Effect EFFECTS[] = {
    {"slash.wav", MakeSlash},       {"superslash.wav", MakeSuperSlash},
    {"hit.wav", MakeHit},           {"explosion.wav", MakeExplosion},
    {"fireball.wav", MakeFireball}, {"superfireball.wav", MakeSuperFireball},
    {"arrow.wav", MakeArrow},       {"death.wav", MakeDeath},
    {"token.wav", MakeToken},       {"fail.wav", MakeFail},
    {"charged.wav", MakeCharged},
};

const Tune TUNES[] = {
    {"ambient1.mp3", MakeAmbient1, 192},
    {"ambient2.mp3", MakeAmbient2, 192},
    {"gameover.mp3", MakeGameOver, 128},
    {"victory.mp3", MakeVictory, 128},
};
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  std::string folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (!std::filesystem::is_directory(folder, error)) {
    std::fprintf(stderr, "soundgen: cannot make the folder %s\n", folder.c_str());
    return 1;
  }
  int failures = 0;
  for (const Effect& e : EFFECTS) {
    std::string path = folder + "/" + e.name;
    if (!WriteWav(path, e.make())) {
      std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
      ++failures;
    }
  }
  for (const Tune& p : TUNES) {
    std::string path = folder + "/" + p.name;
    Stereo s = p.make();
    if (!WriteMp3(path, s.left, s.right, p.kbps)) {
      std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
