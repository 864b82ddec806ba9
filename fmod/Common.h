#pragma once

// Types and constants of the sound layer (played through SDL2_mixer).

typedef int FMOD_RESULT;
typedef unsigned int FMOD_MODE;
typedef unsigned int FMOD_INITFLAGS;
typedef int FMOD_CHANNELINDEX;

// Results.
const FMOD_RESULT FMOD_OK = 0;
const FMOD_RESULT FMOD_ERR_INVALID_PARAM = 1;
const FMOD_RESULT FMOD_ERR_INVALID_HANDLE = 2;
const FMOD_RESULT FMOD_ERR_FILE_BAD = 3;
const FMOD_RESULT FMOD_ERR_OUTPUT_INIT = 4;
const FMOD_RESULT FMOD_ERR_CHANNEL_ALLOC = 5;
const FMOD_RESULT FMOD_ERR_UNINITIALIZED = 6;

// Flags of System::init.
const FMOD_INITFLAGS FMOD_INIT_NORMAL = 0x0;

// Modes of createSound / createStream.
const FMOD_MODE FMOD_DEFAULT = 0x0;
const FMOD_MODE FMOD_LOOP_OFF = 0x1;
const FMOD_MODE FMOD_LOOP_NORMAL = 0x2;
const FMOD_MODE FMOD_HARDWARE = 0x20;
const FMOD_MODE FMOD_SOFTWARE = 0x40;

// Channel index of playSound: any free channel.
const FMOD_CHANNELINDEX FMOD_CHANNEL_FREE = -1;

// Extra creation data; no field is used.
struct FMOD_CREATESOUNDEXINFO {
  int cbsize;
};

namespace FMOD {
class System;
class Sound;
class Channel;
}  // namespace FMOD
