// The keyboard handlers: the key table, the releases that act at once, the toggles.
#include "core/GameFixture.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

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

// The physical keys behind the table, as each case says they are.
class ScriptedKeys : public HeldKeys {
public:
  std::set<int> down, unknown;
  int refreshed = 0;

protected:
  void Refresh() override { ++refreshed; }
  KeyHeld Held(int entry) override {
    if (unknown.count(entry)) return KEY_HELD_UNKNOWN;
    return down.count(entry) ? KEY_HELD_DOWN : KEY_HELD_UP;
  }
};

struct KeyEvent {
  int key;
  bool press;
  bool special;
};
struct PlayerStates {
  int p1, p2;
};

// Releases that never arrived as their press: the check lets the entry go as a release would.
struct LostRelease {
  const char* what;
  std::vector<KeyEvent> events;  // as GLUT reported them
  std::set<int> down;            // entries whose keys are still held
  std::set<int> unknown;         // entries that no key makes
  PlayerStates from, to;         // before the events, after the check
  std::vector<bool> requests;    // player 1's and player 2's attack requests
  std::vector<int> still_down;   // entries the table shows down after the check
};
LostRelease Case(const char* what, std::vector<KeyEvent> events, std::set<int> down,
                 std::set<int> unknown, PlayerStates from, PlayerStates to,
                 std::vector<bool> requests, std::vector<int> still_down) {
  return {what, events, down, unknown, from, to, requests, still_down};
}

const int WR = STATE_WALK_RIGHT, WL = STATE_WALK_LEFT;
const LostRelease LOST_RELEASES[] = {
    Case("* as Shift+8, Shift let go first", {{'*', true, 0}, {'8', false, 0}}, {}, {}, {WR, WL},
         {WR, WL}, {false, true}, {}),
    Case("- held while Shift goes down", {{'-', true, 0}, {'_', false, 0}}, {}, {},
         {WR, STATE_GUARD_WALK_LEFT}, {WR, STATE_LOOK_LEFT}, {false, false}, {}),
    Case("z held while Ctrl goes down", {{'z', true, 0}, {26, false, 0}}, {}, {}, {WR, WL},
         {WR, WL}, {true, false}, {}),
    Case("l and x let go in another window", {{'l', true, 0}, {'x', true, 0}}, {}, {},
         {STATE_GUARD_RIGHT, WL}, {STATE_LOOK_RIGHT, WL}, {false, false}, {}),
    Case("the left arrow let go in another window", {{GLUT_KEY_LEFT, true, 1}}, {}, {}, {WR, WL},
         {WR, STATE_LOOK_LEFT}, {false, false}, {}),
    Case("keys still held stay down", {{'*', true, 0}, {GLUT_KEY_UP, true, 1}}, {'*', GLUT_KEY_UP},
         {}, {WR, WL}, {WR, WL}, {false, false}, {'*', GLUT_KEY_UP}),
    Case("the guard key still held blocks the attack",
         {{'*', true, 0}, {'-', true, 0}, {'8', false, 0}}, {'-'}, {}, {WR, WL}, {WR, WL},
         {false, false}, {'-'}),
    Case("an entry no key makes waits for its own release", {{200, true, 0}}, {}, {200}, {WR, WL},
         {WR, WL}, {false, false}, {200}),
};

TEST_F(GameKeyboard, AKeyLetGoIsLetGoWhateverItsReleaseSaid) {
  for (const LostRelease& c : LOST_RELEASES) {
    SCOPED_TRACE(c.what);
    Start({{Cell(4, 5), ENTITY_PLAYER1}, {Cell(10, 5), ENTITY_PLAYER2}});
    game->player1.SetState(c.from.p1);
    game->player2.SetState(c.from.p2);
    for (const KeyEvent& e : c.events) {
      const unsigned char k = static_cast<unsigned char>(e.key);
      if (e.special)
        game->ReadSpecialKeyboard(k, 0, 0, e.press);
      else
        game->ReadKeyboard(k, 0, 0, e.press);
    }
    ScriptedKeys keys;
    keys.down = c.down;
    keys.unknown = c.unknown;
    keys.ReleaseLetGo(*game);
    EXPECT_EQ(std::vector<bool>({game->p1_attack_request, game->p2_attack_request}), c.requests);
    EXPECT_EQ(game->player1.GetState(), c.to.p1);
    EXPECT_EQ(game->player2.GetState(), c.to.p2);
    std::vector<int> still_down;
    for (int i = 0; i < 256; ++i)
      if (game->keys[i]) still_down.push_back(i);
    EXPECT_EQ(still_down, c.still_down);
    EXPECT_EQ(keys.refreshed, 1);
  }
  // With no entry down the keyboard is not asked.
  ScriptedKeys idle;
  Start({{Cell(4, 5), ENTITY_PLAYER1}, {Cell(10, 5), ENTITY_PLAYER2}});
  idle.ReleaseLetGo(*game);
  EXPECT_EQ(idle.refreshed, 0);
}

}  // namespace
