#include "app/XHeldKeys.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace {

// The modifiers that change the character a key types; every combination of them is tried.
const unsigned int MODIFIERS[] = {ShiftMask, LockMask, ControlMask, Mod2Mask, Mod5Mask};
const int MODIFIER_SETS = 1 << (sizeof MODIFIERS / sizeof MODIFIERS[0]);

// The two keysyms of an arrow entry (main block and keypad), or none for any other entry.
bool ArrowKeysyms(int entry, KeySym* main, KeySym* keypad) {
  switch (entry) {
    case GLUT_KEY_LEFT: *main = XK_Left, *keypad = XK_KP_Left; return true;
    case GLUT_KEY_UP: *main = XK_Up, *keypad = XK_KP_Up; return true;
    case GLUT_KEY_RIGHT: *main = XK_Right, *keypad = XK_KP_Right; return true;
    case GLUT_KEY_DOWN: *main = XK_Down, *keypad = XK_KP_Down; return true;
    default: return false;
  }
}

// Whether `keycode` makes `entry` under some set of modifiers, as GLUT would report it.
bool Makes(Display* display, int keycode, int entry) {
  KeySym main = NoSymbol, keypad = NoSymbol;
  const bool arrow = ArrowKeysyms(entry, &main, &keypad);
  XKeyEvent event = {};
  event.type = KeyPress;
  event.display = display;
  event.keycode = static_cast<unsigned int>(keycode);
  for (int set = 0; set < MODIFIER_SETS; ++set) {
    event.state = 0;
    for (int m = 0; (1 << m) < MODIFIER_SETS; ++m)
      if (set & (1 << m)) event.state |= MODIFIERS[m];
    char text[8];
    KeySym sym = NoSymbol;
    const int n = XLookupString(&event, text, sizeof text, &sym, nullptr);
    if (arrow) {
      if (sym == main || sym == keypad) return true;
      continue;
    }
    if (n != 1) continue;
    int c = static_cast<unsigned char>(text[0]);
    if (c >= 'A' && c <= 'Z') c += 32;  // the table folds letters to lower case
    if (c == entry) return true;
  }
  return false;
}

}  // namespace

void XHeldKeys::Refresh() {
  display = glXGetCurrentDisplay();
  if (display) XQueryKeymap(static_cast<Display*>(display), keymap);
}

KeyHeld XHeldKeys::Held(int entry) {
  if (!display || entry < 0 || entry > 255) return KEY_HELD_UNKNOWN;
  if (!looked_up[entry]) {
    Display* d = static_cast<Display*>(display);
    int min_keycode = 0, max_keycode = 0;
    XDisplayKeycodes(d, &min_keycode, &max_keycode);
    for (int k = min_keycode; k <= max_keycode && k < 256; ++k)
      if (Makes(d, k, entry)) keycodes[entry].push_back(k);
    looked_up[entry] = true;
  }
  if (keycodes[entry].empty()) return KEY_HELD_UNKNOWN;
  for (int k : keycodes[entry])
    if (keymap[k / 8] & (1 << (k % 8))) return KEY_HELD_DOWN;
  return KEY_HELD_UP;
}
