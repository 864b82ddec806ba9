#include "app/HeldKeys.h"

#include <GL/glew.h>
#include <GL/freeglut.h>

#include "core/cGame.h"

HeldKeys::~HeldKeys() {}

void HeldKeys::ReleaseLetGo(cGame& game) {
  bool any_down = false;
  for (bool down : game.keys) any_down = any_down || down;
  if (!any_down) return;
  Refresh();
  for (int entry = 0; entry < 256; ++entry) {
    if (!game.keys[entry] || Held(entry) != KEY_HELD_UP) continue;
    const unsigned char key = static_cast<unsigned char>(entry);
    // The arrows are recorded under their special codes, every other entry is a character.
    if (entry >= GLUT_KEY_LEFT && entry <= GLUT_KEY_DOWN)
      game.ReadSpecialKeyboard(key, 0, 0, false);
    else
      game.ReadKeyboard(key, 0, 0, false);
  }
}
