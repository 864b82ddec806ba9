#include "fmod/System.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "fmod/Channel.h"
#include "fmod/Mixer.h"
#include "fmod/Sound.h"
#include "fmod/SoundFile.h"
#include "io/Message.h"

FMOD_RESULT FMOD_System_Create(FMOD::System** system) {
  if (!system) return FMOD_ERR_INVALID_PARAM;
  *system = new FMOD::System();
  return FMOD_OK;
}

namespace FMOD {

namespace {
// Names a file by where it is, its size and its time; empty if it cannot be read.
std::string FileKey(const char* name) {
  std::error_code error;
  std::filesystem::path path = std::filesystem::canonical(name, error);
  if (error) return std::string();
  auto size = std::filesystem::file_size(path, error);
  if (error) return std::string();
  auto time = std::filesystem::last_write_time(path, error);
  if (error) return std::string();
  return path.string() + "|" + std::to_string(size) + "|" +
         std::to_string(time.time_since_epoch().count());
}

// The same line at every level change, so it is said once.
FMOD_RESULT Refuse(const std::string& name, const std::string& why) {
  Say("cannot load the sound file " + name + " (" + why + "); it stays silent");
  return FMOD_ERR_FILE_BAD;
}

}  // namespace

System::System() : open(false), max_channels(0) {}

System::~System() {}

FMOD_RESULT System::init(int maxchannels, FMOD_INITFLAGS, void*) {
  if (maxchannels < 1 || maxchannels > Mixer::CHANNELS) return FMOD_ERR_INVALID_PARAM;
  if (!open) {
    open = true;
    Mixer::Acquire();
  }
  max_channels = maxchannels;
  return FMOD_OK;
}

FMOD_RESULT System::Create(const char* name, bool stream, Sound** sound) {
  if (!sound) return FMOD_ERR_INVALID_PARAM;
  *sound = nullptr;
  if (!open) return FMOD_ERR_UNINITIALIZED;
  if (!name) return FMOD_ERR_INVALID_PARAM;
  std::shared_ptr<Mix_Chunk> chunk;
  std::string stream_path;
  // Without an output the sound is kept empty and plays nothing.
  if (Mixer::Active()) {
    std::string why;
    if (stream) {
      // Only opened here, to know that it decodes; each play decodes it as it goes.
      SoundFile check;
      if (!check.Open(name, &why)) return Refuse(name, why);
      stream_path = name;
    } else {
      std::string key = FileKey(name);
      if (!key.empty()) chunk = decoded[key].lock();
      if (!chunk) {
        std::vector<float> samples;
        if (!SoundFile::Load(name, &samples, &why)) return Refuse(name, why);
        Mix_Chunk* loaded = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(samples.data()),
                                              (Uint32)(samples.size() * sizeof(float)));
        if (!loaded) return Refuse(name, Mix_GetError());
        // The chunk plays from the decoded samples, which go with it.
        chunk.reset(loaded, [kept = std::move(samples)](Mix_Chunk* c) { Mix_FreeChunk(c); });
        if (!key.empty()) decoded[key] = chunk;
      }
    }
  }
  *sound = new Sound(this, chunk, stream_path);
  sounds.push_back(*sound);
  return FMOD_OK;
}

FMOD_RESULT System::createSound(const char* name, FMOD_MODE, FMOD_CREATESOUNDEXINFO*,
                                Sound** sound) {
  return Create(name, false, sound);
}

FMOD_RESULT System::createStream(const char* name, FMOD_MODE, FMOD_CREATESOUNDEXINFO*,
                                 Sound** sound) {
  return Create(name, true, sound);
}

FMOD_RESULT System::playSound(FMOD_CHANNELINDEX channelid, Sound* sound, bool paused,
                              Channel** channel) {
  if (channel) *channel = nullptr;
  if (!open) return FMOD_ERR_UNINITIALIZED;
  if (!sound || channelid != FMOD_CHANNEL_FREE) return FMOD_ERR_INVALID_PARAM;
  if (std::find(sounds.begin(), sounds.end(), sound) == sounds.end())
    return FMOD_ERR_INVALID_HANDLE;
  if (!sound->chunk && sound->stream_path.empty()) return FMOD_OK;
  unsigned generation = 0;
  int index = Mixer::Start(sound->chunk.get(), sound->stream_path, sound, paused, max_channels,
                           &generation);
  if (index < 0) return FMOD_ERR_CHANNEL_ALLOC;
  if (channel) {
    *channel = new Channel(this, index, generation);
    channels.push_back(*channel);
  }
  return FMOD_OK;
}

FMOD_RESULT System::update() {
  if (!open) return FMOD_ERR_UNINITIALIZED;
  Mixer::Check();
  return FMOD_OK;
}

FMOD_RESULT System::release() {
  for (Sound* sound : sounds) delete sound;
  sounds.clear();
  decoded.clear();
  for (Channel* channel : channels) delete channel;
  channels.clear();
  if (open) Mixer::Release();
  delete this;
  return FMOD_OK;
}

void System::Forget(Sound* sound) {
  sounds.erase(std::remove(sounds.begin(), sounds.end(), sound), sounds.end());
}

bool System::Live(const Channel* channel) const {
  return open && Mixer::Live(channel->index, channel->generation);
}

}  // namespace FMOD
