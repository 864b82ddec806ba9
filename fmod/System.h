#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fmod/Common.h"

struct Mix_Chunk;

namespace FMOD {
class System;
}

// Creates a system; the caller releases it with System::release.
FMOD_RESULT FMOD_System_Create(FMOD::System** system);

namespace FMOD {

// The sound system: opens the audio output, loads sounds and plays them.
class System {
public:
  FMOD_RESULT init(int maxchannels, FMOD_INITFLAGS flags, void* extradriverdata);
  FMOD_RESULT createSound(const char* name, FMOD_MODE mode, FMOD_CREATESOUNDEXINFO* exinfo,
                          Sound** sound);
  FMOD_RESULT createStream(const char* name, FMOD_MODE mode, FMOD_CREATESOUNDEXINFO* exinfo,
                           Sound** sound);
  FMOD_RESULT playSound(FMOD_CHANNELINDEX channelid, Sound* sound, bool paused, Channel** channel);
  FMOD_RESULT update();
  FMOD_RESULT release();

private:
  friend FMOD_RESULT(::FMOD_System_Create)(System** system);
  friend class Sound;
  friend class Channel;
  System();
  ~System();
  System(const System&) = delete;
  System& operator=(const System&) = delete;

  // A stream is decoded as it plays and loops; any other sound is decoded whole.
  FMOD_RESULT Create(const char* name, bool stream, Sound** sound);
  void Forget(Sound* sound);
  bool Live(const Channel* channel) const;

  bool open;
  int max_channels;
  std::vector<Sound*> sounds;
  std::vector<Channel*> channels;
  // Decoded samples by path, size and time, shared while any sound holds them.
  std::map<std::string, std::weak_ptr<Mix_Chunk>> decoded;
};

inline FMOD_RESULT System_Create(System** system) { return FMOD_System_Create(system); }

}  // namespace FMOD
