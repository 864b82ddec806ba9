#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "fmod/AudioTestKit.h"
#include "io/Message.h"
#include "sound/cSound.h"
#include "support/TestGL.h"

using namespace AudioTestKit;

namespace {

const char* const FILES[NUM_SOUNDS] = {
    "ambient1.mp3", "ambient2.mp3",  "gameover.mp3", "slash.wav",         "superslash.wav",
    "hit.wav",      "explosion.wav", "fireball.wav", "superfireball.wav", "arrow.wav",
    "death.wav",    "token.wav",     "fail.wav",     "charged.wav",       "victory.mp3"};

std::string Generated(const char* name) {
  return std::string(KELVARA_DATA_DIR) + "/Sounds/" + name;
}

// Works inside a temporary folder whose Sounds/ is the generated one.
class SoundBank : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::exists(Generated("ambient1.mp3")));
    std::filesystem::create_directory_symlink(std::string(KELVARA_DATA_DIR) + "/Sounds",
                                              dir.Path() + "/Sounds");
    mix_path = dir.Path() + "/mix.raw";
    dir.Enter();
  }
  // Indices of the channels playing now.
  std::vector<int> Playing() {
    std::vector<int> list;
    for (int i = 0; i < 32; ++i)
      if (Mix_Playing(i)) list.push_back(i);
    return list;
  }
  TempDir dir;
  std::string mix_path;
};

TEST_F(SoundBank, LevelOneMusicPlaysAtAQuarterAndStopMusicSilencesIt) {
  UseDiskOutput(mix_path);
  auto sound = std::make_unique<cSound>();
  sound->Load();
  sound->Play(SOUND_AMBIENT1);
  EXPECT_EQ(ChannelsPlaying(), 1) << "only music 0 plays";
  SleepMs(700);
  sound->Update();
  sound->StopMusic();
  EXPECT_TRUE(Eventually([] { return ChannelsPlaying() == 0; }));
  SleepMs(300);  // the silence after it
  sound.reset();

  std::vector<int16_t> mix = ReadMix(mix_path);
  std::vector<int16_t> music;
  ASSERT_TRUE(Decode(Generated("ambient1.mp3"), &music));
  // The music's first frame lies within the fade-in before the first sound heard: line the
  // two up where they agree best.
  const size_t first = FirstAbove(mix, 0) & ~(size_t)1, at_music = 0;
  size_t at_mix = first;
  double best = 1e300;
  for (size_t at = first > 400 ? first - 400 : 0; at <= first; at += 2) {
    double off = 0.0;
    for (size_t i = 8192; i < 8192 + 4000 && at + i < mix.size(); ++i)
      off += std::abs(mix[at + i] - music[i] / 4);
    if (off < best) best = off, at_mix = at;
  }
  const size_t window = 2 * 44100 * 4 / 10;
  ASSERT_LT(at_mix + 8192 + window, mix.size()) << "too little output before the stop";
  double ratio = Rms(mix, at_mix + 8192, at_mix + 8192 + window) /
                 Rms(music, at_music + 8192, at_music + 8192 + window);
  EXPECT_NEAR(ratio, 0.25, 0.01);
  int off = 0;
  for (size_t i = 8192; i < 8192 + window; ++i)
    if (std::abs(mix[at_mix + i] - music[at_music + i] / 4) > 1) ++off;
  EXPECT_LT(off, (int)window / 100) << "the output is the music at a quarter";
  // The end of the output, after the stop, is silent.
  ASSERT_GT(mix.size(), at_mix + window + 4410);
  EXPECT_EQ(Peak(mix, mix.size() - 4410, mix.size()), 0);
  // The stop fades out: no step in its last 10 ms, down to silence, larger than the music's own
  // in the 0.4 s before.
  size_t end = mix.size();
  while (mix[end - 1] == 0) --end;
  ASSERT_GT(end, at_mix + window);
  int music_step = 0, stop_step = 0;
  for (size_t i = end - window; i < end + 2; ++i)
    (i < end - 2 * 441 ? music_step : stop_step) =
        std::max(i < end - 2 * 441 ? music_step : stop_step, std::abs(mix[i] - mix[i - 2]));
  EXPECT_LE(stop_step, music_step);
}

