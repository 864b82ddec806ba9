#pragma once
// Shared set-up of the game tests: level files and textures in a temporary folder,
// a value-initialised cGame set up on them, a scripted clock and a sound log.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/cGame.h"
#include "support/TestGL.h"

namespace GameTest {

inline int Cell(int col, int row) { return col + row * MAP_COLS; }

// A static layer: eleven grids of zeros, with the given cells set in grid 5 (walls
// that block walkers and projectiles).
std::string StaticLayer(const std::vector<int>& walls = {});
// A dynamic layer holding the given codes (cell -> code), every other cell 0.
std::string DynamicLayer(const std::map<int, int>& codes);

// Colours of the solid test textures, by TextureId.
struct Rgb {
  unsigned char r, g, b;
};
Rgb TextureColour(int id);
// The twelve textures under Textures/: solid colours, the HUD panels fully transparent.
void WriteTextures(const TempDir& dir);

// Sounds requested since the last Clear, in order.
extern std::vector<int> heard;
void Listen(int id);
int CountHeard(int id);

// A clock that returns the queued readings, then keeps adding `step` after the last one,
// each reading counted from `base` (0 after Reset).
// Every reading is logged with the game's fade value and its number of monsters at the moment
// it was taken.
struct ScriptedClock {
  static std::vector<int> readings;
  static size_t next;
  static int last;
  static int step;
  static long long base;
  static cGame* watched;
  static std::vector<float> fade_at_reading;
  static std::vector<size_t> enemies_at_reading;
  static void Reset(std::vector<int> r, int s = 1);
  static long long Now();
};

}  // namespace GameTest

class GameFixture : public ::testing::Test {
protected:
  void SetUp() override;
  // Writes the level files of `level` and makes a fresh game set up on it.
  void Start(const std::map<int, int>& codes, const std::vector<int>& walls = {}, int level = 1);
  // Start with the test textures loaded, no buffer swap and the fade-in over, so
  // that Render draws every sprite into the back buffer at full strength.
  void StartShown(const std::map<int, int>& codes, const std::vector<int>& walls = {});
  // Writes the files of another level without starting it.
  void WriteLevel(int level, const std::map<int, int>& codes, const std::vector<int>& walls = {});

  void Press(unsigned char key) { game->ReadKeyboard(key, 0, 0, true); }
  void Release(unsigned char key) { game->ReadKeyboard(key, 0, 0, false); }
  void PressSpecial(int key) {
    game->ReadSpecialKeyboard(static_cast<unsigned char>(key), 0, 0, true);
  }
  void ReleaseSpecial(int key) {
    game->ReadSpecialKeyboard(static_cast<unsigned char>(key), 0, 0, false);
  }
  // One playing frame as the loop runs it, without the frame wait.
  void Frame() {
    game->Process();
    game->Render();
  }

  TempDir dir;
  std::unique_ptr<cGame> game;
};
