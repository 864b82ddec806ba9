#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "fmod/AudioTestKit.h"
#include "support/TestGL.h"

using namespace AudioTestKit;

namespace {

struct Expected {
  const char* name;
  double min_seconds;
  double max_seconds;
};

const Expected SOUNDS[] = {
    {"slash.wav", 0.15, 0.5},
    {"superslash.wav", 0.3, 1.0},
    {"hit.wav", 0.1, 0.4},
    {"explosion.wav", 0.8, 2.0},
    {"fireball.wav", 0.3, 0.8},
    {"superfireball.wav", 0.6, 1.5},
    {"arrow.wav", 0.2, 0.6},
    {"death.wav", 0.5, 1.5},
    {"token.wav", 0.3, 1.0},
    {"fail.wav", 0.2, 0.6},
    {"charged.wav", 0.4, 1.0},
    // The jingles fill their end sequences (6 s and 10.7 s) but end before them.
    {"victory.mp3", 5.0, 6.0},
    {"gameover.mp3", 9.5, 10.7},
    {"ambient1.mp3", 30.0, 60.0},
    {"ambient2.mp3", 30.0, 60.0},
};

const int MINUS_1_DBFS = 29204;
const int MINUS_12_DBFS = 8231;

std::string Generated(const std::string& name) {
  return std::string(KELVARA_DATA_DIR) + "/Sounds/" + name;
}

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

int Le(const std::string& b, size_t at, int bytes) {
  int v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | (uint8_t)b[at + i];
  return v;
}

// Zero crossings per second of the left channel between two times.
double CrossingRate(const std::vector<int16_t>& s, double from, double to) {
  size_t a = (size_t)(from * 44100) * 2, b = std::min(s.size(), (size_t)(to * 44100) * 2);
  int crossings = 0;
  for (size_t i = a + 2; i < b; i += 2)
    if ((s[i - 2] < 0) != (s[i] < 0)) ++crossings;
  return crossings / (to - from);
}

TEST(SoundGen, EverySoundDecodesWithItsLengthAndLevel) {
  for (const Expected& e : SOUNDS) {
    SCOPED_TRACE(e.name);
    std::vector<int16_t> s;
    ASSERT_TRUE(Decode(Generated(e.name), &s));
    double seconds = s.size() / 2 / 44100.0;
    EXPECT_GE(seconds, e.min_seconds);
    EXPECT_LE(seconds, e.max_seconds);
    int peak = Peak(s, 0, s.size());
    EXPECT_LT(peak, MINUS_1_DBFS) << "peak must stay below -1 dBFS";
    EXPECT_GT(peak, MINUS_12_DBFS) << "too quiet";
  }
}

TEST(SoundGen, EffectsAreMonoPcmAndStartAndEndAtRest) {
  for (const Expected& e : SOUNDS) {
    std::string name = e.name;
    if (name.find(".wav") == std::string::npos) continue;
    SCOPED_TRACE(name);
    std::string b = Bytes(Generated(name));
    ASSERT_GT(b.size(), 44u);
    EXPECT_EQ(b.substr(0, 4), "RIFF");
    EXPECT_EQ(b.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(Le(b, 20, 2), 1);      // PCM
    EXPECT_EQ(Le(b, 22, 2), 1);      // mono
    EXPECT_EQ(Le(b, 24, 4), 44100);  // rate
    EXPECT_EQ(Le(b, 34, 2), 16);     // bits
    EXPECT_EQ((size_t)Le(b, 40, 4), b.size() - 44);
    std::vector<int16_t> s;
    ASSERT_TRUE(Decode(Generated(name), &s));
    EXPECT_LT(Peak(s, 0, 8), 64) << "starts with a click";
    EXPECT_LT(Peak(s, s.size() - 8, s.size()), 64) << "ends with a click";
  }
}

TEST(SoundGen, Mp3FilesCarryTheEncoderTagFrame) {
  for (const char* name : {"ambient1.mp3", "ambient2.mp3", "gameover.mp3", "victory.mp3"}) {
    SCOPED_TRACE(name);
    std::string b = Bytes(Generated(name));
    ASSERT_GT(b.size(), 1000u);
    EXPECT_EQ((uint8_t)b[0], 0xFF);
    EXPECT_EQ((uint8_t)b[1] & 0xE0, 0xE0);
    std::string first = b.substr(0, 417);
    EXPECT_TRUE(first.find("Info") != std::string::npos || first.find("Xing") != std::string::npos);
    EXPECT_NE(first.find("LAME"), std::string::npos);
  }
}

TEST(SoundGen, MusicEndRunsOnIntoItsStart) {
  for (const char* name : {"ambient1.mp3", "ambient2.mp3"}) {
    SCOPED_TRACE(name);
    std::vector<int16_t> s;
    ASSERT_TRUE(Decode(Generated(name), &s));
    size_t n = s.size();
    ASSERT_GT(n, 44100u * 2);
    double whole = Rms(s, 0, n);
    // No silence padded at either end ...
    EXPECT_GT(Rms(s, 0, 4410), 0.1 * whole);
    EXPECT_GT(Rms(s, n - 4410, n), 0.1 * whole);
    // ... and the step from the last frame to the first is no bigger than the
    // steps right around it.
    for (int c = 0; c < 2; ++c) {
      int around = 0;
      for (size_t i = 2 + c; i < 882; i += 2) around = std::max(around, std::abs(s[i] - s[i - 2]));
      for (size_t i = n - 882 + c; i < n; i += 2)
        around = std::max(around, std::abs(s[i] - s[i - 2]));
      int join = std::abs(s[c] - s[n - 2 + c]);
      EXPECT_LE(join, around + around / 2) << "channel " << c;
    }
  }
}

TEST(SoundGen, TheTwoMusicsAreDifferentTunes) {
  std::vector<int16_t> a, b;
  ASSERT_TRUE(Decode(Generated("ambient1.mp3"), &a));
  ASSERT_TRUE(Decode(Generated("ambient2.mp3"), &b));
  EXPECT_NE(a.size(), b.size());
  // Different tunes, not one file twice.
  size_t n = std::min(a.size(), b.size());
  double diff = 0.0;
  for (size_t i = 0; i < n; i += 64) diff += std::abs(a[i] - b[i]);
  EXPECT_GT(diff / (n / 64), 500.0);
}

TEST(SoundGen, EffectsFitTheirEvents) {
  std::vector<int16_t> charged, slash, explosion, hit;
  ASSERT_TRUE(Decode(Generated("charged.wav"), &charged));
  ASSERT_TRUE(Decode(Generated("slash.wav"), &slash));
  ASSERT_TRUE(Decode(Generated("explosion.wav"), &explosion));
  ASSERT_TRUE(Decode(Generated("hit.wav"), &hit));
  // The charge cue rises.
  EXPECT_GT(CrossingRate(charged, 0.22, 0.32), 1.8 * CrossingRate(charged, 0.02, 0.12));
  // The blade is bright, the blast and the blow are dull.
  EXPECT_GT(CrossingRate(slash, 0.0, 0.2), 3.0 * CrossingRate(explosion, 0.2, 1.0));
  EXPECT_GT(CrossingRate(slash, 0.0, 0.2), 3.0 * CrossingRate(hit, 0.0, 0.15));
  // The blast lasts; the blow is short.
  EXPECT_GT(explosion.size(), 3 * hit.size());
}

TEST(SoundGen, SameBytesWhenMadeAgain) {
  TempDir dir;
  std::string tool = std::string(KELVARA_BINARY_DIR) + "/tools/soundgen/soundgen";
  ASSERT_TRUE(std::filesystem::exists(tool));
  ASSERT_EQ(std::system(("\"" + tool + "\" \"" + dir.Path() + "/Sounds\"").c_str()), 0);
  for (const Expected& e : SOUNDS) {
    SCOPED_TRACE(e.name);
    std::string again = Bytes(dir.Path() + "/Sounds/" + e.name);
    EXPECT_FALSE(again.empty());
    EXPECT_TRUE(again == Bytes(Generated(e.name)));
  }
}

// A built effect with its 16-bit samples changed.
std::string ChangedWav(const char* name, const std::function<void(std::vector<int16_t>&)>& change) {
  std::string b = Bytes(Generated(name));
  std::vector<int16_t> s((b.size() - 44) / 2);
  std::memcpy(s.data(), &b[44], 2 * s.size());
  change(s);
  std::memcpy(&b[44], s.data(), 2 * s.size());
  return b;
}

// A built MP3 (MPEG 1 layer III at 44.1 kHz) whose last `count` frames are made silent: their
// side information and data zeroed.
std::string SilentEnd(const char* name, size_t count) {
  static const int KBPS[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
  std::string b = Bytes(Generated(name));
  std::vector<size_t> frames;
  for (size_t i = 0; i + 4 <= b.size() && (uint8_t)b[i] == 0xff;) {
    frames.push_back(i);
    i += 144000 * KBPS[(uint8_t)b[i + 2] >> 4] / 44100 + ((uint8_t)b[i + 2] >> 1 & 1);
  }
  for (size_t k = frames.size() - count; k < frames.size(); ++k)
    std::fill(b.begin() + frames[k] + 4,
              k + 1 < frames.size() ? b.begin() + frames[k + 1] : b.end(), '\0');
  return b;
}

// The sound check on the built sounds with one file broken fails, and names that file's target.
TEST(SoundCheck, FailsOnEachBrokenTarget) {
  const std::string tool = std::string(KELVARA_BINARY_DIR) + "/tools/soundcheck/soundcheck";
  const std::string victory = Bytes(Generated("victory.mp3"));
  const struct {
    const char* name;
    std::string bytes;
    const char* miss;
  } cases[] = {
      {"hit.wav",
       ChangedWav("hit.wav",
                  [](std::vector<int16_t>& s) {
                    for (int16_t& x : s) x = (int16_t)std::max(-32768, std::min(32767, 4 * x));
                  }),
       "hit.wav: peak above -6 dBFS"},
      {"slash.wav", ChangedWav("slash.wav", [](std::vector<int16_t>& s) { s[0] = 8000; }),
       "slash.wav: does not start at silence"},
      {"ambient1.mp3", SilentEnd("ambient1.mp3", 6), "ambient1.mp3: a drop at the loop's join"},
      {"victory.mp3", victory.substr(0, victory.size() * 2 / 5),
       "victory.mp3: falls silent before its sequence ends"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    for (const auto& e : std::filesystem::directory_iterator(Generated("")))
      if (e.path().filename() != c.name)
        std::filesystem::create_symlink(e.path(), dir.Path() + "/" + e.path().filename().string());
    dir.Write(c.name, c.bytes);
    const std::string out = dir.Path() + "/out.txt";
    EXPECT_NE(std::system(("\"" + tool + "\" \"" + dir.Path() + "\" >\"" + out + "\"").c_str()), 0);
    const std::string said = Bytes(out);
    EXPECT_NE(said.find("MISS " + std::string(c.miss)), std::string::npos) << said;
    for (size_t at = said.find("MISS "); at != std::string::npos; at = said.find("MISS ", at + 1))
      EXPECT_EQ(said.compare(at + 5, std::strlen(c.name), c.name), 0) << said.substr(at, 80);
  }
}

TEST(SoundGen, RefusesAnUnwritableFolder) {
  std::string tool = std::string(KELVARA_BINARY_DIR) + "/tools/soundgen/soundgen";
  ASSERT_TRUE(std::filesystem::exists(tool));
  EXPECT_NE(std::system(("\"" + tool + "\" /proc/no-such-folder 2>/dev/null").c_str()), 0);
  EXPECT_NE(std::system(("\"" + tool + "\" 2>/dev/null").c_str()), 0);
}

}  // namespace
