// An autopilot plays both real levels through to victory, with the monsters taken out.
#include <gtest/gtest.h>
#include <GL/glew.h>
#include <GL/freeglut.h>

#include <unistd.h>

#include <cstdio>
#include <deque>
#include <memory>

#include "core/cGame.h"
#include "support/TestGL.h"

namespace {

int fake_now = 0;
// Each reading of the frame loop's clock moves it on, so the end sequences run fast.
long long FakeClock() { return fake_now += 40; }

struct PlayerKeys {
  bool special;
  int up, down, left, right;
};

const PlayerKeys kP1 = {false, 'i', 'k', 'j', 'l'};
const PlayerKeys kP2 = {true, GLUT_KEY_UP, GLUT_KEY_DOWN, GLUT_KEY_LEFT, GLUT_KEY_RIGHT};

class Autopilot {
public:
  explicit Autopilot(cGame* g) : game(g) {}

  // Chooses and applies this frame's key state for both players.
  void Steer() {
    Steer(game->player1, game->player2, kP1, held1);
    Steer(game->player2, game->player1, kP2, held2);
  }

  void ReleaseAll() {
    SetKey(kP1, held1, 0);
    SetKey(kP2, held2, 0);
  }

private:
  void Press(const PlayerKeys& k, int key, bool press) {
    if (k.special)
      game->ReadSpecialKeyboard(static_cast<unsigned char>(key), 0, 0, press);
    else
      game->ReadKeyboard(static_cast<unsigned char>(key), 0, 0, press);
  }

  // Holds `key` (0: none) and releases the previous one.
  void SetKey(const PlayerKeys& k, int& held, int key) {
    if (held == key) return;
    if (held) Press(k, held, false);
    if (key) Press(k, key, true);
    held = key;
  }

  static bool Free(const char* map, int c, int r) {
    return c >= 0 && c < MAP_COLS && r >= 0 && r < MAP_ROWS && map[c + r * MAP_COLS] == 0;
  }

  // First step (as a direction) of a shortest walk from (c, r) to row 158; 0 if none.
  int NextStep(const char* map, int c, int r) {
    if (r >= 158) return 0;
    std::vector<int> from(MAP_CELLS, -1);
    std::deque<int> queue;
    int start = c + r * MAP_COLS;
    from[start] = start;
    queue.push_back(start);
    int goal = -1;
    while (!queue.empty() && goal < 0) {
      int cell = queue.front();
      queue.pop_front();
      int cc = cell % MAP_COLS, rr = cell / MAP_COLS;
      const int dc[4] = {0, 1, 0, -1}, dr[4] = {1, 0, -1, 0};
      for (int d = 0; d < 4; ++d) {
        int nc = cc + dc[d], nr = rr + dr[d];
        if (!Free(map, nc, nr)) continue;
        int n = nc + nr * MAP_COLS;
        if (from[n] >= 0) continue;
        from[n] = cell;
        if (nr >= 158) {
          goal = n;
          break;
        }
        queue.push_back(n);
      }
    }
    if (goal < 0) return 0;
    int cell = goal;
    while (from[cell] != start) cell = from[cell];
    int nc = cell % MAP_COLS, nr = cell / MAP_COLS;
    if (nr > r) return DIR_UP;
    if (nr < r) return DIR_DOWN;
    return nc > c ? DIR_RIGHT : DIR_LEFT;
  }

  void Steer(cPlayer& me, cPlayer& other, const PlayerKeys& k, int& held) {
    const int x = me.GetX(), y = me.GetY();
    if (x % TILE_SIZE != 0 || y % TILE_SIZE != 0) return;  // finish the step to the next tile
    int dir = NextStep(game->scene.GetWalkMap(), x / TILE_SIZE, y / TILE_SIZE);
    // Keep within the leash: wait for the other player when too far ahead.
    if (dir == DIR_UP && y - other.GetY() > 20 * TILE_SIZE) dir = 0;
    if (dir == DIR_DOWN && y - TILE_SIZE <= game->view.bottom) dir = 0;
    int key = 0;
    if (dir == DIR_UP) key = k.up;
    if (dir == DIR_DOWN) key = k.down;
    if (dir == DIR_LEFT) key = k.left;
    if (dir == DIR_RIGHT) key = k.right;
    SetKey(k, held, key);
  }

  cGame* game;
  int held1 = 0, held2 = 0;
};

void RemoveMonsters(cGame& g) {
  for (cBicho* m : g.enemies) delete m;
  g.enemies.clear();
}

TEST(Playthrough, BothLevelsToVictory) {
  ASSERT_TRUE(TestGL::Ready());
  ASSERT_EQ(chdir(KELVARA_DATA_DIR), 0);
  auto game = std::make_unique<cGame>();
  game->elapsed_ms = FakeClock;
  ASSERT_TRUE(game->Init(1));
  RemoveMonsters(*game);
  Autopilot pilot(game.get());

  const int kBudgetPerLevel = 4000;
  int frames = 0, level_frames = 0, cleared_at = -1;
  int level = 1;
  bool running = true;
  while (running && level_frames < kBudgetPerLevel) {
    pilot.Steer();
    running = game->Loop();
    ++frames;
    ++level_frames;
    if (game->level != level) {
      // The level-cleared sequence ran inside Loop and set up the next level.
      ASSERT_EQ(level, 1);
      ASSERT_EQ(game->level, 2);
      ASSERT_EQ(game->state, GAME_PLAYING);
      cleared_at = frames;
      level = 2;
      level_frames = 0;
      RemoveMonsters(*game);
    }
  }
  EXPECT_GT(cleared_at, 0) << "level 1 was not cleared within " << kBudgetPerLevel << " frames";
  EXPECT_FALSE(running) << "level 2 was not finished within " << kBudgetPerLevel << " frames";
  EXPECT_EQ(game->level, 2);
  EXPECT_EQ(game->state, GAME_VICTORY);
  EXPECT_GE(game->player1.GetY(), game->view.top - TILE_SIZE);
  EXPECT_GE(game->player2.GetY(), game->view.top - TILE_SIZE);
  std::printf("playthrough: level 1 cleared at frame %d, victory at frame %d\n", cleared_at,
              frames);
}

}  // namespace
