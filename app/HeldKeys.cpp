#include "app/HeldKeys.h"

#include <algorithm>

#include "core/cGame.h"

namespace {
const int KEYCODES = 256;
}  // namespace

HeldKeys::~HeldKeys() {}

void HeldKeys::Pressed(const cGame& game, unsigned char key, bool special) {
  const int entry = cGame::KeyEntry(key, special);
  if (entry < 0) return;
  if (!game.keys[entry]) pressed[entry].clear();
  unmade[entry] = false;
  unread[entry] = true;
  event_since_reading = true;
}

void HeldKeys::Released() { event_since_reading = true; }

bool HeldKeys::AnyDownMaking(int entry, bool* made) {
  for (int k = 0; k < KEYCODES; ++k)
    if (Down(k) && Makes(k, entry)) return *made = true;
  for (int k = 0; k < KEYCODES && !*made; ++k) *made = Makes(k, entry);
  return false;
}

void HeldKeys::ReleaseLetGo(cGame& game) {
  bool any_down = false;
  for (bool down : game.keys) any_down = any_down || down;
  if (!any_down) return;
  if (!event_since_reading && ++frames_unread < FRAMES_BETWEEN_READINGS) return;
  event_since_reading = false;
  frames_unread = 0;
  if (!Refresh()) return;
  for (int entry = 0; entry < 256; ++entry) {
    const bool read_press = unread[entry];
    unread[entry] = false;
    if (!game.keys[entry]) continue;
    std::vector<int>& keys = pressed[entry];
    if (read_press)
      for (int k = 0; k < KEYCODES; ++k)
        if (Down(k) && Makes(k, entry) && std::find(keys.begin(), keys.end(), k) == keys.end())
          keys.push_back(k);
    if (keys.empty()) {
      // A press that found none of its keys down (let go at once, or not seen here) is judged
      // by the keys that make the entry now; an entry that no key makes waits for its release.
      bool made = false;
      if (unmade[entry] || AnyDownMaking(entry, &made)) continue;
      if (!made) {
        unmade[entry] = true;
        continue;
      }
    } else {
      bool held = false;
      for (int k : keys) held = held || Down(k);
      if (held) continue;
    }
    const unsigned char key = static_cast<unsigned char>(entry);
    if (cGame::IsArrowEntry(entry))
      game.ReadSpecialKeyboard(key, 0, 0, false);
    else
      game.ReadKeyboard(key, 0, 0, false);
  }
}
