#pragma once

#include "fmod/Common.h"

namespace FMOD {

// Handle of one play: a mixing channel and the play's number on it.
// It acts only while that play is still running on that channel.
class Channel {
public:
  FMOD_RESULT setVolume(float volume);
  FMOD_RESULT stop();

private:
  friend class System;
  Channel(System* owner, int index, unsigned generation);
  Channel(const Channel&) = delete;
  Channel& operator=(const Channel&) = delete;

  System* owner;
  int index;
  unsigned generation;
};

}  // namespace FMOD
