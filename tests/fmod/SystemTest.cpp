#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <sndfile.h>

#include <array>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>

#include "fmod/AudioTestKit.h"
#include "fmod/Limiter.h"
#include "fmod/fmod.h"
#include "io/Message.h"
#include "support/TestGL.h"

using namespace AudioTestKit;

namespace {

// A system writing its mix to a file, with a short tone and a long tone.
class FmodDisk : public ::testing::Test {
protected:
  void SetUp() override {
    dir.Write("short.wav", ToneWav(0.1, 440.0, 0.5));
    dir.Write("long.wav", ToneWav(2.0, 330.0, 0.25));
    mix_path = dir.Path() + "/mix.raw";
    UseDiskOutput(mix_path);
    ASSERT_EQ(FMOD::System_Create(&system), FMOD_OK);
    ASSERT_EQ(system->init(32, FMOD_INIT_NORMAL, nullptr), FMOD_OK);
  }
  void TearDown() override {
    if (system) system->release();
  }
  // Closes the output and returns what it wrote.
  std::vector<int16_t> Finish() {
    system->release();
    system = nullptr;
    return ReadMix(mix_path);
  }
  std::string File(const char* name) { return dir.Path() + "/" + name; }

  TempDir dir;
  std::string mix_path;
  FMOD::System* system = nullptr;
};

TEST_F(FmodDisk, SamplePlaysOnceAndReachesTheOutput) {
  FMOD::Sound* tone = nullptr;
  ASSERT_EQ(system->createSound(File("short.wav").c_str(), FMOD_HARDWARE, nullptr, &tone), FMOD_OK);
  ASSERT_NE(tone, nullptr);
  FMOD::Channel* channel = nullptr;
  ASSERT_EQ(system->playSound(FMOD_CHANNEL_FREE, tone, false, &channel), FMOD_OK);
  ASSERT_NE(channel, nullptr);
  EXPECT_EQ(ChannelsPlaying(), 1);
  SleepMs(400);
  EXPECT_EQ(ChannelsPlaying(), 0) << "a sample plays once";
  EXPECT_EQ(system->update(), FMOD_OK);
  std::vector<int16_t> mix = Finish();
  ASSERT_GT(mix.size(), 4410u);
  // The tone at half scale comes out at full volume.
  EXPECT_NEAR(Peak(mix, 0, mix.size()), 16384, 300);
  // It starts at silence, so it plays as its file from its first frame, with no fade-in.
  std::vector<int16_t> file;
  ASSERT_TRUE(Decode(File("short.wav"), &file));
  const size_t heard = FirstAbove(mix, 0), held = FirstAbove(file, 0);
  for (size_t i = 0; i < 2 * 441; ++i) ASSERT_NEAR(mix[heard + i], file[held + i], 2) << i;
}

TEST_F(FmodDisk, StreamLoopsUntilStoppedAndTakesItsVolume) {
  FMOD::Sound* loop = nullptr;
  ASSERT_EQ(system->createStream(File("short.wav").c_str(), FMOD_SOFTWARE | FMOD_LOOP_NORMAL,
                                 nullptr, &loop),
            FMOD_OK);
  FMOD::Channel* channel = nullptr;
  system->playSound(FMOD_CHANNEL_FREE, loop, false, &channel);
  ASSERT_NE(channel, nullptr);
  EXPECT_EQ(channel->setVolume(0.25f), FMOD_OK);
  SleepMs(400);
  EXPECT_EQ(ChannelsPlaying(), 1) << "a 0.1 s stream still plays after 0.4 s";
  EXPECT_EQ(channel->stop(), FMOD_OK);
  SleepMs(200);
  EXPECT_EQ(ChannelsPlaying(), 0) << "a stopped play fades out, then ends";
  std::vector<int16_t> mix = Finish();
  size_t start = FirstAbove(mix, 0);
  ASSERT_LT(start + 2 * 44100 / 5, mix.size());
  // Well past the start, the loop sounds at a quarter of the tone's level.
  EXPECT_NEAR(Peak(mix, start + 8192, start + 2 * 44100 / 5), 16384 / 4, 100);
  // After the stop the output is silent.
  ASSERT_GT(mix.size(), 2u * 4410u);
  EXPECT_EQ(Peak(mix, mix.size() - 2 * 2205, mix.size()), 0);
}

TEST_F(FmodDisk, AStreamOfAFewMillisecondsLoopsDozensOfTimesUntilStopped) {
  // 220 frames holding two whole periods, so the loop has no seam.
  const size_t frames = 220;
  dir.Write("tick.wav", ToneWav(frames / 44100.0, 2 * 44100.0 / frames, 0.5));
  FMOD::Sound* tick = nullptr;
  ASSERT_EQ(system->createStream(File("tick.wav").c_str(), FMOD_SOFTWARE | FMOD_LOOP_NORMAL,
                                 nullptr, &tick),
            FMOD_OK);
  FMOD::Channel* channel = nullptr;
  system->playSound(FMOD_CHANNEL_FREE, tick, false, &channel);
  ASSERT_NE(channel, nullptr);
  SleepMs(600);
  EXPECT_EQ(ChannelsPlaying(), 1) << "a 5 ms stream still plays after 0.6 s";
  EXPECT_EQ(channel->setVolume(1.0f), FMOD_OK);
  EXPECT_EQ(channel->stop(), FMOD_OK);
  SleepMs(100);
  EXPECT_EQ(ChannelsPlaying(), 0);
  std::vector<int16_t> mix = Finish();
  // Walk the output one loop at a time from the first sound: each loop carries the tone.
  size_t at = FirstAbove(mix, 0) & ~(size_t)1;
  int loops = 0;
  for (; at + 2 * frames <= mix.size(); at += 2 * frames, ++loops)
    if (Peak(mix, at, at + 2 * frames) < 16384 * 9 / 10) break;
  // 0.6 s is about 120 loops; allow for a slow start of the output.
  EXPECT_GE(loops, 60) << "the stream stopped after " << loops << " loops";
  // Each loop runs on into the next with no gap: no step larger than the tone's own (936), up
  // to the last whole loop (the stop may cut the one after it).
  int step = 0;
  for (size_t i = (FirstAbove(mix, 0) & ~(size_t)1) + 2; i + 2 * frames < at; ++i)
    step = std::max(step, std::abs(mix[i] - mix[i - 2]));
  EXPECT_LE(step, 1100) << "a jump where the stream loops";
  // Nothing follows the stop.
  ASSERT_GT(mix.size(), at + 2 * 2205);
  EXPECT_EQ(Peak(mix, at + 2 * frames, mix.size()), 0);
}

// The main thread keeps starting a looping play on the first channel that a
// blip gives back, while SDL_mixer's thread ends the blips. A late report of a
// blip's end must not take control away from the new play: its handle sets
// its volume and stops it, round after round.
TEST_F(FmodDisk, EveryHandleControlsItsPlayWhilePlaysEndAroundIt) {
  dir.Write("blip.wav", ToneWav(0.003, 1000.0, 0.5));
  dir.Write("loop.wav", ToneWav(0.003, 500.0, 0.5));
  FMOD::Sound* blip = nullptr;
  FMOD::Sound* loop = nullptr;
  ASSERT_EQ(system->createSound(File("blip.wav").c_str(), FMOD_HARDWARE, nullptr, &blip), FMOD_OK);
  ASSERT_EQ(system->createStream(File("loop.wav").c_str(), FMOD_SOFTWARE | FMOD_LOOP_NORMAL,
                                 nullptr, &loop),
            FMOD_OK);
  // The loop's data, to tell its channel from those of the blips.
  FMOD::Channel* first = nullptr;
  system->playSound(FMOD_CHANNEL_FREE, loop, false, &first);
  ASSERT_NE(first, nullptr);
  ASSERT_EQ(Mix_Playing(0), 1);
  const Mix_Chunk* looped = Mix_GetChunk(0);
  ASSERT_EQ(first->stop(), FMOD_OK);

  using Clock = std::chrono::steady_clock;
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(MIX_DEADLINE_MS);
  int rounds = 0;
  while (rounds < 20 && Clock::now() < end) {
    // All 32 channels take a blip; SDL_mixer's next mix ends them all.
    while (system->playSound(FMOD_CHANNEL_FREE, blip, false, nullptr) == FMOD_OK) {
    }
    FMOD::Channel* handle = nullptr;
    while (system->playSound(FMOD_CHANNEL_FREE, loop, false, &handle) != FMOD_OK &&
           Clock::now() < end) {
    }
    if (!handle) break;
    int at = -1;
    for (int i = 0; i < 32; ++i)
      if (Mix_Playing(i) && Mix_GetChunk(i) == looped) at = i;
    ASSERT_GE(at, 0) << "round " << rounds;
    float volume = 0.1f * (1 + rounds % 9);
    ASSERT_EQ(handle->setVolume(volume), FMOD_OK)
        << "round " << rounds << ": the handle lost its play on channel " << at;
    ASSERT_EQ(Mix_Volume(at, -1), (int)(volume * MIX_MAX_VOLUME + 0.5f)) << "round " << rounds;
    ASSERT_EQ(handle->stop(), FMOD_OK) << "round " << rounds;
    ASSERT_TRUE(Ends(at)) << "round " << rounds << ": the loop plays on";
    ++rounds;
  }
  // A round takes two mixes of SDL_mixer's (some 20 a second): the stop fades out, then ends.
  EXPECT_GE(rounds, 20);
}

// Each play of a stream reads on a thread of its own, which goes with its file once stopped.
TEST_F(FmodDisk, TwoHundredPlaysOfAStreamLeaveNoThreadOrFileOpen) {
  FMOD::Sound* loop = nullptr;
  system->createStream(File("long.wav").c_str(), FMOD_LOOP_NORMAL, nullptr, &loop);
  const auto count = [](const char* dir) {
    return std::distance(std::filesystem::directory_iterator(dir), {});
  };
  const auto files = count("/proc/self/fd"), threads = count("/proc/self/task");
  FMOD::Channel* channel = nullptr;
  for (int plays = 0; plays < 200;) {
    if (system->playSound(FMOD_CHANNEL_FREE, loop, false, &channel) != FMOD_OK) SleepMs(5);
    if (channel && channel->stop() == FMOD_OK) ++plays;
  }
  Eventually(
      [&] { return count("/proc/self/fd") <= files && count("/proc/self/task") <= threads; });
  EXPECT_EQ(count("/proc/self/fd"), files);
  EXPECT_EQ(count("/proc/self/task"), threads);
}

TEST_F(FmodDisk, StaleHandleLeavesTheNextSoundOnItsChannelAlone) {
  FMOD::Sound* first = nullptr;
  FMOD::Sound* second = nullptr;
  system->createSound(File("short.wav").c_str(), FMOD_HARDWARE, nullptr, &first);
  system->createStream(File("long.wav").c_str(), FMOD_SOFTWARE | FMOD_LOOP_NORMAL, nullptr,
                       &second);
  FMOD::Channel* old_handle = nullptr;
  system->playSound(FMOD_CHANNEL_FREE, first, false, &old_handle);
  ASSERT_NE(old_handle, nullptr);
  SleepMs(400);
  ASSERT_EQ(ChannelsPlaying(), 0);
  // Ended, channel not reused yet: nothing to act on.
  EXPECT_NE(old_handle->stop(), FMOD_OK);

  // The freed channel is taken by the next play.
  FMOD::Channel* new_handle = nullptr;
  system->playSound(FMOD_CHANNEL_FREE, second, false, &new_handle);
  ASSERT_NE(new_handle, nullptr);
  ASSERT_EQ(ChannelsPlaying(), 1);
  int used = -1;
  for (int i = 0; i < 32; ++i)
    if (Mix_Playing(i)) used = i;
  ASSERT_EQ(used, 0) << "the test needs the channel to be reused";

  EXPECT_NE(old_handle->setVolume(0.0f), FMOD_OK);
  EXPECT_NE(old_handle->stop(), FMOD_OK);
  EXPECT_EQ(ChannelsPlaying(), 1);
  EXPECT_EQ(Mix_Volume(used, -1), MIX_MAX_VOLUME);
  SleepMs(300);
  std::vector<int16_t> mix = Finish();
  // The long tone is still sounding at the end of the output, at full level.
  ASSERT_GT(mix.size(), 8820u);
  EXPECT_NEAR(Peak(mix, mix.size() - 8820, mix.size()), 8192, 200);
}

TEST_F(FmodDisk, EverySoundGetsFullVolumeOnAChannelThatWasTurnedDown) {
  FMOD::Sound* loop = nullptr;
  FMOD::Sound* tone = nullptr;
  system->createStream(File("long.wav").c_str(), FMOD_SOFTWARE | FMOD_LOOP_NORMAL, nullptr, &loop);
  system->createSound(File("short.wav").c_str(), FMOD_HARDWARE, nullptr, &tone);
  FMOD::Channel* music = nullptr;
  system->playSound(FMOD_CHANNEL_FREE, loop, false, &music);
  music->setVolume(0.1f);
  music->stop();
  ASSERT_TRUE(Ends(0));
  system->playSound(FMOD_CHANNEL_FREE, tone, false, nullptr);
  ASSERT_EQ(Mix_Playing(0), 1);
  EXPECT_EQ(Mix_Volume(0, -1), MIX_MAX_VOLUME);
}

TEST_F(FmodDisk, ReleasingAPlayingSoundStopsIt) {
  FMOD::Sound* loop = nullptr;
  system->createStream(File("long.wav").c_str(), FMOD_SOFTWARE | FMOD_LOOP_NORMAL, nullptr, &loop);
  FMOD::Channel* channel = nullptr;
  system->playSound(FMOD_CHANNEL_FREE, loop, false, &channel);
  ASSERT_EQ(ChannelsPlaying(), 1);
  EXPECT_EQ(loop->release(), FMOD_OK);
  EXPECT_EQ(ChannelsPlaying(), 0);
  EXPECT_NE(channel->stop(), FMOD_OK);
}

TEST_F(FmodDisk, SoundsOfOneFileAreSeparateHandles) {
  FMOD::Sound* a = nullptr;
  FMOD::Sound* b = nullptr;
  system->createStream(File("long.wav").c_str(), FMOD_SOFTWARE | FMOD_LOOP_NORMAL, nullptr, &a);
  system->createStream(File("long.wav").c_str(), FMOD_SOFTWARE | FMOD_LOOP_NORMAL, nullptr, &b);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, a);
  system->playSound(FMOD_CHANNEL_FREE, a, false, nullptr);
  system->playSound(FMOD_CHANNEL_FREE, b, false, nullptr);
  ASSERT_EQ(ChannelsPlaying(), 2);
  // Releasing one stops only its own play.
  a->release();
  EXPECT_EQ(ChannelsPlaying(), 1);
  b->release();
  EXPECT_EQ(ChannelsPlaying(), 0);
}

