// A short fight replayed with monsters on and a fixed seed for rand(), checked frame by frame.
#include <GL/glew.h>
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "core/GameFixture.h"

using GameTest::Cell;
using GameTest::heard;

namespace {

const int T = TILE_SIZE;
const unsigned kSeed = 20261208;

// What one frame left behind.
struct FrameRecord {
  int p1_x, p1_y, p1_state, p1_life;
  int m_x, m_y, m_state, m_life;  // -1 once the monster is gone
  std::vector<int> sounds;
  bool operator==(const FrameRecord& o) const {
    return p1_x == o.p1_x && p1_y == o.p1_y && p1_state == o.p1_state && p1_life == o.p1_life &&
           m_x == o.m_x && m_y == o.m_y && m_state == o.m_state && m_life == o.m_life &&
           sounds == o.sounds;
  }
};

class FightReplay : public GameFixture {
protected:
  // Player 1 turns right; a melee monster comes at it from four tiles away and strikes until
  // player 1 starts swinging, every 20 frames from frame 60; player 2 stands far off.
  std::vector<FrameRecord> Play() {
    StartShown({{Cell(9, 5), 1}, {Cell(2, 5), 2}, {Cell(13, 5), 3}});
    std::srand(kSeed);
    std::vector<FrameRecord> frames;
    for (int f = 0; f < 150; ++f) {
      if (f == 0) Press('l');
      if (f == 1) Release('l');
      if (f >= 60 && f % 20 == 0) Press('z');
      if (f >= 60 && f % 20 == 1) Release('z');
      const size_t before = heard.size();
      if (game->Process()) game->Render();
      FrameRecord r{game->player1.GetX(),
                    game->player1.GetY(),
                    game->player1.GetState(),
                    game->player1.GetLife(),
                    -1,
                    -1,
                    -1,
                    -1,
                    {}};
      if (!game->enemies.empty()) {
        cBicho* m = game->enemies.front();
        r.m_x = m->GetX();
        r.m_y = m->GetY();
        r.m_state = m->GetState();
        r.m_life = m->GetLife();
      }
      r.sounds.assign(heard.begin() + static_cast<long>(before), heard.end());
      frames.push_back(r);
    }
    return frames;
  }
};

bool Heard(const FrameRecord& r, int sound) {
  for (int s : r.sounds)
    if (s == sound) return true;
  return false;
}

TEST_F(FightReplay, TheSameSeedPlaysTheSameFightFrameByFrame) {
  const std::vector<FrameRecord> first = Play();
  const int next_draw = std::rand();
  const std::vector<FrameRecord> second = Play();
  ASSERT_EQ(first.size(), second.size());
  for (size_t f = 0; f < first.size(); ++f) ASSERT_TRUE(first[f] == second[f]) << "frame " << f;
  EXPECT_EQ(std::rand(), next_draw);

  // The monster's choices drew from rand(): the next number is not the seed's first.
  std::srand(kSeed);
  EXPECT_NE(std::rand(), next_draw);
}

TEST_F(FightReplay, EveryWoundAndDeathHasItsCause) {
  const std::vector<FrameRecord> frames = Play();
  int monster_blows = 0, dead_at = -1, gone_at = -1, slashes = 0;
  for (size_t f = 1; f < frames.size(); ++f) {
    const FrameRecord& r = frames[f];
    const FrameRecord& prev = frames[f - 1];
    for (int s : r.sounds) slashes += (s == SOUND_SLASH);
    // The monster walks tile by tile toward player 1 and never onto its tile.
    if (r.m_state >= STATE_WALK_UP && r.m_state <= STATE_WALK_LEFT) {
      EXPECT_TRUE(r.m_x == prev.m_x || r.m_y == prev.m_y) << "frame " << f;
    }
    if (r.m_x >= 0) {
      EXPECT_GE(r.m_x, r.p1_x + T - T / 8) << "frame " << f;
    }
    // Player 1 loses life only to the monster's blow, 10 at a time, with the hit sound.
    if (r.p1_life != prev.p1_life) {
      EXPECT_EQ(prev.p1_life - r.p1_life, 10) << "frame " << f;
      EXPECT_EQ(r.m_state, STATE_ATTACK_LEFT) << "frame " << f;
      EXPECT_TRUE(Heard(r, SOUND_HIT)) << "frame " << f;
      ++monster_blows;
    }
    if (dead_at < 0 && r.m_state == STATE_DEAD) {
      dead_at = static_cast<int>(f);
      EXPECT_TRUE(Heard(r, SOUND_DEATH)) << "the killing blow is player 1's";
    }
    if (dead_at >= 0 && gone_at < 0 && r.m_x < 0) gone_at = static_cast<int>(f);
  }
  EXPECT_GE(monster_blows, 1) << "the monster reached player 1 and struck";
  EXPECT_GE(slashes, 3 + monster_blows) << "every swing of both plays its sound";
  ASSERT_GT(dead_at, 0) << "player 1's blows killed the monster";
  EXPECT_GT(gone_at, dead_at + 1) << "the dying animation runs before the monster goes";
  EXPECT_EQ(frames.back().p1_life, 150 - 10 * monster_blows);
}

}  // namespace
