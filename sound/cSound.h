#pragma once

#include "fmod/fmod.h"

// Slots of the sound bank; the order is the order of loading.
enum SoundId {
  SOUND_AMBIENT1 = 0,
  SOUND_AMBIENT2 = 1,
  SOUND_GAMEOVER = 2,
  SOUND_SLASH = 3,
  SOUND_SUPERSLASH = 4,
  SOUND_HIT = 5,
  SOUND_EXPLOSION = 6,
  SOUND_FIREBALL = 7,
  SOUND_SUPERFIREBALL = 8,
  SOUND_ARROW = 9,
  SOUND_DEATH = 10,
  SOUND_TOKEN = 11,
  SOUND_FAIL = 12,
  SOUND_CHARGED = 13,
  SOUND_VICTORY = 14
};

const int NUM_SOUNDS = 15;

// The game's music and sound effects, addressed by SoundId.
class cSound {
public:
  cSound();
  virtual ~cSound();
  cSound(const cSound&) = delete;
  cSound& operator=(const cSound&) = delete;

  bool Load();
  void Play(int id);
  void StopMusic();
  void Update();

private:
  FMOD::System* system;
  FMOD::Sound* sounds[NUM_SOUNDS];
  FMOD::Channel* music_channel1;
  FMOD::Channel* music_channel2;
};