TEST_F(FmodDisk, AFileChangedOnDiskIsReadAgain) {
  FMOD::Sound* before = nullptr;
  system->createSound(File("short.wav").c_str(), FMOD_HARDWARE, nullptr, &before);
  dir.Write("short.wav", ToneWav(1.5, 440.0, 0.5));
  FMOD::Sound* after = nullptr;
  system->createSound(File("short.wav").c_str(), FMOD_HARDWARE, nullptr, &after);
  system->playSound(FMOD_CHANNEL_FREE, before, false, nullptr);
  system->playSound(FMOD_CHANNEL_FREE, after, false, nullptr);
  SleepMs(400);
  EXPECT_EQ(ChannelsPlaying(), 1) << "the new 1.5 s file, not the old 0.1 s one, plays on";
}

TEST_F(FmodDisk, MissingOrBrokenFileIsNamedOnceAndPlaysNothing) {
  dir.Write("broken.wav", "RIFF\x10\0\0\0WAVEjunkjunkjunk");
  FMOD::Sound* missing = reinterpret_cast<FMOD::Sound*>(&dir);
  FMOD::Sound* broken = reinterpret_cast<FMOD::Sound*>(&dir);
  ForgetSaidLines();
  StderrCapture capture;
  EXPECT_NE(system->createSound(File("missing.wav").c_str(), FMOD_HARDWARE, nullptr, &missing),
            FMOD_OK);
  EXPECT_NE(system->createStream(File("broken.wav").c_str(), FMOD_SOFTWARE | FMOD_LOOP_NORMAL,
                                 nullptr, &broken),
            FMOD_OK);
  std::string err = capture.Take();
  EXPECT_EQ(missing, nullptr);
  EXPECT_EQ(broken, nullptr);
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
  std::istringstream lines(err);
  std::string on_missing, on_broken;
  std::getline(lines, on_missing);
  std::getline(lines, on_broken);
  EXPECT_NE(on_missing.find("missing.wav"), std::string::npos) << err;
  // The reason the system gives, not the decoder's complaint about no data.
  EXPECT_NE(on_missing.find(" (No such file or directory)"), std::string::npos) << err;
  EXPECT_NE(on_broken.find("broken.wav"), std::string::npos) << err;
  EXPECT_EQ(on_broken.find("No such file"), std::string::npos) << err;

  FMOD::Channel* channel = reinterpret_cast<FMOD::Channel*>(&dir);
  EXPECT_NE(system->playSound(FMOD_CHANNEL_FREE, missing, false, &channel), FMOD_OK);
  EXPECT_EQ(channel, nullptr);
  EXPECT_EQ(ChannelsPlaying(), 0);
}

