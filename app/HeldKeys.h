#pragma once
#include <vector>

class cGame;

// The physical keyboard behind the key table. A release can arrive as another character than
// its press (Shift or Ctrl changed while the key was held), or go to another window; the entry
// of its press would then stay down for ever. Each press remembers the keys that went down
// for its entry, and ReleaseLetGo lets go of an entry once none of them is down.
class HeldKeys {
public:
  // While an entry is down and no key event comes, the keyboard is read once in this many
  // frames (about four times a second), to find the releases that went to another window.
  static const int FRAMES_BETWEEN_READINGS = 8;

  virtual ~HeldKeys();

  // Called on each press, before the game records it. The keys that make the entry under the
  // layout active then and are down are read at the next frame; they stay the entry's keys
  // until it is let go, whatever layout is active meanwhile; a second press of the entry adds
  // its keys.
  void Pressed(const cGame& game, unsigned char key, bool special);
  // Called on each release: the keyboard is read at the next frame.
  void Released();
  // Called once a frame. Reads the keyboard after a key event, or now and then while an entry
  // is down, and gives each entry that the table shows down and whose keys are all up the
  // release a normal release would give it: stop, leave the guard, the attack request.
  void ReleaseLetGo(cGame& game);

protected:
  // Reads the keyboard's state; false when there is none to read.
  virtual bool Refresh() = 0;
  // Whether a key, by its keycode (0 to 255), was down at the last Refresh.
  virtual bool Down(int keycode) = 0;
  // Whether a key makes an entry under the layout active at the last Refresh, with any
  // modifiers.
  virtual bool Makes(int keycode, int entry) = 0;

private:
  // Whether some key that makes the entry now is down; *made tells whether any key makes it.
  bool AnyDownMaking(int entry, bool* made);

  // The keys whose presses made each entry since it last went down.
  std::vector<int> pressed[256];
  // Entries pressed since the keyboard was last read, whose keys are still to be read.
  bool unread[256] = {};
  // Entries that no key made when last asked: they wait for their own release, unasked.
  bool unmade[256] = {};
  // A key event came since the keyboard was last read.
  bool event_since_reading = false;
  // Frames since the keyboard was last read.
  int frames_unread = 0;
};