TEST_F(SoundBank, EffectPlaysAtFullVolumeAndAnOldMusicHandleLeavesIt) {
  UseDiskOutput(mix_path);
  auto sound = std::make_unique<cSound>();
  sound->Load();
  sound->Play(SOUND_AMBIENT1);
  ASSERT_EQ(Playing(), std::vector<int>{0});
  sound->StopMusic();
  ASSERT_TRUE(Ends(0));
  // The effect takes the music's old channel; stopping the music again leaves it.
  sound->Play(SOUND_EXPLOSION);
  ASSERT_EQ(Playing(), std::vector<int>{0});
  sound->StopMusic();
  EXPECT_EQ(Playing(), std::vector<int>{0});
  EXPECT_EQ(Mix_Volume(0, -1), MIX_MAX_VOLUME);
  SleepMs(800);
  sound.reset();

  std::vector<int16_t> mix = ReadMix(mix_path);
  std::vector<int16_t> boom;
  ASSERT_TRUE(Decode(Generated("explosion.wav"), &boom));
  // The explosion's loudest part (near its start) came out unchanged.
  EXPECT_NEAR(Peak(mix, 0, mix.size()), Peak(boom, 0, boom.size()), 2);
}

// A scripted fight, frame by frame (33 ms): the music alone for 1.5 s, then blows on two
// monsters at once, kills, arrows, refused attacks and a charged spiral whose fireballs explode
// together while two blows land.
struct Cue {
  int frame;
  std::vector<int> sounds;
};
const Cue FIGHT[] = {
    {0, {SOUND_AMBIENT1}},
    {45, {SOUND_SLASH}},
    {47, {SOUND_HIT, SOUND_HIT}},
    {48, {SOUND_DEATH}},
    {55, {SOUND_FIREBALL}},
    {60, {SOUND_EXPLOSION}},
    {62, {SOUND_ARROW, SOUND_SLASH}},
    {64, {SOUND_HIT}},
    {70, {SOUND_CHARGED}},
    {78, {SOUND_SUPERFIREBALL, SOUND_EXPLOSION}},
    {80, {SOUND_EXPLOSION, SOUND_EXPLOSION, SOUND_EXPLOSION, SOUND_EXPLOSION, SOUND_SUPERSLASH}},
    {81, {SOUND_EXPLOSION, SOUND_EXPLOSION, SOUND_EXPLOSION, SOUND_HIT, SOUND_HIT}},
    {82, {SOUND_EXPLOSION, SOUND_DEATH, SOUND_DEATH}},
    {90, {SOUND_FAIL}},
    {95, {SOUND_FAIL, SOUND_TOKEN}},
    {100, {SOUND_SLASH, SOUND_ARROW}},
    {102, {SOUND_HIT, SOUND_HIT, SOUND_EXPLOSION, SOUND_EXPLOSION}},
    {110, {SOUND_SUPERSLASH, SOUND_FIREBALL}},
    {112, {SOUND_HIT, SOUND_HIT, SOUND_DEATH, SOUND_EXPLOSION}},
    {150, {}},
};

TEST_F(SoundBank, AFightOfManyOverlappingSoundsNeverReachesFullScale) {
  UseDiskOutput(mix_path);
  auto sound = std::make_unique<cSound>();
  sound->Load();
  const auto start = std::chrono::steady_clock::now();
  for (const Cue& cue : FIGHT) {
    std::this_thread::sleep_until(start + std::chrono::milliseconds(33 * cue.frame));
    for (int id : cue.sounds) sound->Play(id);
    sound->Update();
  }
  sound->StopMusic();
  SleepMs(1500);
  sound.reset();

  std::vector<int16_t> mix = ReadMix(mix_path);
  const size_t at = FirstAbove(mix, 0) & ~(size_t)1;
  ASSERT_GT(mix.size(), at + 2 * 44100 * 5);
  int clipped = 0;
  for (int16_t s : mix) clipped += s >= 32767 || s <= -32767;
  const int peak = Peak(mix, 0, mix.size());
  // The music alone, after its first 0.2 s and before the first blow.
  const double music = Rms(mix, at + 2 * 8820, at + 2 * 44100 * 14 / 10);
  std::printf("fight: %d samples at full scale, peak %.2f dBFS, music %.1f dBFS RMS\n", clipped,
              20.0 * std::log10(peak / 32768.0), 20.0 * std::log10(music / 32768.0));
  EXPECT_EQ(clipped, 0);
  EXPECT_LT(peak, 29300) << "above -1 dBFS";
  EXPECT_GT(peak, 16384) << "the blows are not loud";
  EXPECT_NEAR(20.0 * std::log10(music / 32768.0), -20.0, 2.5) << "the music as heard";
}