// Each file is refused by its decoder, or for decoding past 64 MiB whatever its header says, in
// one line that names it and gives the reason, and no decoder has its own say.
TEST_F(FmodDisk, FilesThatWouldNotPlayAreRefusedWithTheirReason) {
  std::string info(417, '\0');  // one frame of 128 kbit/s whose Info tag claims 100000 frames
  info.replace(0, 4, "\xff\xfb\x90\x64");
  info.replace(36, 12, std::string("Info\0\0\0\x01\0\x01\x86\xa0", 12));
  // MP3 frames in a WAV file, under a 30-byte format chunk of MPEG layer III.
  const std::string frames = BuiltSound("victory.mp3");
  std::string mpeg = WavHeader(0x55, 2, 44100, 16, frames.size());
  mpeg.replace(16, 1, "\x1e")
      .insert(36, std::string("\x0c\0\x01\0\x02\0\0\0\x72\x02\x01\0\0\0", 14));
  mpeg += frames;
  const struct {
    const char* name;
    std::string bytes;
    const char* why;
  } cases[] = {
      // Before, "malloc(): invalid size" and SIGABRT; now 6087 s once at 44.1 kHz.
      {"slow.wav", WavHeader(1, 1, 1, 8, 6087) + std::string(6087, '\x80'),
       "(longer than 190 s: more than 64 MiB decoded)"},
      // An hour and a half at 8 kHz, made sparse below; before, SIGSEGV.
      {"hours.wav", WavHeader(1, 1, 8000, 8, 44739243),
       "(longer than 190 s: more than 64 MiB decoded)"},
      {"tune.wav", MidiFile(), "(not a WAV file)"},
      {"silent.wav", WavHeader(1, 0, 44100, 16, 1800) + std::string(1800, '\0'),
       "(Channel count is zero)"},
      {"mpeg.wav", mpeg, "(MPEG audio inside a WAV file)"},
      {"empty.wav", WavHeader(1, 1, 44100, 16, 0), "(no audio frames)"},
      {"riff.mp3", ToneWav(0.1, 440.0, 0.5), "(no MP3 frame)"},
      {"hours.mp3", info, "(no MP3 frame)"},
      // 320 s behind the first copy's tag of 40 s; before, accepted and 107 MiB decoded.
      {"eight.mp3", Joined("ambient1.mp3", 8), "(longer than 190 s: more than 64 MiB decoded)"},
  };
  for (const auto& c : cases) {
    ForgetSaidLines();
    dir.Write(c.name, c.bytes);
    if (std::string(c.name) == "hours.wav")
      std::filesystem::resize_file(File(c.name), 44 + 44739243);
    FMOD::Sound* sound = reinterpret_cast<FMOD::Sound*>(&dir);
    StderrCapture capture;
    EXPECT_NE(system->createSound(File(c.name).c_str(), FMOD_HARDWARE, nullptr, &sound), FMOD_OK)
        << c.name;
    std::string err = capture.Take();
    EXPECT_EQ(sound, nullptr) << c.name;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(err.rfind("Kelvara: cannot load the sound file " + File(c.name), 0), 0u) << err;
    EXPECT_NE(err.find(c.why), std::string::npos) << err;
  }
  EXPECT_EQ(ChannelsPlaying(), 0);
}

