#include "fmod/Mixer.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "fmod/Limiter.h"
#include "fmod/Stream.h"
#include "io/Message.h"

namespace FMOD {

namespace {
enum OutputState { OUTPUT_CLOSED, OUTPUT_OPEN, OUTPUT_SILENT, OUTPUT_LOST };

const int FREQUENCY = Limiter::RATE;
const int CHUNK_FRAMES = 1024;
const int OUTPUT_CHANNELS = Limiter::CHANNELS;
// A play that would start with a step (its first frame above about -54 dBFS, as after a whole
// mix of silence) fades in over 3 ms; a stopped play fades out over 5 ms, then ends.
const float STEP = 1.0f / 512;
const int RISE_FRAMES = FREQUENCY * 3 / 1000;
const int FALL_FRAMES = FREQUENCY * 5 / 1000;
// SDL keeps at most this many devices open.
const int MAX_DEVICES = 32;

Limiter limiter;

// Runs on SDL_mixer's thread after every mix.
void SDLCALL LimitMix(void*, Uint8* stream, int len) {
  limiter.Process(reinterpret_cast<float*>(stream), len / (int)(OUTPUT_CHANNELS * sizeof(float)));
}

int users = 0;
OutputState state = OUTPUT_CLOSED;
// The output's SDL device (SDL_mixer does not name it), 0 when none was seen running.
SDL_AudioDeviceID device = 0;
// What a streamed play's channel plays, for its stream to write over.
float silence[CHUNK_FRAMES * OUTPUT_CHANNELS];
Mix_Chunk* silent_chunk = nullptr;
// Per channel, the generation of the latest play and of the latest play whose
// end was reported. SDL_mixer's thread writes only `ended`. Its thread marks a
// channel as no longer playing before it reports the end, so a channel is free
// only once both numbers agree: a late report can never fall on a newer play.
std::atomic<unsigned> generations[Mixer::CHANNELS];
std::atomic<unsigned> ended[Mixer::CHANNELS];
const void* owners[Mixer::CHANNELS] = {};
// Per channel, the frames of its play faded in so far (WAITING until it first sounds), and once
// it is stopped, the frames faded out so far (else PLAYING). The game's thread sets both before a
// play starts and marks a stop; SDL_mixer's thread moves them on.
const int WAITING = -1, PLAYING = -1;
std::atomic<int> rise[Mixer::CHANNELS];
std::atomic<int> fall[Mixer::CHANNELS];
// The streams started, for the game's thread to say why one stopped decoding. Never destroyed:
// the game's own static objects release their sounds at exit, after this file's statics go.
std::vector<std::shared_ptr<Stream>>& streams = *new std::vector<std::shared_ptr<Stream>>();

// Raised-cosine gain `done` frames into a fade of `frames`.
float Curve(int done, int frames) { return (float)(0.5 - 0.5 * std::cos(M_PI * done / frames)); }

// Runs on SDL_mixer's thread on each piece of a channel's sound, before it is mixed.
void SDLCALL Shape(int channel, void* stream, int len, void*) {
  if (channel < 0 || channel >= Mixer::CHANNELS) return;
  float* s = static_cast<float*>(stream);
  const int frames = len / (int)(OUTPUT_CHANNELS * sizeof(float));
  int in = rise[channel].load(), out = fall[channel].load();
  const int was = out;
  if (in == WAITING || in >= RISE_FRAMES) {
    // The play sounds again after a whole piece of silence: a fade-in if it starts with a step.
    const bool silent =
        std::all_of(s, s + frames * OUTPUT_CHANNELS, [](float x) { return x == 0; });
    if (silent)
      in = WAITING;
    else if (in == WAITING)
      in = std::fabs(s[0]) > STEP || std::fabs(s[1]) > STEP ? 0 : RISE_FRAMES;
  }
  for (int f = 0; f < frames && ((in >= 0 && in < RISE_FRAMES) || out != PLAYING); ++f) {
    float gain = 1.0f;
    if (in >= 0 && in < RISE_FRAMES) gain = Curve(in++, RISE_FRAMES);
    if (out != PLAYING) gain *= out < FALL_FRAMES ? 1.0f - Curve(out++, FALL_FRAMES) : 0.0f;
    for (int c = 0; c < OUTPUT_CHANNELS; ++c) s[f * OUTPUT_CHANNELS + c] *= gain;
  }
  rise[channel].store(in);
  // A stop marked meanwhile stands until the next piece.
  if (out == PLAYING) return;
  fall[channel].store(out);
  // Faded out: the channel ends at the next mix.
  if (out >= FALL_FRAMES && was < FALL_FRAMES) Mix_ExpireChannel(channel, 1);
}

// The audio libraries beneath SDL, and SDL's own drivers, talk on standard error when a device
// is missing; the one line of the game says it instead.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

SDL_LogOutputFunction default_log = nullptr;
void* default_log_data = nullptr;

void SDLCALL QuietAudioLog(void*, int category, SDL_LogPriority priority, const char* message) {
  if (category != SDL_LOG_CATEGORY_AUDIO && default_log)
    default_log(default_log_data, category, priority, message);
}

void Quieten() {
  static bool done = false;
  if (done) return;
  done = true;
  snd_lib_error_set_handler(QuietAlsa);
  SDL_LogGetOutputFunction(&default_log, &default_log_data);
  SDL_LogSetOutputFunction(QuietAudioLog, nullptr);
}

// The device that runs once SDL_mixer has opened it: ours, the only one this process opens.
SDL_AudioDeviceID RunningDevice() {
  for (SDL_AudioDeviceID id = 1; id <= MAX_DEVICES; ++id)
    if (SDL_GetAudioDeviceStatus(id) != SDL_AUDIO_STOPPED) return id;
  return 0;
}

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

bool Open() {
  EndAll();
  Quieten();
  if (!OpenWith(nullptr)) {
    std::string why = SDL_GetError();
    if (!OpenWith("dummy")) {
      Say("no audio device (" + why + "); the game runs silently");
      return false;
    }
    Say("no audio device (" + why + "); using the dummy output, the game runs silently");
  }
  device = RunningDevice();
  silent_chunk = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(silence), sizeof silence);
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
  if (silent_chunk) Mix_FreeChunk(silent_chunk);
  silent_chunk = nullptr;
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  device = 0;
  streams.clear();
  EndAll();
}

bool Valid(int index) { return state == OUTPUT_OPEN && index >= 0 && index < Mixer::CHANNELS; }
}  // namespace

