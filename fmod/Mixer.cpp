#include "fmod/Mixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include "io/Message.h"

namespace FMOD {

namespace {
enum OutputState { OUTPUT_CLOSED, OUTPUT_OPEN, OUTPUT_SILENT };

const int FREQUENCY = 44100;
const int CHUNK_FRAMES = 1024;
const int OUTPUT_CHANNELS = 2;

// The output stage. Channels are mixed in floating point, where a sum of many loud plays keeps
// its shape, and the limiter then turns the whole mix down just enough, and smoothly, that no
// sample goes above the ceiling (-1 dBFS). Anything under the ceiling passes unchanged, so a
// single sound plays exactly as loud as it is.
class Limiter {
public:
  static const int LOOKAHEAD = FREQUENCY / 500;  // 2 ms: the mix is heard this much later

  void Reset() {
    std::fill(delay, delay + LOOKAHEAD * OUTPUT_CHANNELS, 0.0f);
    std::fill(targets, targets + LOOKAHEAD + 1, 1.0f);
    std::fill(lows, lows + LOOKAHEAD, 1.0f);
    low_sum = LOOKAHEAD;
    gain = 1.0;
    at = 0;
  }

  // Limits interleaved stereo frames in place.
  void Process(float* samples, int frames) {
    for (int f = 0; f < frames; ++f) {
      float* frame = samples + f * OUTPUT_CHANNELS;
      float loudest = 0.0f;
      for (int c = 0; c < OUTPUT_CHANNELS; ++c) loudest = std::max(loudest, std::fabs(frame[c]));
      // The gain this frame needs, and the lowest that any frame now in the delay needs.
      targets[at % (LOOKAHEAD + 1)] = loudest > CEILING ? CEILING / loudest : 1.0f;
      float low = *std::min_element(targets, targets + LOOKAHEAD + 1);
      // Averaged over the look-ahead, the gain glides down before a peak leaves the delay
      // and never lies above what that peak needs.
      low_sum += low - lows[at % LOOKAHEAD];
      lows[at % LOOKAHEAD] = low;
      double glide = std::min(1.0, low_sum / LOOKAHEAD);
      gain = std::min(glide, gain + (1.0 - gain) * RELEASE);
      for (int c = 0; c < OUTPUT_CHANNELS; ++c) {
        float& slot = delay[(at % LOOKAHEAD) * OUTPUT_CHANNELS + c];
        float out = (float)(slot * gain);
        slot = frame[c];
        frame[c] = std::max(-CEILING, std::min(CEILING, out));
      }
      at = (at + 1) % (LOOKAHEAD * (LOOKAHEAD + 1));
    }
  }

private:
  static constexpr float CEILING = 0.891f;
  // Back towards full gain with a time constant of 100 ms.
  static constexpr double RELEASE = 1.0 / (0.1 * FREQUENCY);