// Files whose frames the decoders accept load quietly and play, damaged or not; a stream of any
// length plays, since it is decoded as it goes.
TEST_F(FmodDisk, FilesTheDecodersAcceptPlayQuietly) {
  const std::string music = BuiltSound("ambient1.mp3");
  std::string bytes = WavHeader(1, 1, 8000, 8, 4000);
  for (int i = 0; i < 4000; ++i) bytes += (char)(128 + std::lround(64 * std::sin(i * 0.25)));
  // A float tone at a quarter of full scale whose every fourth sample is not a number.
  std::string nan = WavHeader(3, 1, 44100, 32, 4 * 22050);
  for (int i = 0; i < 22050; ++i) {
    const float odd[] = {NAN, INFINITY, -INFINITY};
    const float x = i % 4 == 3 ? odd[i / 4 % 3] : 0.25f * (float)std::sin(i * 0.0627);
    nan.append(reinterpret_cast<const char*>(&x), sizeof x);
  }
  const int wav = SF_FORMAT_WAV | SF_FORMAT_PCM_16, mp3 = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
  const std::string part = ToneFile(mp3, 2.0, 44100, {440, 440});
  const struct {
    const char* name;
    std::string bytes;
    bool stream;
    // Decoded whole, and looped over two passes as a stream plays it: its length, peak and the
    // pitch of each side at some times in.
    double seconds = 0.0;
    int peak = 0;
    std::vector<std::array<double, 3>> pitches = {};
  } cases[] = {
      {"tagged.mp3",
       std::string("ID3\x04\0\0\0\0\0\x10", 10) + std::string(16, '\0') + BuiltSound("victory.mp3"),
       false},
      // The MP3 decoder used to complain in some 860 lines of its own.
      {"damaged.mp3", DamagedMp3(), false},
      {"two.mp3", Joined("ambient1.mp3", 2), false},
      {"cut.mp3", music.substr(0, music.size() / 3), false},
      {"untagged.mp3", music.substr(417), false},
      {"eight.mp3", Joined("ambient1.mp3", 8), true},
      {"stereo.wav", ToneFile(wav, 1.0, 44100, {440, 660}), false, 1.0, 16384, {{0.5, 440, 660}}},
      // Joined parts in their own formats, the first one's end (where the second's format was
      // announced) included; before, 480 Hz there, and the stream did not loop.
      {"rates.mp3",
       part + ToneFile(mp3, 2.0, 48000, {880, 880}),
       true,
       4.0,
       16384,
       {{1.0, 440, 440}, {1.88, 440, 440}, {3.0, 880, 880}}},
      // Before, 0.6 s of 110 Hz and 4.49 s in all.
      {"mono.mp3",
       part + ToneFile(mp3, 2.0, 22050, {880}),
       false,
       4.0,
       16384,
       {{1.88, 440, 440}, {3.0, 880, 880}}},
      {"nan.wav", nan, false, 0.5, 8192},
      {"byte.wav", bytes, false},
  };
  StderrCapture err;
  FMOD::Sound* sound = nullptr;
  for (const auto& c : cases) {
    dir.Write(c.name, c.bytes);
    const std::string file = File(c.name);
    std::vector<int16_t> whole, looped;
    if (c.seconds > 0) {
      ASSERT_TRUE(Decode(file, &whole)) << c.name;
      ASSERT_TRUE(Decode(file, &looped, whole.size())) << c.name;
      const double length = whole.size() / 2 / 44100.0;
      EXPECT_NEAR(length, c.seconds, 0.1) << c.name;
      EXPECT_NEAR(Peak(whole, 0, whole.size()), c.peak, c.peak / 20) << c.name;
      EXPECT_NEAR(Peak(looped, whole.size(), looped.size()), c.peak, c.peak / 20) << c.name;
      for (const auto& [at, left, right] : c.pitches)
        for (const auto& [decoded, from] : {std::make_pair(&whole, 0.0), {&looped, length}}) {
          EXPECT_NEAR(Pitch(*decoded, 0, from + at), left, 15) << c.name << " at " << from + at;
          EXPECT_NEAR(Pitch(*decoded, 1, from + at), right, 15) << c.name << " at " << from + at;
        }
    }
    ASSERT_EQ(c.stream ? system->createStream(file.c_str(), FMOD_LOOP_NORMAL, nullptr, &sound)
                       : system->createSound(file.c_str(), FMOD_HARDWARE, nullptr, &sound),
              FMOD_OK)
        << c.name;
    system->playSound(FMOD_CHANNEL_FREE, sound, false, nullptr);
    EXPECT_EQ(ChannelsPlaying(), 1) << c.name;
    if (std::string(c.name) != "byte.wav") sound->release();
  }
  EXPECT_EQ(err.Take(), "");
  SleepMs(800);
  std::vector<int16_t> mix = Finish();
  // At the end, half a second of the 8 kHz tone at a quarter of full scale: 64 steps of 8 bits.
  size_t loud = 0;
  for (int16_t v : mix) loud += std::abs(v) > 8192;
  EXPECT_NEAR(Peak(mix, mix.size() / 2, mix.size()), 16384, 600);
  EXPECT_NEAR(loud, 2 * 44100 / 2 * 2 / 3, 44100 / 10);
}

