#include "fmod/Mixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <cstdlib>
#include <string>

#include "fmod/Limiter.h"
#include "fmod/StderrTrap.h"
#include "io/Message.h"

namespace FMOD {

namespace {
enum OutputState { OUTPUT_CLOSED, OUTPUT_OPEN, OUTPUT_SILENT };

const int FREQUENCY = Limiter::RATE;
const int CHUNK_FRAMES = 1024;
const int OUTPUT_CHANNELS = Limiter::CHANNELS;

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
  StderrTrap quiet;
  return OpenWith(nullptr);
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
