#pragma once
#include <vector>

#include "app/HeldKeys.h"

// The X server's keyboard behind the key table. Its key state is global: it does not depend
// on which window has the focus. The keys behind a character entry are the keycodes that type
// that character under the current keymap, with or without Shift, Caps Lock, Ctrl, Num Lock
// and AltGr; those behind an arrow are the keycodes of that arrow, on the keypad too. Each
// entry's keys are looked up the first time it is asked about.
class XHeldKeys : public HeldKeys {
protected:
  void Refresh() override;
  KeyHeld Held(int entry) override;

private:
  // The display of the current GL context (GLUT's), or null before the window exists.
  void* display = nullptr;
  char keymap[32] = {};
  bool looked_up[256] = {};
  std::vector<int> keycodes[256];
};
