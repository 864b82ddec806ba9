#include "gfx/cData.h"

namespace {
const char* const kTextureFiles[cData::NUM_TEXTURES] = {
    "Textures/tileset.png",  "Textures/player1.png",  "Textures/superp1.png",
    "Textures/player2.png",  "Textures/superp2.png",  "Textures/overlay1.png",
    "Textures/overlay2.png", "Textures/monster1.png", "Textures/monster2.png",
    "Textures/fireball.png", "Textures/arrow.png",    "Textures/heart.png"};

bool ValidSlot(int img) { return img >= 0 && img < cData::NUM_TEXTURES; }
}  // namespace

cData::cData() {}

cData::~cData() {}

bool cData::Load() {
  for (int img = TEX_TILESET; img <= TEX_HEART; ++img) {
    if (!LoadImage(img, kTextureFiles[img], GL_RGBA)) return false;
  }
  return true;
}

bool cData::LoadImage(int img, const char* file, int type) {
  if (!ValidSlot(img)) return false;
  return textures[img].Load(file, type, GL_REPEAT, GL_REPEAT, GL_NEAREST, GL_NEAREST, false);
}

GLuint cData::GetID(int img) {
  if (!ValidSlot(img)) return 0;
  return textures[img].GetID();
}

void cData::GetSize(int img, int* w, int* h) {
  if (!ValidSlot(img)) {
    *w = 0;
    *h = 0;
    return;
  }
  textures[img].GetSize(w, h);
}

const char* cData::FileName(int img) { return ValidSlot(img) ? kTextureFiles[img] : ""; }
