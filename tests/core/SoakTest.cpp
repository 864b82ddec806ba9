// Many frames of the real levels with monsters on, fed random key presses and releases.
#include <gtest/gtest.h>
#include <GL/glew.h>
#include <GL/freeglut.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <random>

#include "core/cGame.h"
#include "support/TestGL.h"

namespace {

struct Key {
  bool special;
  int code;
};

// Both players' keys (letters in both cases), F1 and F10; never Escape.
const Key kKeys[] = {
    {false, 'i'},          {false, 'k'},           {false, 'j'},        {false, 'l'},
    {false, 'z'},          {false, 'x'},           {false, 'I'},        {false, 'K'},
    {false, 'J'},          {false, 'L'},           {false, 'Z'},        {false, 'X'},
    {false, '*'},          {false, '-'},           {true, GLUT_KEY_UP}, {true, GLUT_KEY_DOWN},
    {true, GLUT_KEY_LEFT}, {true, GLUT_KEY_RIGHT}, {true, GLUT_KEY_F1}, {true, GLUT_KEY_F10},
};
const int kKeyCount = sizeof(kKeys) / sizeof(kKeys[0]);

bool InsideMap(int x, int y, int w, int h) {
  return x >= 0 && y >= 0 && x + w <= MAP_COLS * TILE_SIZE && y + h <= MAP_ROWS * TILE_SIZE;
}

TEST(Soak, TwentyThousandFramesOfRandomPlay) {
  ASSERT_TRUE(TestGL::Ready());
  ASSERT_EQ(chdir(KELVARA_DATA_DIR), 0);
  std::mt19937 rng(20261208);
  const int kFrames = 20000;

  std::unique_ptr<cGame> game;
  bool down[kKeyCount] = {};
  size_t max_enemies = 0, max_tokens = 0, most_projectiles = 0;
  int runs = 0;
  for (int frame = 0; frame < kFrames; ++frame) {
    if (!game || game->state != GAME_PLAYING) {
      game.reset();  // game over or victory: start again at level 1
      game = std::make_unique<cGame>();
      ASSERT_TRUE(game->Init(1));
      for (bool& d : down) d = false;
      max_enemies = game->enemies.size();
      max_tokens = game->tokens.size();
      ++runs;
    }
    // A few key transitions per frame, chosen at random.
    int changes = static_cast<int>(rng() % 3);
    for (int c = 0; c < changes; ++c) {
      int k = static_cast<int>(rng() % kKeyCount);
      down[k] = !down[k];
      if (kKeys[k].special)
        game->ReadSpecialKeyboard(static_cast<unsigned char>(kKeys[k].code), 0, 0, down[k]);
      else
        game->ReadKeyboard(static_cast<unsigned char>(kKeys[k].code), 0, 0, down[k]);
    }
    ASSERT_TRUE(game->Process()) << "frame " << frame;
    if (game->state == GAME_LEVEL_CLEARED) {
      // What Loop does at a level change, without its timed sequence.
      for (cBicho* m : game->enemies) delete m;
      game->enemies.clear();
      for (cProjectile* p : game->projectiles) delete p;
      game->projectiles.clear();
      for (cToken* t : game->tokens) delete t;
      game->tokens.clear();
      ASSERT_TRUE(game->Init(game->level + 1));
      max_enemies = game->enemies.size();
      max_tokens = game->tokens.size();
    }
    game->Render();

    const int s = game->state;
    ASSERT_TRUE(s == GAME_OVER || s == GAME_PLAYING || s == GAME_LEVEL_CLEARED ||
                s == GAME_VICTORY);
    ASSERT_LE(game->enemies.size(), max_enemies);
    ASSERT_LE(game->tokens.size(), max_tokens);
    ASSERT_LE(game->projectiles.size(), 200u) << "frame " << frame;
    most_projectiles = std::max(most_projectiles, game->projectiles.size());
    for (cPlayer* p :
         {static_cast<cPlayer*>(&game->player1), static_cast<cPlayer*>(&game->player2)})
      ASSERT_TRUE(InsideMap(p->GetX(), p->GetY(), p->GetWidth(), p->GetHeight()))
          << "frame " << frame;
    for (cBicho* m : game->enemies)
      ASSERT_TRUE(InsideMap(m->GetX(), m->GetY(), m->GetWidth(), m->GetHeight()))
          << "frame " << frame;
    for (cProjectile* p : game->projectiles) {
      cRect r = p->GetHitbox();
      ASSERT_TRUE(InsideMap((r.left + r.right) / 2, (r.bottom + r.top) / 2, 0, 0))
          << "frame " << frame;
    }
  }
  std::printf("soak: %d frames, %d runs, at most %zu projectiles at once\n", kFrames, runs,
              most_projectiles);
}

}  // namespace
