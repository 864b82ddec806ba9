#pragma once

#include "app/HeldKeys.h"

// The X server's keyboard behind the key table. Its key state is global: it does not depend
// on which window has the focus. A key makes a character entry when it types that character
// under the layout group active at the last reading, with or without Shift, Caps Lock, Ctrl,
// Num Lock and AltGr; it makes an arrow's entry when it is that arrow, on the keypad too.
class XHeldKeys : public HeldKeys {
protected:
  bool Refresh() override;
  bool Down(int keycode) override;
  bool Makes(int keycode, int entry) override;

private:
  // The display of the current GL context (GLUT's), or null before the window exists.
  void* display = nullptr;
  char keymap[32] = {};
  unsigned int group = 0;
};
