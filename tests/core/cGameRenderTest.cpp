// The camera, the render passes and the screen effects' bookkeeping.
#include "core/GameFixture.h"

#include <gtest/gtest.h>

#include "actors/cFireball.h"
#include "actors/cHeart.h"
#include "actors/cMonster1.h"
#include "actors/cMonster2.h"

#include <cstdlib>

using GameTest::Cell;
using GameTest::TextureColour;

namespace {

const int T = TILE_SIZE;

// The picture of the last Render, which these tests keep in the back buffer.
TestGL::Pixel ShownPixel(int x, int y) { return TestGL::ReadPixel(x, y); }

bool Near(TestGL::Pixel p, int r, int g, int b) {
  return std::abs(p.r - r) <= 3 && std::abs(p.g - g) <= 3 && std::abs(p.b - b) <= 3;
}

testing::AssertionResult Is(TestGL::Pixel p, int tex) {
  GameTest::Rgb c = TextureColour(tex);
  if (Near(p, c.r, c.g, c.b)) return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << "pixel " << int(p.r) << "," << int(p.g) << "," << int(p.b) << " is not texture " << tex;
}

class GameCamera : public GameFixture {
protected:
  void SetUp() override {
    GameFixture::SetUp();
    Start({{Cell(4, 5), ENTITY_PLAYER1}, {Cell(10, 5), ENTITY_PLAYER2}});
  }
};

TEST_F(GameCamera, FollowsTheMidpointOfThePlayers) {
  const int y1 = 75 * T / 4, y2 = 175 * T / 8;  // 600 and 700 with 32-pixel tiles
  const int mid = y1 + (y2 - y1) / 2;
  game->UpdateCamera(y1, y2);
  EXPECT_EQ(game->view.bottom, mid - 25 * T / 2);
  EXPECT_EQ(game->view.top, mid + 29 * T / 2);
  EXPECT_EQ(game->view.left, T);
  EXPECT_EQ(game->view.right, 19 * T);
  EXPECT_EQ(game->panel1.GetY(), game->view.bottom);
  EXPECT_EQ(game->panel2.GetY(), game->view.bottom);
  if (T == 32) {
    EXPECT_EQ(game->view.bottom, 250);
    EXPECT_EQ(game->view.top, 1114);
  }
  GLdouble m[16];
  glGetDoublev(GL_PROJECTION_MATRIX, m);
  const double b = game->view.bottom, t = game->view.top;
  EXPECT_NEAR(m[13], -(t + b) / (t - b), 1e-6);
  // Arguments in the other order give the same midpoint; a falling midpoint does nothing.
  game->UpdateCamera(y2, y1);
  EXPECT_EQ(game->view.bottom, mid - 25 * T / 2);
  game->UpdateCamera(y1 - T, y1 - T);
  EXPECT_EQ(game->view.bottom, mid - 25 * T / 2);
}

TEST_F(GameCamera, HalfAPixelOfDifferenceIsDropped) {
  const int y = 75 * T / 4;
  game->UpdateCamera(y, y + 1);
  EXPECT_EQ(game->view.bottom, y - 25 * T / 2);
}

TEST_F(GameCamera, StaysInsideItsLimits) {
  game->UpdateCamera(27 * T / 2, 27 * T / 2);
  EXPECT_EQ(game->view.bottom, T);
  game->UpdateCamera(27 * T / 2 + 1, 27 * T / 2 + 1);
  EXPECT_EQ(game->view.bottom, T + 1);

  game->UpdateCamera(289 * T / 2, 289 * T / 2);
  EXPECT_EQ(game->view.bottom, T + 1);
  game->UpdateCamera(289 * T / 2 - 1, 289 * T / 2 - 1);
  EXPECT_EQ(game->view.bottom, 289 * T / 2 - 1 - 25 * T / 2);
  EXPECT_EQ(game->view.top, 159 * T - 1);
}

TEST_F(GameCamera, ReshapeSetsTheViewportOnly) {
  game->Reshape(100, 50);
  GLint vp[4];
  glGetIntegerv(GL_VIEWPORT, vp);
  EXPECT_EQ(vp[2], 100);
  EXPECT_EQ(vp[3], 50);
  EXPECT_EQ(game->view.top, 28 * T);
  game->Reshape(TestGL::Width(), TestGL::Height());
}

class GameRender : public GameFixture {
protected:
  void SetUp() override {
    GameFixture::SetUp();
    StartShown({{Cell(4, 10), ENTITY_PLAYER1}, {Cell(12, 10), ENTITY_PLAYER2}});
  }
  // Window pixel at the middle of a player's hitbox.
  TestGL::Pixel At(const cBicho& b) {
    return ShownPixel(b.GetX() + b.GetWidth() / 2 - T, b.GetY() + b.GetHeight() / 2 - T);
  }
};

TEST_F(GameRender, DrawsThePlayersFromTheirSheets) {
  game->Render();
  EXPECT_TRUE(Is(At(game->player1), TEX_PLAYER1));
  EXPECT_TRUE(Is(At(game->player2), TEX_PLAYER2));
  // Away from every sprite and the HUD: the clear colour.
  EXPECT_TRUE(Near(ShownPixel(9 * T, 20 * T), 0, 0, 0));
}

TEST_F(GameRender, ChargedPlayersFlickerTwoFramesInFour) {
  // charge: 29 30 31 32 33 34 35 36
  const bool charged[] = {false, false, false, true, true, false, false, true};
  for (int i = 0; i < 8; ++i) {
    const int charge = 29 + i;
    SCOPED_TRACE(charge);
    game->player1.SetCharge(charge);
    game->player2.SetCharge(charge);
    game->Render();
    EXPECT_TRUE(Is(At(game->player1), charged[i] ? TEX_SUPERP1 : TEX_PLAYER1));
    EXPECT_TRUE(Is(At(game->player2), charged[i] ? TEX_SUPERP2 : TEX_PLAYER2));
  }
}

TEST_F(GameRender, MonstersHeartsAndProjectilesUseTheirOwnSheets) {
  cMonster1* m1 = new cMonster1();
  m1->SetTile(4, 18);
  cMonster2* m2 = new cMonster2();
  m2->SetTile(12, 18);
  game->enemies.push_back(m1);
  game->enemies.push_back(m2);
  cHeart* heart = new cHeart();
  heart->SetTile(8, 14);
  game->tokens.push_back(heart);
  cFireball* fireball = new cFireball();
  fireball->SetPosition(8 * T, 22 * T);
  fireball->SetState(PROJ_FLY_UP);
  game->projectiles.push_back(fireball);
  game->Render();
  EXPECT_TRUE(Is(At(*m1), TEX_MONSTER1));
  EXPECT_TRUE(Is(At(*m2), TEX_MONSTER2));
  EXPECT_TRUE(Is(ShownPixel(8 * T + T / 2 - T, 14 * T + T / 2 - T), TEX_HEART));
  EXPECT_TRUE(Is(ShownPixel(8 * T + T / 2 - T, 22 * T + T / 2 - T), TEX_FIREBALL));
}

TEST_F(GameRender, TheBarsShowEachPlayersOwnValues) {
  game->player2.SetLife(0);
  game->Render();
  // Player 1's panel: bars from 2 tiles in; full life is green, energy blue.
  EXPECT_TRUE(Near(ShownPixel(2 * T, 3 * T / 4), 0, 255, 0));
  EXPECT_TRUE(Near(ShownPixel(2 * T, T / 4), 51, 128, 255));
  EXPECT_TRUE(Near(ShownPixel(2 * T - 1, 3 * T / 4), 0, 0, 0));
  EXPECT_TRUE(Near(ShownPixel(2 * T - 1, T / 4), 0, 0, 0));
  // Player 2's panel (12 tiles in on screen, bars half a tile further): no life left.
  EXPECT_TRUE(Near(ShownPixel(12 * T + T / 2 + 2, 3 * T / 4), 0, 0, 0));
  EXPECT_TRUE(Near(ShownPixel(12 * T + T / 2 + 2, T / 4), 51, 128, 255));
}

TEST_F(GameRender, AnimationsFreezeOutsidePlay) {
  game->player1.SetState(STATE_WALK_LEFT);
  game->Render();
  EXPECT_EQ(game->player1.GetDelay(), 1);
  game->state = GAME_OVER;
  game->Render();
  EXPECT_EQ(game->player1.GetDelay(), 1);
}

TEST_F(GameRender, TheFadeInRunsDownOverOneHundredAndOneFrames) {
  game->fade = 1.0f;
  int frames = 0;
  while (game->fade > 0.0f && frames < 1000) {
    game->Render();
    ++frames;
  }
  EXPECT_EQ(frames, 101);
  // Game over: the greyscale fade is not lowered by Render.
  game->state = GAME_OVER;
  game->fade = 1.5f;
  game->Render();
  EXPECT_EQ(game->fade, 1.5f);
}

TEST_F(GameRender, TheFlashingEffectRunsItsOwnTimer) {
  game->epileptic = true;
  game->fade = 1.0f;  // the effect replaces the fade at once
  game->Render();
  EXPECT_FLOAT_EQ(game->fade, 1.8f);
  game->fade = 179.5f;
  game->Render();
  EXPECT_EQ(game->fade, 0.0f);  // wrapped at 180
  game->state = GAME_OVER;
  game->Render();
  EXPECT_FLOAT_EQ(game->fade, 0.8f);
}

}  // namespace