TEST_F(FmodDisk, PlaysUpToThirtyTwoAtOnce) {
  FMOD::Sound* loop = nullptr;
  system->createStream(File("long.wav").c_str(), FMOD_SOFTWARE | FMOD_LOOP_NORMAL, nullptr, &loop);
  for (int i = 0; i < 32; ++i)
    EXPECT_EQ(system->playSound(FMOD_CHANNEL_FREE, loop, false, nullptr), FMOD_OK);
  EXPECT_EQ(ChannelsPlaying(), 32);
  FMOD::Channel* extra = reinterpret_cast<FMOD::Channel*>(&dir);
  EXPECT_NE(system->playSound(FMOD_CHANNEL_FREE, loop, false, &extra), FMOD_OK);
  EXPECT_EQ(extra, nullptr);
  EXPECT_EQ(ChannelsPlaying(), 32);
  // Eight times full scale, brought down to just under -1 dBFS, not clipped and not silenced.
  SleepMs(200);
  std::vector<int16_t> mix = Finish();
  EXPECT_LT(Peak(mix, 0, mix.size()), 29200);
  EXPECT_GT(Peak(mix, 0, mix.size()), 28500);
}

TEST(Fmod, SystemsComeAndGoAndShareTheOutput) {
  TempDir dir;
  dir.Write("long.wav", ToneWav(2.0, 330.0, 0.25));
  std::string file = dir.Path() + "/long.wav";
  UseDriver("dummy");
  for (int round = 0; round < 2; ++round) {
    FMOD::System* a = nullptr;
    FMOD::System* b = nullptr;
    FMOD::System_Create(&a);
    FMOD::System_Create(&b);
    ASSERT_EQ(a->init(32, FMOD_INIT_NORMAL, nullptr), FMOD_OK);
    ASSERT_EQ(b->init(32, FMOD_INIT_NORMAL, nullptr), FMOD_OK);
    FMOD::Sound* sa = nullptr;
    FMOD::Sound* sb = nullptr;
    a->createStream(file.c_str(), FMOD_SOFTWARE | FMOD_LOOP_NORMAL, nullptr, &sa);
    b->createStream(file.c_str(), FMOD_SOFTWARE | FMOD_LOOP_NORMAL, nullptr, &sb);
    ASSERT_NE(sa, nullptr);
    ASSERT_NE(sb, nullptr);
    FMOD::Channel* ca = nullptr;
    a->playSound(FMOD_CHANNEL_FREE, sa, false, &ca);
    b->playSound(FMOD_CHANNEL_FREE, sb, false, nullptr);
    EXPECT_EQ(ChannelsPlaying(), 2);
    // A system's own sounds go with it; the other one keeps playing.
    a->release();
    EXPECT_EQ(ChannelsPlaying(), 1);
    // A sound of the other system is no sound of this one.
    FMOD::Sound* other = nullptr;
    FMOD::System* c = nullptr;
    FMOD::System_Create(&c);
    c->init(32, FMOD_INIT_NORMAL, nullptr);
    c->createSound(file.c_str(), FMOD_HARDWARE, nullptr, &other);
    EXPECT_NE(b->playSound(FMOD_CHANNEL_FREE, other, false, nullptr), FMOD_OK);
    c->release();
    b->release();
    EXPECT_EQ(ChannelsPlaying(), 0);
  }
}

