// The dynamic-layer reader: players, monsters and hearts placed from whatever it read.
#include "FuzzSupport.h"
#include "core/cGame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static cGame* game = new cGame();
  FuzzWriteFile("Levels/dynamic_layer01.txt", data, size);
  game->LoadDynamicLayer(1);
  for (cBicho* m : game->enemies) delete m;
  game->enemies.clear();
  for (cToken* t : game->tokens) delete t;
  game->tokens.clear();
  return 0;
}
