// The keyboard handlers: the key table, the releases that act at once, the toggles.
#include "core/GameFixture.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

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

}  // namespace