TEST(Fmod, NoDeviceStillInitialisesAndSaysSoOnce) {
  TempDir dir;
  dir.Write("short.wav", ToneWav(0.1, 440.0, 0.5));
  std::string file = dir.Path() + "/short.wav";
  UseDriver("nonexistent");
  FMOD::System* system = nullptr;
  FMOD::System_Create(&system);
  ForgetSaidLines();
  StderrCapture capture;
  EXPECT_EQ(system->init(32, FMOD_INIT_NORMAL, nullptr), FMOD_OK);
  std::string err = capture.Take();
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_EQ(err.find("Kelvara: no audio device ("), 0u) << err;
  FMOD::Sound* tone = nullptr;
  system->createSound(file.c_str(), FMOD_HARDWARE, nullptr, &tone);
  FMOD::Channel* channel = nullptr;
  system->playSound(FMOD_CHANNEL_FREE, tone, false, &channel);
  if (channel) {
    channel->setVolume(0.5f);
    channel->stop();
  }
  EXPECT_EQ(system->update(), FMOD_OK);
  EXPECT_EQ(system->release(), FMOD_OK);
}

// A tone that starts at its peak, as a sample and then as a stream: each start rises over the
// fade-in, with no step larger than the tone's own (about 1030).
TEST_F(FmodDisk, EveryPlayStartsWithoutAClick) {
  const std::string tone = ToneWav(0.1, 441.0, 0.5);
  dir.Write("peak.wav", WavHeader(1, 1, 44100, 16, tone.size() - 94) + tone.substr(94));
  FMOD::Sound* sample = nullptr;
  FMOD::Sound* stream = nullptr;
  system->createSound(File("peak.wav").c_str(), FMOD_HARDWARE, nullptr, &sample);
  system->createStream(File("peak.wav").c_str(), FMOD_LOOP_NORMAL, nullptr, &stream);
  system->playSound(FMOD_CHANNEL_FREE, sample, false, nullptr);
  SleepMs(300);
  FMOD::Channel* channel = nullptr;
  system->playSound(FMOD_CHANNEL_FREE, stream, false, &channel);
  SleepMs(200);
  ASSERT_NE(channel, nullptr);
  channel->stop();
  std::vector<int16_t> mix = Finish();
  size_t starts = 0;
  for (size_t at = FirstAbove(mix, 0); at < mix.size(); ++starts) {
    int step = 0;
    for (size_t i = std::max<size_t>(at, 2); i < std::min(mix.size(), at + 2 * 441); ++i)
      step = std::max(step, std::abs(mix[i] - mix[i - 2]));
    EXPECT_LE(step, 1100) << "start " << starts;
    // The next start follows 10 ms of silence.
    size_t quiet = 0;
    while (at < mix.size() && quiet < 882) quiet = mix[at++] == 0 ? quiet + 1 : 0;
    while (at < mix.size() && mix[at] == 0) ++at;
  }
  EXPECT_EQ(starts, 2u);
}

