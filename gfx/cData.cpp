#include "gfx/cData.h"

#include "io/Message.h"

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
  std::string fault;
  for (int img = TEX_TILESET; img <= TEX_HEART; ++img) {
    if (LoadImage(img, kTextureFiles[img], GL_RGBA, &fault)) continue;
    for (int later = img + 1; later <= TEX_HEART; ++later)
      fault += (later == img + 1 ? "; the textures after it were not loaded: " : ", ") +
               std::string(kTextureFiles[later]);
    Say(fault);
    return false;
  }
  return true;
}

bool cData::LoadImage(int img, const char* file, int type, std::string* fault) {
  if (!ValidSlot(img)) return false;
  return textures[img].Load(file, type, GL_REPEAT, GL_REPEAT, GL_NEAREST, GL_NEAREST, false, fault);
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
