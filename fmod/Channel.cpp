#include "fmod/Channel.h"

#include "fmod/Mixer.h"
#include "fmod/System.h"

namespace FMOD {

Channel::Channel(System* owner, int index, unsigned generation)
    : owner(owner), index(index), generation(generation) {}

FMOD_RESULT Channel::setVolume(float volume) {
  if (!owner->Live(this)) return FMOD_ERR_INVALID_HANDLE;
  Mixer::SetVolume(index, volume);
  return FMOD_OK;
}

FMOD_RESULT Channel::stop() {
  if (!owner->Live(this)) return FMOD_ERR_INVALID_HANDLE;
  Mixer::Stop(index);
  return FMOD_OK;
}

}  // namespace FMOD
