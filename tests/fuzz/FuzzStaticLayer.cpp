// The static-layer reader and the collision maps built from whatever it read.
#include "FuzzSupport.h"
#include "scene/cScene.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static cScene* scene = new cScene();
  FuzzWriteFile("Levels/static_layer01.txt", data, size);
  if (scene->LoadLevel(1, 256, 256)) scene->BuildCollisionMaps();
  return 0;
}
