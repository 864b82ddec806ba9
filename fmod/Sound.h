#pragma once

#include <memory>
#include <string>

#include "fmod/Common.h"

struct Mix_Chunk;

namespace FMOD {

// A sound owned by its System: a sample, decoded whole and played once
// (sounds of the same unchanged file share one decoded copy), or a stream,
// decoded as each of its plays goes and looping until stopped.
class Sound {
public:
  FMOD_RESULT release();

private:
  friend class System;
  Sound(System* owner, std::shared_ptr<Mix_Chunk> chunk, std::string stream_path);
  ~Sound();
  Sound(const Sound&) = delete;
  Sound& operator=(const Sound&) = delete;

  System* owner;
  std::shared_ptr<Mix_Chunk> chunk;
  std::string stream_path;  // the file a stream plays from; empty for a sample
};

}  // namespace FMOD
