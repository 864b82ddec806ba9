// The keyboard handlers: the key table, the releases that act at once, the toggles.
#include "core/GameFixture.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/HeldKeys.h"
#include "core/GameFixture.h"

using GameTest::Cell;

namespace {

const int T = TILE_SIZE;

class GameKeyboard : public GameFixture {
protected:
  void SetUp() override {
    GameFixture::SetUp();
    Start({{Cell(4, 5), ENTITY_PLAYER1}, {Cell(10, 5), ENTITY_PLAYER2}});
  }
};

TEST_F(GameKeyboard, LettersDEFGAreNeverRecorded) {
  for (unsigned char k : {'d', 'e', 'f', 'g', 'D', 'E', 'F', 'G'}) Press(k);
  for (int code = 100; code <= 103; ++code) EXPECT_FALSE(game->keys[code]) << code;
  // So they never move player 2, whose arrows share those entries.
  game->fade = 0.0f;
  Frame();
  EXPECT_EQ(game->player2.GetX(), 10 * T);
  EXPECT_EQ(game->player2.GetY(), 5 * T);
  // The arrows themselves are recorded there.
  PressSpecial(GLUT_KEY_UP);
  EXPECT_TRUE(game->keys[GLUT_KEY_UP]);
  ReleaseSpecial(GLUT_KEY_UP);
  EXPECT_FALSE(game->keys[GLUT_KEY_UP]);
}

TEST_F(GameKeyboard, OnlyTheArrowsOfTheSpecialKeysAreRecorded) {
  // GLUT_KEY_HOME is 106, the code of the letter j.
  PressSpecial(GLUT_KEY_HOME);
  PressSpecial(GLUT_KEY_PAGE_UP);
  EXPECT_FALSE(game->keys[int{'j'}]);
  EXPECT_FALSE(game->keys[GLUT_KEY_PAGE_UP]);
}

TEST_F(GameKeyboard, UpperCaseFoldsToLowerCase) {
  Press('Z');
  EXPECT_TRUE(game->keys[int{'z'}]);
  EXPECT_FALSE(game->keys[int{'Z'}]);
  Release('z');
  EXPECT_FALSE(game->keys[int{'z'}]);
  EXPECT_TRUE(game->p1_attack_request);
  Press(27);
  EXPECT_TRUE(game->keys[27]);
}

TEST_F(GameKeyboard, AReleaseWithoutARecordedPressRequestsNothing) {
  Release('z');
  Release('*');
  EXPECT_FALSE(game->p1_attack_request);
  EXPECT_FALSE(game->p2_attack_request);
}

TEST_F(GameKeyboard, TheGuardKeyHeldBlocksTheAttackRequest) {
  game->player1.SetCharge(40);
  Press('z');
  Press('x');
  EXPECT_EQ(game->player1.GetCharge(), 0);  // the guard key resets the charge
  game->player1.SetState(STATE_GUARD_LEFT);
  Release('z');
  EXPECT_FALSE(game->p1_attack_request);
  Release('x');
  EXPECT_EQ(game->player1.GetState(), STATE_LOOK_LEFT);
  EXPECT_EQ(game->player1.GetSavedState(), STATE_LOOK_LEFT);

  game->player2.SetCharge(40);
  Press('*');
  Press('-');
  EXPECT_EQ(game->player2.GetCharge(), 0);
  game->player2.SetState(STATE_GUARD_WALK_UP);
  Release('*');
  EXPECT_FALSE(game->p2_attack_request);
  Release('-');
  EXPECT_EQ(game->player2.GetState(), STATE_LOOK_UP);
  Press('*');
  Release('*');
  EXPECT_TRUE(game->p2_attack_request);
}

TEST_F(GameKeyboard, HorizontalReleasesStopAPlayerThatIsNotAttacking) {
  game->player1.SetState(STATE_WALK_LEFT);
  Press('j');
  Release('j');
  EXPECT_EQ(game->player1.GetState(), STATE_LOOK_LEFT);
  EXPECT_EQ(game->player1.GetSavedState(), STATE_LOOK_LEFT);
  game->player1.SetState(STATE_ATTACK_RIGHT);
  Release('L');
  EXPECT_EQ(game->player1.GetState(), STATE_ATTACK_RIGHT);
  // Vertical releases do not stop at once.
  game->player1.SetState(STATE_WALK_UP);
  Release('i');
  EXPECT_EQ(game->player1.GetState(), STATE_WALK_UP);

  game->player2.SetState(STATE_WALK_RIGHT);
  ReleaseSpecial(GLUT_KEY_RIGHT);
  EXPECT_EQ(game->player2.GetState(), STATE_LOOK_RIGHT);
  game->player2.SetState(STATE_CHARGED_ATTACK);
  ReleaseSpecial(GLUT_KEY_RIGHT);
  ReleaseSpecial(GLUT_KEY_LEFT);
  EXPECT_EQ(game->player2.GetState(), STATE_CHARGED_ATTACK);
  game->player2.SetState(STATE_WALK_DOWN);
  ReleaseSpecial(GLUT_KEY_DOWN);
  EXPECT_EQ(game->player2.GetState(), STATE_WALK_DOWN);
}

TEST_F(GameKeyboard, F1AndF10Toggle) {
  PressSpecial(GLUT_KEY_F1);
  EXPECT_FALSE(game->ai_enabled);
  ReleaseSpecial(GLUT_KEY_F1);
  EXPECT_FALSE(game->ai_enabled);
  PressSpecial(GLUT_KEY_F1);
  EXPECT_TRUE(game->ai_enabled);

  // During the fade-in: the release cuts the fade to 0 whichever way the toggle went.
  EXPECT_EQ(game->fade, 1.0f);
  PressSpecial(GLUT_KEY_F10);
  EXPECT_TRUE(game->epileptic);
  EXPECT_EQ(game->fade, 1.0f);
  ReleaseSpecial(GLUT_KEY_F10);
  EXPECT_EQ(game->fade, 0.0f);
  game->Render();
  EXPECT_FLOAT_EQ(game->fade, 0.8f);
  PressSpecial(GLUT_KEY_F10);
  ReleaseSpecial(GLUT_KEY_F10);
  EXPECT_FALSE(game->epileptic);
  EXPECT_EQ(game->fade, 0.0f);
  EXPECT_FALSE(game->keys[GLUT_KEY_F10]);
}

// A keyboard as each case scripts it: the keys down, by keycode, and the keys that make each
// entry under the layout active now.
using Layout = std::map<int, std::set<int>>;
class ScriptedKeys : public HeldKeys {
public:
  std::set<int> down;
  const Layout* layout = nullptr;
  int refreshed = 0, asked = 0;

protected:
  bool Refresh() override { return ++refreshed > 0; }
  bool Down(int keycode) override { return down.count(keycode) > 0; }
  bool Makes(int keycode, int entry) override {
    ++asked;
    auto it = layout->find(entry);
    return it != layout->end() && it->second.count(keycode) > 0;
  }
};

// Keys of a PC keyboard, by X keycode.
const int K_Z = 52, K_Y = 29, K_X = 53, K_8 = 17, K_PLUS = 35, K_MINUS = 20, K_L = 46, K_LEFT = 113,
          K_UP = 111, K_KP_MULTIPLY = 63;
const Layout US = {{'z', {K_Z}},         {26, {K_Z}},
                   {'y', {K_Y}},         {'x', {K_X}},
                   {'l', {K_L}},         {'*', {K_8, K_KP_MULTIPLY}},
                   {'8', {K_8}},         {'-', {K_MINUS}},
                   {'_', {K_MINUS}},     {GLUT_KEY_LEFT, {K_LEFT}},
                   {GLUT_KEY_UP, {K_UP}}};
// German: z and y swap places; the asterisk is Shift and the plus key.
const Layout DE = {{'z', {K_Y}}, {'y', {K_Z}}, {'*', {K_PLUS, K_KP_MULTIPLY}}};

// A key event as GLUT reported it, from the key `keycode` (0: none was down any more).
// LET_GO: that key went up with no event for us (another window had the focus); SWITCH: the
// layout changes from US to DE.
struct KeyEvent {
  int key;
  bool press;
  bool special;
  int keycode;
};
const int LET_GO = -1, SWITCH = -2;
struct PlayerStates {
  int p1, p2;
};

// Releases that never arrived as their press: the check lets the entry go as a release would.
struct LostRelease {
  const char* what;
  std::vector<KeyEvent> events;
  PlayerStates from, to;        // before the events, after the check
  std::vector<bool> requests;   // player 1's and player 2's attack requests
  std::vector<int> still_down;  // entries the table shows down after the check
};

const int WR = STATE_WALK_RIGHT, WL = STATE_WALK_LEFT;
LostRelease Case(const char* what, std::vector<KeyEvent> events, PlayerStates from, PlayerStates to,
                 std::vector<bool> requests, std::vector<int> still_down) {
  return {what, events, from, to, requests, still_down};
}

const LostRelease LOST_RELEASES[] = {
    Case("* as Shift+8, Shift let go first", {{'*', 1, 0, K_8}, {'8', 0, 0, K_8}}, {WR, WL},
         {WR, WL}, {false, true}, {}),
    Case("- held while Shift goes down", {{'-', 1, 0, K_MINUS}, {'_', 0, 0, K_MINUS}},
         {WR, STATE_GUARD_WALK_LEFT}, {WR, STATE_LOOK_LEFT}, {false, false}, {}),
    Case("z held while Ctrl goes down", {{'z', 1, 0, K_Z}, {26, 0, 0, K_Z}}, {WR, WL}, {WR, WL},
         {true, false}, {}),
    Case("l and x let go in another window",
         {{'l', 1, 0, K_L}, {'x', 1, 0, K_X}, {LET_GO, 0, 0, K_L}, {LET_GO, 0, 0, K_X}},
         {STATE_GUARD_RIGHT, WL}, {STATE_LOOK_RIGHT, WL}, {false, false}, {}),
    Case("the left arrow let go in another window",
         {{GLUT_KEY_LEFT, 1, 1, K_LEFT}, {LET_GO, 0, 0, K_LEFT}}, {WR, WL}, {WR, STATE_LOOK_LEFT},
         {false, false}, {}),
    Case("keys still held stay down", {{'*', 1, 0, K_KP_MULTIPLY}, {GLUT_KEY_UP, 1, 1, K_UP}},
         {WR, WL}, {WR, WL}, {false, false}, {'*', GLUT_KEY_UP}),
    Case("the guard key still held blocks the attack",
         {{'*', 1, 0, K_8}, {'-', 1, 0, K_MINUS}, {'8', 0, 0, K_8}}, {WR, WL}, {WR, WL},
         {false, false}, {'-'}),
    Case("an entry no key makes waits for its own release", {{200, 1, 0, 0}}, {WR, WL}, {WR, WL},
         {false, false}, {200}),
    Case("z held through a switch of layout", {{'z', 1, 0, K_Z}, {SWITCH, 0, 0, 0}}, {WR, WL},
         {WR, WL}, {false, false}, {'z'}),
    Case("z let go after a switch, its release arriving as y",
         {{'z', 1, 0, K_Z}, {SWITCH, 0, 0, 0}, {'y', 0, 0, K_Z}}, {WR, WL}, {WR, WL}, {true, false},
         {}),
    Case("z pressed on two layouts stays down while one of its keys is",
         {{'z', 1, 0, K_Z}, {SWITCH, 0, 0, 0}, {'z', 1, 0, K_Y}, {LET_GO, 0, 0, K_Y}}, {WR, WL},
         {WR, WL}, {false, false}, {'z'}),
    Case("a press let go before it was read: the layout's keys decide",
         {{'*', 1, 0, 0}, {'8', 0, 0, 0}}, {WR, WL}, {WR, WL}, {false, true}, {}),
};

TEST_F(GameKeyboard, AKeyLetGoIsLetGoWhateverItsReleaseSaid) {
  const int N = HeldKeys::FRAMES_BETWEEN_READINGS;
  for (const LostRelease& c : LOST_RELEASES) {
    SCOPED_TRACE(c.what);
    Start({{Cell(4, 5), ENTITY_PLAYER1}, {Cell(10, 5), ENTITY_PLAYER2}});
    game->player1.SetState(c.from.p1);
    game->player2.SetState(c.from.p2);
    ScriptedKeys keys;
    keys.layout = &US;
    for (const KeyEvent& e : c.events) {
      if (e.key == SWITCH) keys.layout = &DE;
      if (e.key < 0) {
        keys.down.erase(e.keycode);
        continue;
      }
      const unsigned char k = static_cast<unsigned char>(e.key);
      if (e.press && e.keycode) keys.down.insert(e.keycode);
      if (!e.press) keys.down.erase(e.keycode);
      if (e.press) keys.Pressed(*game, k, e.special);
      if (!e.press) keys.Released();
      if (e.special)
        game->ReadSpecialKeyboard(k, 0, 0, e.press);
      else
        game->ReadKeyboard(k, 0, 0, e.press);
      // A frame reads the press's keys.
      if (e.press) keys.ReleaseLetGo(*game);
    }
    // Within the next N frames the keyboard is read at most once: at the first after a
    // release, at the last when nothing came and an entry is still down.
    keys.refreshed = 0;
    for (int frame = 0; frame < N; ++frame) keys.ReleaseLetGo(*game);
    EXPECT_LE(keys.refreshed, 1);
    EXPECT_EQ(std::vector<bool>({game->p1_attack_request, game->p2_attack_request}), c.requests);
    EXPECT_EQ(game->player1.GetState(), c.to.p1);
    EXPECT_EQ(game->player2.GetState(), c.to.p2);
    std::vector<int> still_down;
    for (int i = 0; i < 256; ++i)
      if (game->keys[i]) still_down.push_back(i);
    EXPECT_EQ(still_down, c.still_down);
    // An entry found up or unmade is not looked up again at the next reading.
    keys.asked = 0;
    for (int frame = 0; frame < N; ++frame) keys.ReleaseLetGo(*game);
    EXPECT_EQ(keys.asked, 0);
  }
  // With no entry down the keyboard is not asked.
  ScriptedKeys idle;
  Start({{Cell(4, 5), ENTITY_PLAYER1}, {Cell(10, 5), ENTITY_PLAYER2}});
  idle.ReleaseLetGo(*game);
  EXPECT_EQ(idle.refreshed, 0);
}

}  // namespace
