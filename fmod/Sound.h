#pragma once

#include <memory>

#include "fmod/Common.h"

struct Mix_Chunk;

namespace FMOD {

// A sound owned by its System; plays once or loops. Sounds made from the
// same unchanged file share one decoded copy.
class Sound {
public:
  FMOD_RESULT release();

private:
  friend class System;
  Sound(System* owner, std::shared_ptr<Mix_Chunk> chunk, bool loop);
  ~Sound();
  Sound(const Sound&) = delete;
  Sound& operator=(const Sound&) = delete;

  System* owner;
  std::shared_ptr<Mix_Chunk> chunk;
  bool loop;
};

}  // namespace FMOD