// SDL stops a device that goes away; its disk driver does so when a write fails.
TEST(Fmod, ALostOutputIsSaidOnceAndTheGamePlaysOnSilently) {
  TempDir dir;
  dir.Write("short.wav", ToneWav(0.1, 440.0, 0.5));
  const std::string file = dir.Path() + "/short.wav";
  UseDiskOutput("/dev/full");
  ForgetSaidLines();
  StderrCapture capture;
  FMOD::System* system = nullptr;
  FMOD::System_Create(&system);
  ASSERT_EQ(system->init(32, FMOD_INIT_NORMAL, nullptr), FMOD_OK);
  FMOD::Sound* tone = nullptr;
  system->createSound(file.c_str(), FMOD_HARDWARE, nullptr, &tone);
  system->playSound(FMOD_CHANNEL_FREE, tone, false, nullptr);
  SleepMs(300);
  // The frame's update finds the loss, before anything else asks.
  EXPECT_EQ(system->update(), FMOD_OK);
  EXPECT_EQ(capture.Take(), "Kelvara: the sound output was lost; the game runs silently\n");
  EXPECT_EQ(ChannelsPlaying(), 0);
  StderrCapture after;
  system->playSound(FMOD_CHANNEL_FREE, tone, false, nullptr);
  EXPECT_EQ(system->update(), FMOD_OK);
  EXPECT_EQ(ChannelsPlaying(), 0);
  EXPECT_EQ(system->release(), FMOD_OK);
  EXPECT_EQ(after.Take(), "");
}

