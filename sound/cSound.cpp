#include "sound/cSound.h"

namespace {
const char* const SOUND_FILES[NUM_SOUNDS] = {
    "Sounds/ambient1.mp3",  "Sounds/ambient2.mp3",   "Sounds/gameover.mp3",
    "Sounds/slash.wav",     "Sounds/superslash.wav", "Sounds/hit.wav",
    "Sounds/explosion.wav", "Sounds/fireball.wav",   "Sounds/superfireball.wav",
    "Sounds/arrow.wav",     "Sounds/death.wav",      "Sounds/token.wav",
    "Sounds/fail.wav",      "Sounds/charged.wav",    "Sounds/victory.mp3",
};

const float MUSIC1_VOLUME = 0.25f;
const float MUSIC2_VOLUME = 0.2f;
}  // namespace

cSound::cSound() : system(nullptr), sounds(), music_channel1(nullptr), music_channel2(nullptr) {
  FMOD::System_Create(&system);
  system->init(32, FMOD_INIT_NORMAL, nullptr);
}

cSound::~cSound() {
  for (int i = 0; i < NUM_SOUNDS; ++i) {
    if (sounds[i]) sounds[i]->release();
  }
  system->release();
}

bool cSound::Load() {
  // Sounds of an earlier level stay with the system until it is released.
  system->createStream(SOUND_FILES[SOUND_AMBIENT1], FMOD_SOFTWARE | FMOD_LOOP_NORMAL, nullptr,
                       &sounds[SOUND_AMBIENT1]);
  system->createStream(SOUND_FILES[SOUND_AMBIENT2], FMOD_SOFTWARE | FMOD_LOOP_NORMAL, nullptr,
                       &sounds[SOUND_AMBIENT2]);
  for (int id = SOUND_GAMEOVER; id < NUM_SOUNDS; ++id)
    system->createSound(SOUND_FILES[id], FMOD_HARDWARE, nullptr, &sounds[id]);
  return true;
}

void cSound::Play(int id) {
  if (id < 0 || id >= NUM_SOUNDS) return;
  if (id == SOUND_AMBIENT1) {
    system->playSound(FMOD_CHANNEL_FREE, sounds[id], false, &music_channel1);
    if (music_channel1) music_channel1->setVolume(MUSIC1_VOLUME);
  } else if (id == SOUND_AMBIENT2) {
    system->playSound(FMOD_CHANNEL_FREE, sounds[id], false, &music_channel2);
    if (music_channel2) music_channel2->setVolume(MUSIC2_VOLUME);
  } else {
    system->playSound(FMOD_CHANNEL_FREE, sounds[id], false, nullptr);
  }
}

void cSound::StopMusic() {
  if (music_channel1) music_channel1->stop();
  if (music_channel2) music_channel2->stop();
}

void cSound::Update() { system->update(); }
