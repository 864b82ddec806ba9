#pragma once

#include "app/HeldKeys.h"

// The X server's keyboard behind the key table. Its key state is global: it does not depend
// on which window has the focus. A key makes a character entry when it types that character
// under the layout group active at the last reading, with or without Shift, Caps Lock, Ctrl,
// Num Lock and AltGr; it makes an arrow's entry when it is that arrow, on the keypad too.
// Each reading asks the server for the keys that are down; the layout group is asked for only
// when a key's character is looked up after it.
class XHeldKeys : public HeldKeys {
public:
  // Once GLUT's window exists: the X server's key repeat no longer reaches GLUT; false when
  // the server cannot repeat a key without releasing it. GLUT's own way to ignore the repeat
  // asks the server, at every release, whether its key is still down: a round trip some 25
  // times a second for as long as a key is held, and one for every key let go.
  bool DropRepeats();

protected:
  bool Refresh() override;
  bool Down(int keycode) override;
  bool Makes(int keycode, int entry) override;

private:
  // The display of the current GL context (GLUT's), or null before the window exists.
  void* display = nullptr;
  char keymap[32] = {};
  unsigned int group = 0;
  bool group_read = false;
};
