#pragma once

class cGame;

// What the keyboard says of the physical keys behind one entry of the key table.
enum KeyHeld {
  KEY_HELD_UNKNOWN,  // no key makes that entry: only its own release event lets it go
  KEY_HELD_UP,       // every key that makes it is up
  KEY_HELD_DOWN      // a key that makes it is down
};

// The physical keyboard behind the key table. A release can arrive as another character than
// its press (Shift or Ctrl changed while the key was held), or go to another window; the entry
// of its press would then stay down for ever. ReleaseLetGo finds such entries by the keys
// themselves and lets them go.
class HeldKeys {
public:
  virtual ~HeldKeys();

  // Gives each entry that the table shows down and whose keys are all up the release a
  // normal release would give it: stop, leave the guard, the attack request.
  void ReleaseLetGo(cGame& game);

protected:
  // Reads the keyboard's state, once per ReleaseLetGo that has an entry down.
  virtual void Refresh() = 0;
  // The state of the keys behind one entry (a folded character, or an arrow's special code).
  virtual KeyHeld Held(int entry) = 0;
};
