#include "fmod/Sound.h"

#include <SDL_mixer.h>

#include "fmod/Mixer.h"
#include "fmod/System.h"

namespace FMOD {

Sound::Sound(System* owner, std::shared_ptr<Mix_Chunk> chunk, std::string stream_path)
    : owner(owner), chunk(std::move(chunk)), stream_path(std::move(stream_path)) {}

Sound::~Sound() { Mixer::HaltOwner(this); }

FMOD_RESULT Sound::release() {
  owner->Forget(this);
  delete this;
  return FMOD_OK;
}

}  // namespace FMOD
