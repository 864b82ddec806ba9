// Replays: scripted key events fed frame by frame to Process and Render, as the loop does.
#include "core/GameFixture.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "actors/cMonster1.h"

using GameTest::Cell;
using GameTest::CountHeard;
using GameTest::heard;

namespace {

const int T = TILE_SIZE;
const int STEP = TILE_SIZE / 8;

struct KeyEvent {
  int frame;
  bool special;
  int key;
  bool press;
};

class GameReplay : public GameFixture {
protected:
  void Begin(const std::map<int, int>& codes, const std::vector<int>& walls = {}) {
    StartShown(codes, walls);
  }
  // Runs frames [frame, until), delivering the script's events before each frame's logic;
  // `check` sees the game after every frame.
  void Run(const std::vector<KeyEvent>& script, int until,
           const std::function<void(int)>& check = nullptr) {
    for (; frame < until; ++frame) {
      for (const KeyEvent& e : script) {
        if (e.frame != frame) continue;
        if (e.special)
          game->ReadSpecialKeyboard(static_cast<unsigned char>(e.key), 0, 0, e.press);
        else
          game->ReadKeyboard(static_cast<unsigned char>(e.key), 0, 0, e.press);
      }
      const size_t before = heard.size();
      if (game->Process()) game->Render();
      for (size_t i = before; i < heard.size(); ++i) sounds_at.push_back({frame, heard[i]});
      if (check) check(frame);
    }
  }
  // First frame in which `sound` was heard, or -1.
  int HeardAt(int sound) {
    for (auto& s : sounds_at)
      if (s.second == sound) return s.first;
    return -1;
  }
  int frame = 0;
  std::vector<std::pair<int, int>> sounds_at;
};

TEST_F(GameReplay, PlayerOneWalksChargesAndSweeps) {
  Begin({{Cell(4, 5), 1}, {Cell(12, 5), 2}});
  const std::vector<KeyEvent> script = {
      {0, false, 'L', true},
      {8, false, 'l', false},  // one tile right
      {9, false, 'z', true},
      {50, false, 'Z', false},  // 41 frames of charge
  };
  Run(script, 9);
  EXPECT_EQ(game->player1.GetX(), 5 * T);
  EXPECT_EQ(game->player1.GetState(), STATE_LOOK_RIGHT);

  Run(script, 50);
  EXPECT_EQ(game->player1.GetCharge(), 41);
  EXPECT_EQ(CountHeard(SOUND_CHARGED), 1);
  EXPECT_EQ(HeardAt(SOUND_CHARGED), 9 + 29);

  int attack_end = -1;
  Run(script, 120, [&](int f) {
    if (f == 50) {
      EXPECT_EQ(game->player1.GetState(), STATE_CHARGED_ATTACK);
      EXPECT_EQ(game->player1.GetEnergy(), 150 - 60);
      EXPECT_EQ(game->player1.GetCharge(), 0);
    }
    if (attack_end < 0 && game->player1.GetState() != STATE_CHARGED_ATTACK) {
      attack_end = f;
      // The frame that ends the attack already counts the cool-down down.
      EXPECT_EQ(game->player1.GetCooldown(), 5);
      EXPECT_EQ(game->player1.GetState(), STATE_LOOK_DOWN);
    } else if (attack_end < 0) {
      EXPECT_EQ(game->player1.GetCooldown(), 6);
      EXPECT_EQ(game->player1.GetEnergy(), 90) << "no regeneration while attacking";
    }
  });
  EXPECT_EQ(HeardAt(SOUND_SUPERSLASH), 50);
  ASSERT_GT(attack_end, 51);
  EXPECT_EQ(game->player1.GetCooldown(), 0);
  EXPECT_EQ(game->player1.GetEnergy(), std::min(150, 90 + (119 - attack_end) + 1));
  EXPECT_EQ(game->player1.GetX(), 5 * T);
}

TEST_F(GameReplay, PlayerTwoThrowsAFireballAtAWall) {
  // A wall of the projectile map four tiles above player 2's start.
  Begin({{Cell(4, 5), 1}, {Cell(12, 5), 2}}, {Cell(12, 10)});
  const std::vector<KeyEvent> script = {
      {0, true, GLUT_KEY_UP, true},
      {8, true, GLUT_KEY_UP, false},  // one tile up, facing up
      {10, false, '*', true},
      {11, false, '*', false},
  };
  Run(script, 11);
  EXPECT_EQ(game->player2.GetY(), 6 * T);
  EXPECT_EQ(game->player2.GetState(), STATE_LOOK_UP);
  int made = -1, exploded = -1, gone = -1;
  Run(script, 60, [&](int f) {
    const size_t n = game->projectiles.size();
    if (made < 0 && n == 1) made = f;
    if (exploded < 0 && n == 1 && game->projectiles.front()->IsExploding()) exploded = f;
    if (made >= 0 && gone < 0 && n == 0) gone = f;
  });
  EXPECT_EQ(HeardAt(SOUND_FIREBALL), 11);
  ASSERT_GT(made, 11);
  EXPECT_GT(exploded, made);
  EXPECT_EQ(HeardAt(SOUND_EXPLOSION), exploded);
  EXPECT_GT(gone, exploded) << "the explosion runs its animation before the fireball goes";
  EXPECT_EQ(game->player2.GetEnergy(), 150 - 10);
}

TEST_F(GameReplay, BothPlayersClimbToTheTopWithTheViewFollowing) {
  Begin({{Cell(4, 2), 1}, {Cell(12, 2), 2}});
  const std::vector<KeyEvent> script = {{0, false, 'i', true}, {0, true, GLUT_KEY_UP, true}};
  int last_bottom = game->view.bottom;
  bool checked_follow = false;
  Run(script, 2000, [&](int) {
    ASSERT_GE(game->view.bottom, last_bottom) << "the view only scrolls up";
    last_bottom = game->view.bottom;
    const int y = game->player1.GetY();
    EXPECT_EQ(y, game->player2.GetY());
    // The camera uses the positions from the frame's start: one step behind.
    if (y > 14 * T && y < 140 * T && game->state == GAME_PLAYING) {
      EXPECT_EQ(game->view.bottom, y - STEP - 25 * T / 2);
      EXPECT_EQ(game->view.top - game->view.bottom, 27 * T);
      checked_follow = true;
    }
    if (game->state != GAME_PLAYING) frame = 1 << 20;  // stop the run
  });
  EXPECT_TRUE(checked_follow);
  EXPECT_EQ(game->state, GAME_LEVEL_CLEARED);
  EXPECT_EQ(game->player1.GetY(), game->view.top - T);
  EXPECT_LE(game->player1.GetY() + game->player1.GetFootprintH(), MAP_ROWS * T);
}

TEST_F(GameReplay, PlayerOneCutsDownAMonster) {
  Begin({{Cell(4, 5), 1}, {Cell(12, 5), 2}, {Cell(5, 5), 3}});
  ASSERT_EQ(game->enemies.size(), 1u);
  cBicho* monster = game->enemies.front();
  std::vector<KeyEvent> script = {{0, true, GLUT_KEY_F1, true},
                                  {0, true, GLUT_KEY_F1, false},
                                  {0, false, 'l', true},
                                  {1, false, 'l', false}};
  // Three blows, each requested once the previous one is over and cooled down.
  for (int i = 0; i < 3; ++i) {
    script.push_back({3 + 20 * i, false, 'z', true});
    script.push_back({4 + 20 * i, false, 'z', false});
  }
  Run(script, 2);
  EXPECT_EQ(game->player1.GetX(), 4 * T) << "a living monster blocks the way";
  EXPECT_EQ(game->player1.GetState(), STATE_LOOK_RIGHT);
  int dead_at = -1, deleted_at = -1;
  Run(script, 90, [&](int f) {
    if (dead_at < 0 && !game->enemies.empty() && monster->GetState() == STATE_DEAD) dead_at = f;
    if (dead_at >= 0 && deleted_at < 0 && game->enemies.empty()) deleted_at = f;
  });
  EXPECT_EQ(CountHeard(SOUND_SLASH), 3);
  EXPECT_EQ(CountHeard(SOUND_HIT), 3);
  EXPECT_EQ(CountHeard(SOUND_DEATH), 1);
  EXPECT_EQ(HeardAt(SOUND_DEATH), dead_at);
  EXPECT_GT(deleted_at, dead_at + 1) << "the dying animation runs first";
  EXPECT_EQ(game->player1.GetEnergy(), 150) << "regenerated after the blows";
}

}  // namespace