  float delay[LOOKAHEAD * OUTPUT_CHANNELS];
  float targets[LOOKAHEAD + 1];
  float lows[LOOKAHEAD];
  double low_sum;
  double gain;
  int at;
};

Limiter limiter;

// Runs on SDL_mixer's thread after every mix.
void SDLCALL LimitMix(void*, Uint8* stream, int len) {
  limiter.Process(reinterpret_cast<float*>(stream), len / (int)(OUTPUT_CHANNELS * sizeof(float)));
}

int users = 0;
OutputState state = OUTPUT_CLOSED;
// Per channel, the generation of the latest play and of the latest play whose
// end was reported. SDL_mixer's thread writes only `ended`. Its thread marks a
// channel as no longer playing before it reports the end, so a channel is free
// only once both numbers agree: a late report can never fall on a newer play.
std::atomic<unsigned> generations[Mixer::CHANNELS];
std::atomic<unsigned> ended[Mixer::CHANNELS];
const void* owners[Mixer::CHANNELS] = {};

void SDLCALL OnChannelFinished(int channel) {
  if (channel >= 0 && channel < Mixer::CHANNELS) ended[channel].store(generations[channel].load());
}

// Every play so far counts as ended.
void EndAll() {
  for (int i = 0; i < Mixer::CHANNELS; ++i) ended[i].store(generations[i].load());
}

// No play on the channel, and the end of its last play has been reported.
bool Free(int channel) {
  return !Mix_Playing(channel) && ended[channel].load() == generations[channel].load();
}

bool OpenWith(const char* driver) {
  // Signals belong to the program: Ctrl+C and kill must end it.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  std::string saved;
  const char* old = SDL_getenv("SDL_AUDIODRIVER");
  bool had = old != nullptr;
  if (had) saved = old;
  if (driver) SDL_setenv("SDL_AUDIODRIVER", driver, 1);
  bool ok = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  if (driver) {
    if (had)
      SDL_setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    else
      unsetenv("SDL_AUDIODRIVER");
  }
  if (!ok) return false;
  // The mix keeps this format whatever the device takes; SDL converts it for the device.
  if (Mix_OpenAudioDevice(FREQUENCY, AUDIO_F32SYS, OUTPUT_CHANNELS, CHUNK_FRAMES, nullptr, 0) !=
      0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  return true;
}

// The sound libraries under SDL print their own complaints when there is no
// device; keep those off standard error while trying it, so that one line says it.
bool OpenQuietly() {
  std::fflush(stderr);
  int saved = dup(2);
  int null = open("/dev/null", O_WRONLY);
  if (saved >= 0 && null >= 0) dup2(null, 2);
  bool ok = OpenWith(nullptr);
  std::fflush(stderr);
  if (saved >= 0 && null >= 0) dup2(saved, 2);
  if (null >= 0) close(null);
  if (saved >= 0) close(saved);
  return ok;
}

bool Open() {
  EndAll();
  if (!OpenQuietly()) {
    std::string why = SDL_GetError();
    if (!OpenWith("dummy")) {
      Say("no audio device (" + why + "); the game runs silently");
      return false;
    }
    Say("no audio device (" + why + "); using the dummy output, the game runs silently");
  }
  Mix_Init(MIX_INIT_MP3);
  Mix_AllocateChannels(Mixer::CHANNELS);
  Mix_ChannelFinished(OnChannelFinished);
  limiter.Reset();
  Mix_SetPostMix(LimitMix, nullptr);
  return true;
}

void Close() {
  Mix_SetPostMix(nullptr, nullptr);
  Mix_ChannelFinished(nullptr);
  Mix_HaltChannel(-1);
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  EndAll();
}

bool Valid(int index) { return state == OUTPUT_OPEN && index >= 0 && index < Mixer::CHANNELS; }
}  // namespace

bool Mixer::Acquire() {
  if (users++ == 0) state = Open() ? OUTPUT_OPEN : OUTPUT_SILENT;
  return state == OUTPUT_OPEN;
}

void Mixer::Release() {
  if (users == 0) return;
  if (--users == 0) {
    if (state == OUTPUT_OPEN) Close();
    state = OUTPUT_CLOSED;
  }
}

bool Mixer::Active() { return state == OUTPUT_OPEN; }

int Mixer::Start(Mix_Chunk* chunk, const void* owner, bool loop, bool paused, int max_channels,
                 unsigned* generation) {
  if (state != OUTPUT_OPEN || !chunk) return -1;
  if (max_channels > CHANNELS) max_channels = CHANNELS;
  for (int i = 0; i < max_channels; ++i) {
    if (!Free(i)) continue;
    unsigned number = generations[i].load() + 1;
    generations[i].store(number);
    owners[i] = owner;
    Mix_Volume(i, MIX_MAX_VOLUME);
    if (Mix_PlayChannel(i, chunk, loop ? -1 : 0) != i) {
      ended[i].store(number);
      return -1;
    }
    if (paused) Mix_Pause(i);
    if (generation) *generation = number;
    return i;
  }
  return -1;
}

bool Mixer::Live(int index, unsigned generation) {
  return Valid(index) && generations[index].load() == generation &&
         ended[index].load() != generation;
}

void Mixer::Halt(int index) {
  if (Valid(index)) Mix_HaltChannel(index);
}

void Mixer::SetVolume(int index, float volume) {
  if (!Valid(index)) return;
  if (volume < 0.0f) volume = 0.0f;
  if (volume > 1.0f) volume = 1.0f;
  Mix_Volume(index, (int)(volume * MIX_MAX_VOLUME + 0.5f));
}

void Mixer::HaltOwner(const void* owner) {
  if (state != OUTPUT_OPEN || !owner) return;
  for (int i = 0; i < CHANNELS; ++i) {
    if (owners[i] == owner && ended[i].load() != generations[i].load()) Mix_HaltChannel(i);
  }
}

}  // namespace FMOD
