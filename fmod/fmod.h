#pragma once

// The sound layer: FMOD::System, FMOD::Sound, FMOD::Channel over SDL2_mixer.
#include "fmod/Common.h"
#include "fmod/Channel.h"
#include "fmod/Sound.h"
#include "fmod/System.h"
