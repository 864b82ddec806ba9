#pragma once

#include <string>

#include "gfx/cTexture.h"

// Texture slots of the registry.
enum TextureId {
  TEX_TILESET = 0,
  TEX_PLAYER1 = 1,
  TEX_SUPERP1 = 2,
  TEX_PLAYER2 = 3,
  TEX_SUPERP2 = 4,
  TEX_OVERLAY1 = 5,
  TEX_OVERLAY2 = 6,
  TEX_MONSTER1 = 7,
  TEX_MONSTER2 = 8,
  TEX_FIREBALL = 9,
  TEX_ARROW = 10,
  TEX_HEART = 11
};

// The game's twelve textures, addressed by TextureId.
class cData {
public:
  static const int NUM_TEXTURES = 12;

  cData();
  ~cData();

  // Loads the twelve textures in TextureId order; stops at the first failure and returns false,
  // with one line that names the file and the textures after it, which were not loaded.
  bool Load();
  // Loads slot img; a failure is named on standard error, or in *fault when fault is given.
  bool LoadImage(int img, const char* file, int type, std::string* fault = nullptr);
  // Slot lookups; an img outside 0..11 gives 0 and 0 by 0.
  GLuint GetID(int img);
  void GetSize(int img, int* w, int* h);
  // The file that slot img loads from ("" outside 0..11).
  static const char* FileName(int img);

private:
  cTexture textures[NUM_TEXTURES];
};
