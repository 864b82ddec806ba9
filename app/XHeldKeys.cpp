#include "app/XHeldKeys.h"

#include <GL/glew.h>
#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include "core/cGame.h"

// Last: Xlib's internals, for the conversion of events as they arrive, come with macros.
#include <X11/Xlibint.h>

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

// The keys down as this client's key events and keymap notices tell. With detectable key
// repeat the server repeats a held key as presses alone; a press of a key that is down is one
// of those, and is not queued.
bool key_down[256];
Bool (*convert_press)(Display*, XEvent*, xEvent*);
Bool (*convert_release)(Display*, XEvent*, xEvent*);

Bool ConvertPress(Display* display, XEvent* event, xEvent* wire) {
  bool& down = key_down[wire->u.u.detail];
  if (down) return False;
  down = true;
  return convert_press(display, event, wire);
}

Bool ConvertRelease(Display* display, XEvent* event, xEvent* wire) {
  key_down[wire->u.u.detail] = false;
  return convert_release(display, event, wire);
}

// Sent whenever the window gets the focus or the pointer: the keys down now, releases that went
// to another window meanwhile included. Nobody else asked for it, so it is not queued.
Bool TakeKeymap(Display*, XEvent*, xEvent* wire) {
  const xKeymapEvent* keymap = reinterpret_cast<const xKeymapEvent*>(wire);
  for (int k = 8; k < 256; ++k) key_down[k] = keymap->map[k / 8 - 1] & (1 << (k % 8));
  return False;
}

}  // namespace

bool XHeldKeys::DropRepeats() {
  Display* d = glXGetCurrentDisplay();
  const Window window = glXGetCurrentDrawable();
  Bool detectable = False;
  if (!d || !window || !XkbSetDetectableAutoRepeat(d, True, &detectable) || !detectable)
    return false;
  convert_press = XESetWireToEvent(d, KeyPress, ConvertPress);
  convert_release = XESetWireToEvent(d, KeyRelease, ConvertRelease);
  XESetWireToEvent(d, KeymapNotify, TakeKeymap);
  XWindowAttributes attributes;
  if (XGetWindowAttributes(d, window, &attributes))
    XSelectInput(d, window, attributes.your_event_mask | KeymapStateMask);
  return true;
}

bool XHeldKeys::Refresh() {
  display = glXGetCurrentDisplay();
  if (!display) return false;
  XQueryKeymap(static_cast<Display*>(display), keymap);
  group_read = false;
  return true;
}

bool XHeldKeys::Down(int keycode) {
  return keycode >= 0 && keycode < 256 && (keymap[keycode / 8] & (1 << (keycode % 8)));
}

bool XHeldKeys::Makes(int keycode, int entry) {
  if (!display || keycode < 8 || keycode > 255) return false;
  if (!group_read) {
    XkbStateRec state;
    group = XkbGetState(static_cast<Display*>(display), XkbUseCoreKbd, &state) == Success
                ? state.group
                : 0;
    group_read = true;
  }
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
