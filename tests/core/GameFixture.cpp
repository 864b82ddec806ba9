#include "core/GameFixture.h"

#include <sstream>

#include "corona/TestPng.h"
#include "core/LevelFiles.h"

namespace GameTest {

std::vector<int> heard;
void Listen(int id) { heard.push_back(id); }
int CountHeard(int id) {
  int n = 0;
  for (int h : heard) n += h == id;
  return n;
}

std::vector<int> ScriptedClock::readings;
size_t ScriptedClock::next = 0;
int ScriptedClock::last = 0;
int ScriptedClock::step = 1;
long long ScriptedClock::base = 0;
cGame* ScriptedClock::watched = nullptr;
std::vector<float> ScriptedClock::fade_at_reading;
std::vector<size_t> ScriptedClock::enemies_at_reading;

void ScriptedClock::Reset(std::vector<int> r, int s) {
  readings = std::move(r);
  next = 0;
  last = 0;
  step = s;
  base = 0;
  fade_at_reading.clear();
  enemies_at_reading.clear();
}

long long ScriptedClock::Now() {
  if (watched) fade_at_reading.push_back(watched->fade);
  if (watched) enemies_at_reading.push_back(watched->enemies.size());
  last = next < readings.size() ? readings[next++] : last + step;
  return base + last;
}

static std::string Grid(const std::map<int, int>& codes) {
  std::ostringstream out;
  for (int row = MAP_ROWS - 1; row >= 0; --row) {
    for (int col = 0; col < MAP_COLS; ++col) {
      auto it = codes.find(Cell(col, row));
      out << (it == codes.end() ? 0 : it->second) << (col + 1 < MAP_COLS ? "," : "\n");
    }
  }
  return out.str();
}

std::string StaticLayer(const std::vector<int>& walls) {
  std::map<int, int> wall_codes;
  for (int c : walls) wall_codes[c] = 1;
  std::string text;
  for (int g = 0; g < 11; ++g) text += Grid(g == 5 ? wall_codes : std::map<int, int>{});
  return text;
}

std::string DynamicLayer(const std::map<int, int>& codes) { return Grid(codes); }

Rgb TextureColour(int id) {
  static const Rgb colours[12] = {{40, 40, 40},  {0, 200, 0},   {200, 0, 0},   {0, 0, 200},
                                  {200, 200, 0}, {0, 0, 0},     {0, 0, 0},     {200, 0, 200},
                                  {0, 200, 200}, {250, 120, 0}, {120, 60, 20}, {250, 0, 120}};
  return colours[id];
}

void WriteTextures(const TempDir& dir) {
  static const char* files[12] = {"tileset",  "player1",  "superp1",  "player2",
                                  "superp2",  "overlay1", "overlay2", "monster1",
                                  "monster2", "fireball", "arrow",    "heart"};
  for (int id = 0; id < 12; ++id) {
    const int size = 64;
    const Rgb c = TextureColour(id);
    const unsigned char alpha = (id == TEX_OVERLAY1 || id == TEX_OVERLAY2) ? 0 : 255;
    std::vector<unsigned char> pix(size * size * 4);
    for (int i = 0; i < size * size; ++i) {
      pix[i * 4] = c.r;
      pix[i * 4 + 1] = c.g;
      pix[i * 4 + 2] = c.b;
      pix[i * 4 + 3] = alpha;
    }
    dir.Write(std::string("Textures/") + files[id] + ".png", TestPng::Rgba(size, size, pix));
  }
}

}  // namespace GameTest

void GameFixture::SetUp() {
  ASSERT_TRUE(TestGL::Ready());
  dir.Enter();
  GameTest::heard.clear();
  GameTest::ScriptedClock::watched = nullptr;
  GameTest::ScriptedClock::Reset({}, 40);
}

void GameFixture::WriteLevel(int level, const std::map<int, int>& codes,
                             const std::vector<int>& walls) {
  dir.Write(LevelFilePath("static_layer", level), GameTest::StaticLayer(walls));
  dir.Write(LevelFilePath("dynamic_layer", level), GameTest::DynamicLayer(codes));
}

namespace {

void NoSwap() {}

}  // namespace

void GameFixture::StartShown(const std::map<int, int>& codes, const std::vector<int>& walls) {
  GameTest::WriteTextures(dir);  // sprites animate only when their sheets are loaded
  Start(codes, walls);
  game->swap_buffers = NoSwap;
  game->fade = 0.0f;
}

void GameFixture::Start(const std::map<int, int>& codes, const std::vector<int>& walls, int level) {
  WriteLevel(level, codes, walls);
  game = std::make_unique<cGame>();
  game->elapsed_ms = GameTest::ScriptedClock::Now;
  game->sound_listener = GameTest::Listen;
  ASSERT_TRUE(game->Init(level));
  game->Reshape(TestGL::Width(), TestGL::Height());
  GameTest::heard.clear();
}