// The limiter on steady levels (the same on both sides), seen through the gain it gives each
// frame: its output over the input it delayed.
TEST(Limiter, PassesQuietSoundAndGlidesAndRecoversAsItClaims) {
  const int ahead = FMOD::Limiter::LOOKAHEAD;
  const double ceiling = 0.891, loud = 1.5, need = ceiling / loud;
  const struct {
    const char* what;
    std::vector<std::pair<float, int>> levels;  // level, frames
    std::function<void(const std::vector<double>& gain)> check;
  } cases[] = {
      {"samples that are not numbers come out as silence, not a level at the ceiling",
       {{NAN, 4410}, {INFINITY, 4410}, {-INFINITY, 4410}, {0.5f, 4410}},
       [](const std::vector<double>& gain) {
         for (size_t i = 0; i < gain.size(); ++i) ASSERT_EQ(gain[i], i < 3 * 4410 ? 0.0 : 1.0);
       }},
      {"a sound under the ceiling passes sample for sample",
       {{0.3f, 4410}, {0.89f, 4410}, {-0.8f, 4410}},
       [](const std::vector<double>& gain) {
         for (double g : gain) ASSERT_EQ(g, 1.0);
       }},
      {"a step from quiet to loud glides down over the look-ahead",
       {{0.1f, 4410}, {(float)loud, 4410}},
       [&](const std::vector<double>& gain) {
         for (size_t i = 1; i < gain.size(); ++i)
           ASSERT_LE(std::fabs(gain[i] - gain[i - 1]), (1.0 - need) / ahead * 1.01) << i;
         EXPECT_NEAR(gain.back(), need, 0.001);
       }},
      {"after a loud burst the gain comes back with the 100 ms release",
       {{(float)loud, 4410}, {0.5f, 44100}},
       [&](const std::vector<double>& gain) {
         const auto after = [&](double ms) { return gain[4410 + (size_t)(ms * 44.1)]; };
         EXPECT_NEAR(after(10), 1.0 - (1.0 - need) * std::exp(-0.1), 0.02);
         EXPECT_NEAR(after(100), 1.0 - (1.0 - need) * std::exp(-1.0), 0.02);
         EXPECT_GT(after(500), 0.99);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<float> in;
    for (const auto& [level, frames] : c.levels) in.insert(in.end(), 2 * frames, level);
    std::vector<float> out = in;
    FMOD::Limiter limiter;
    limiter.Reset();
    limiter.Process(out.data(), (int)out.size() / 2);
    std::vector<double> gain;
    for (size_t f = ahead; f < out.size() / 2; ++f) {
      ASSERT_LE(std::fabs(out[2 * f]), ceiling);
      // Where the input is not a number, what came out.
      const float was = in[2 * (f - ahead)];
      gain.push_back(std::isfinite(was) ? out[2 * f] / was : out[2 * f]);
    }
    c.check(gain);
  }
}

TEST(Fmod, CallsBeforeInitFailCleanly) {
  FMOD::System* system = nullptr;
  FMOD::System_Create(&system);
  FMOD::Sound* sound = reinterpret_cast<FMOD::Sound*>(&system);
  EXPECT_NE(system->createSound("Sounds/none.wav", FMOD_HARDWARE, nullptr, &sound), FMOD_OK);
  EXPECT_EQ(sound, nullptr);
  EXPECT_NE(system->playSound(FMOD_CHANNEL_FREE, nullptr, false, nullptr), FMOD_OK);
  EXPECT_EQ(system->release(), FMOD_OK);
}

}  // namespace
