#include "app/WindowPlacement.h"

#include "common/Globals.h"

WindowPlacement CenteredWindow(int screen_w, int screen_h) {
  WindowPlacement p;
  p.x = (screen_w >> 1) - 9 * TILE_SIZE;
  p.y = (screen_h >> 1) - 27 * TILE_SIZE / 2;
  p.w = 18 * TILE_SIZE;
  p.h = 27 * TILE_SIZE;
  return p;
}