TEST_F(SoundBank, HitAndDeathInOneFrameSoundTogether) {
  UseDriver("dummy");
  cSound sound;
  sound.Load();
  sound.Play(SOUND_HIT);
  sound.Play(SOUND_DEATH);
  sound.Play(SOUND_HIT);
  EXPECT_EQ(Playing().size(), 3u);
  for (int channel : Playing()) EXPECT_EQ(Mix_Volume(channel, -1), MIX_MAX_VOLUME);
}

TEST_F(SoundBank, LevelChangeLoadsAgainAndStartsMusicTwo) {
  UseDriver("dummy");
  cSound sound;
  sound.Load();
  sound.Play(SOUND_AMBIENT1);
  sound.Update();
  // Level cleared: music off, jingle on, then level two's set-up.
  sound.StopMusic();
  sound.Play(SOUND_VICTORY);
  ASSERT_TRUE(Eventually([&] { return Playing().size() == 1; }));
  std::vector<int> jingle = Playing();
  ASSERT_EQ(jingle.size(), 1u);
  EXPECT_EQ(Mix_Volume(jingle[0], -1), MIX_MAX_VOLUME);
  EXPECT_TRUE(sound.Load());
  sound.Play(SOUND_AMBIENT2);
  std::vector<int> now = Playing();
  ASSERT_EQ(now.size(), 2u);
  int music = now[0] == jingle[0] ? now[1] : now[0];
  EXPECT_EQ(Mix_Volume(music, -1), 26) << "music two at 0.2";
  EXPECT_EQ(Mix_Volume(jingle[0], -1), MIX_MAX_VOLUME);
  sound.StopMusic();
  EXPECT_TRUE(Eventually([&] { return Playing() == jingle; })) << "StopMusic stops only the music";
  // Game over straight after: nothing loops any more.
  sound.Play(SOUND_GAMEOVER);
  SleepMs(50);
  EXPECT_EQ(Playing().size(), 2u);
}

TEST_F(SoundBank, NoAudioDeviceRunsSilentlyWithOneLine) {
  UseDriver("nonexistent");
  ForgetSaidLines();
  StderrCapture capture;
  {
    cSound sound;
    EXPECT_TRUE(sound.Load());
    for (int id = 0; id < NUM_SOUNDS; ++id) sound.Play(id);
    sound.Update();
    sound.StopMusic();
  }
  std::string err = capture.Take();
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

TEST_F(SoundBank, MissingFilesAreNamedOnceAndPlayNothing) {
  std::filesystem::remove(dir.Path() + "/Sounds");
  UseDriver("dummy");
  ForgetSaidLines();
  StderrCapture capture;
  cSound sound;
  EXPECT_TRUE(sound.Load());
  EXPECT_TRUE(sound.Load());  // the level change says nothing new
  std::string err = capture.Take();
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), NUM_SOUNDS) << err;
  for (const char* name : FILES)
    EXPECT_NE(err.find(std::string("Kelvara: cannot load the sound file Sounds/") + name +
                       " (No such file or directory); it stays silent\n"),
              std::string::npos)
        << name << "\n"
        << err;
  for (int id = 0; id < NUM_SOUNDS; ++id) sound.Play(id);
  EXPECT_EQ(ChannelsPlaying(), 0);
  sound.StopMusic();
  sound.Update();
}

TEST_F(SoundBank, SeveralBanksInOneProcess) {
  UseDriver("dummy");
  {
    cSound first;
    cSound second;
    first.Load();
    second.Load();
    first.Play(SOUND_AMBIENT1);
    second.Play(SOUND_AMBIENT2);
    EXPECT_EQ(ChannelsPlaying(), 2);
    first.StopMusic();
    EXPECT_TRUE(Eventually([] { return ChannelsPlaying() == 1; }))
        << "one bank's StopMusic leaves the other's music";
  }
  EXPECT_EQ(ChannelsPlaying(), 0);
  cSound third;
  third.Load();
  third.Play(SOUND_TOKEN);
  EXPECT_EQ(ChannelsPlaying(), 1);
}

}  // namespace
