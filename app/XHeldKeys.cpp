#include "app/XHeldKeys.h"

#include <GL/glew.h>
#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include "core/cGame.h"

namespace {

// The modifiers that change the character a key types; every combination of them is tried.
const unsigned int MODIFIERS[] = {ShiftMask, LockMask, ControlMask, Mod2Mask, Mod5Mask};
const int MODIFIER_SETS = 1 << (sizeof MODIFIERS / sizeof MODIFIERS[0]);

// The GLUT code of an arrow's keysym (main block or keypad), or -1.
int ArrowCode(KeySym sym) {
  switch (sym) {
    case XK_Left:
    case XK_KP_Left: return GLUT_KEY_LEFT;
    case XK_Up:
    case XK_KP_Up: return GLUT_KEY_UP;
    case XK_Right:
    case XK_KP_Right: return GLUT_KEY_RIGHT;
    case XK_Down:
    case XK_KP_Down: return GLUT_KEY_DOWN;
    default: return -1;
  }
}

}  // namespace

bool XHeldKeys::Refresh() {
  display = glXGetCurrentDisplay();
  if (!display) return false;
  Display* d = static_cast<Display*>(display);
  XQueryKeymap(d, keymap);
  XkbStateRec state;
  group = XkbGetState(d, XkbUseCoreKbd, &state) == Success ? state.group : 0;
  return true;
}

bool XHeldKeys::Down(int keycode) {
  return keycode >= 0 && keycode < 256 && (keymap[keycode / 8] & (1 << (keycode % 8)));
}

bool XHeldKeys::Makes(int keycode, int entry) {
  if (!display || keycode < 8 || keycode > 255) return false;
  XKeyEvent event = {};
  event.type = KeyPress;
  event.display = static_cast<Display*>(display);
  event.keycode = static_cast<unsigned int>(keycode);
  for (int set = 0; set < MODIFIER_SETS; ++set) {
    // The group travels in the event's state, as in the events GLUT reads.
    event.state = XkbBuildCoreState(0, group);
    for (int m = 0; (1 << m) < MODIFIER_SETS; ++m)
      if (set & (1 << m)) event.state |= MODIFIERS[m];
    char text[8];
    KeySym sym = NoSymbol;
    const int n = XLookupString(&event, text, sizeof text, &sym, nullptr);
    const int arrow = ArrowCode(sym);
    if (arrow >= 0 && cGame::KeyEntry(arrow, true) == entry) return true;
    if (arrow < 0 && n == 1 && cGame::KeyEntry(static_cast<unsigned char>(text[0]), false) == entry)
      return true;
  }
  return false;
}