void Mixer::Acquire() {
  if (users++ == 0) state = Open() ? OUTPUT_OPEN : OUTPUT_SILENT;
}

void Mixer::Release() {
  if (users == 0) return;
  if (--users == 0) {
    if (state == OUTPUT_OPEN || state == OUTPUT_LOST) Close();
    state = OUTPUT_CLOSED;
  }
}

bool Mixer::Active() {
  Check();
  return state == OUTPUT_OPEN;
}

void Mixer::Check() {
  for (const std::shared_ptr<Stream>& stream : streams) stream->Report();
  streams.erase(std::remove_if(streams.begin(), streams.end(),
                               [](const std::shared_ptr<Stream>& s) { return s->Stopped(); }),
                streams.end());
  if (state != OUTPUT_OPEN) return;
  if (device != 0 && SDL_GetAudioDeviceStatus(device) != SDL_AUDIO_STOPPED) return;
  // SDL stops a device that went away (or could not be written to) and gives no reason.
  state = OUTPUT_LOST;
  Mix_HaltChannel(-1);
  Say("the sound output was lost; the game runs silently");
}

int Mixer::Start(Mix_Chunk* chunk, const std::string& stream_path, const void* owner, bool paused,
                 int max_channels, unsigned* generation) {
  Check();
  // A stream's channel plays silence, over which the stream writes.
  if (!stream_path.empty()) chunk = silent_chunk;
  if (state != OUTPUT_OPEN || !chunk) return -1;
  if (max_channels > CHANNELS) max_channels = CHANNELS;
  for (int i = 0; i < max_channels; ++i) {
    if (!Free(i)) continue;
    unsigned number = generations[i].load() + 1;
    generations[i].store(number);
    owners[i] = owner;
    Mix_Volume(i, MIX_MAX_VOLUME);
    // The effects go on before the play starts, so that its first mix has them; a stream
    // writes its sound first, then the fades apply to it like to any other.
    rise[i].store(WAITING);
    fall[i].store(PLAYING);
    bool ready = true;
    if (!stream_path.empty()) {
      std::shared_ptr<Stream> stream = Stream::Play(stream_path);
      auto* share = stream ? new std::shared_ptr<Stream>(stream) : nullptr;
      ready = share && Mix_RegisterEffect(i, Stream::Fill, Stream::Done, share) != 0;
      if (ready)
        streams.push_back(stream);
      else if (stream)
        Stream::Done(i, share);
    }
    ready = ready && Mix_RegisterEffect(i, Shape, nullptr, nullptr) != 0;
    if (!ready || Mix_PlayChannel(i, chunk, stream_path.empty() ? 0 : -1) != i) {
      Mix_UnregisterAllEffects(i);
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
         ended[index].load() != generation && fall[index].load() == PLAYING;
}

void Mixer::Stop(int index) {
  if (!Valid(index)) return;
  int playing = PLAYING;
  fall[index].compare_exchange_strong(playing, 0);
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
