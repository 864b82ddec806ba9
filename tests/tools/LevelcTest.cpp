// Checks on the two compiled levels and on the level compiler itself.
#include <gtest/gtest.h>

#include <cctype>
#include <deque>
#include <string>
#include <vector>

#include "common/Globals.h"
#include "support/TestGL.h"
#include "tools/DataImage.h"

namespace {

const int kGrids = 11;

// Reads a level file the strict way: decimal values without leading zeros,
// each followed by exactly one blank or line end. Fails the test otherwise.
std::vector<int> ReadValues(const std::string& name) {
  std::string text;
  EXPECT_TRUE(DataFiles::ReadAll(DataFiles::Level(name), &text)) << name;
  std::vector<int> values;
  size_t i = 0;
  while (i < text.size()) {
    size_t j = i;
    while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
    if (j == i || (text[i] == '0' && j - i > 1) || j >= text.size() ||
        (text[j] != ' ' && text[j] != '\n')) {
      ADD_FAILURE() << name << ": malformed value at byte " << i;
      return values;
    }
    values.push_back(std::stoi(text.substr(i, j - i)));
    i = j + 1;
  }
  return values;
}

struct Level {
  std::vector<int> grids[kGrids];  // indexed by cell = column + row * 20, row 0 at the bottom
  std::vector<int> entities;
  std::vector<char> walk, proj;

  int At(int grid, int column, int row) const {
    return grids[grid][size_t(column + row * MAP_COLS)];
  }
  bool Free(int column, int row) const {
    if (column < 0 || column >= MAP_COLS || row < 0 || row >= MAP_ROWS) return false;
    return walk[size_t(column + row * MAP_COLS)] == 0;
  }
};

// Files list rows from the top (row 159) down to row 0.
std::vector<int> ToCells(const std::vector<int>& values, size_t first) {
  std::vector<int> cells(MAP_CELLS, 0);
  for (int k = 0; k < MAP_CELLS; ++k) {
    const int row = MAP_ROWS - 1 - k / MAP_COLS, column = k % MAP_COLS;
    cells[size_t(column + row * MAP_COLS)] = values[first + size_t(k)];
  }
  return cells;
}

Level LoadLevel(int n) {
  const std::string number = "0" + std::to_string(n);
  Level level;
  const std::vector<int> values = ReadValues("static_layer" + number + ".txt");
  const std::vector<int> dynamic = ReadValues("dynamic_layer" + number + ".txt");
  EXPECT_EQ(values.size(), size_t(kGrids * MAP_CELLS));
  EXPECT_EQ(dynamic.size(), size_t(MAP_CELLS));
  if (values.size() != size_t(kGrids * MAP_CELLS) || dynamic.size() != size_t(MAP_CELLS))
    return level;
  for (int g = 0; g < kGrids; ++g) level.grids[g] = ToCells(values, size_t(g) * MAP_CELLS);
  level.entities = ToCells(dynamic, 0);
  // The collision maps as the scene builds them: grids 1, 2, 5, 6 block walking,
  // 5 and 6 block shots, and a bridge (grid 4) frees its cell in both.
  level.walk.assign(MAP_CELLS, 0);
  level.proj.assign(MAP_CELLS, 0);
  for (int i = 0; i < MAP_CELLS; ++i) {
    const auto set = [&](int g) { return level.grids[g][size_t(i)] != 0; };
    if (set(4)) continue;
    level.walk[size_t(i)] = set(1) || set(2) || set(5) || set(6);
    level.proj[size_t(i)] = set(5) || set(6);
  }
  return level;
}

std::vector<std::pair<int, int>> Find(const Level& level, int code) {
  std::vector<std::pair<int, int>> found;
  for (int row = 0; row < MAP_ROWS; ++row)
    for (int column = 0; column < MAP_COLS; ++column)
      if (level.entities[size_t(column + row * MAP_COLS)] == code) found.emplace_back(column, row);
  return found;
}

bool ReachesRow(const Level& level, std::pair<int, int> start, int target_row) {
  std::vector<char> seen(MAP_CELLS, 0);
  std::deque<std::pair<int, int>> queue{start};
  seen[size_t(start.first + start.second * MAP_COLS)] = 1;
  while (!queue.empty()) {
    const auto p = queue.front();
    queue.pop_front();
    if (p.second == target_row) return true;
    const int dc[4] = {1, -1, 0, 0}, dr[4] = {0, 0, 1, -1};
    for (int k = 0; k < 4; ++k) {
      const int c = p.first + dc[k], r = p.second + dr[k];
      if (!level.Free(c, r) || seen[size_t(c + r * MAP_COLS)]) continue;
      seen[size_t(c + r * MAP_COLS)] = 1;
      queue.emplace_back(c, r);
    }
  }
  return false;
}

}  // namespace

TEST(LevelcTest, BothLevelsHaveElevenGridsAndOneEntityGrid) {
  for (int n = 1; n <= 2; ++n) {
    const Level level = LoadLevel(n);
    ASSERT_EQ(level.entities.size(), size_t(MAP_CELLS)) << "level " << n;
    for (int g = 0; g < kGrids; ++g)
      for (int v : level.grids[g]) {
        // Every tile names a cell of the 16 x 16-cell tileset.
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 256) << "level " << n << " grid " << g;
      }
    for (int g : {3, 10})
      for (int v : level.grids[g]) {
        if (v == 0) continue;
        EXPECT_LE((v - 1) % 16, 12) << "an animation's four frames leave the tileset row";
      }
    for (int code : level.entities) EXPECT_TRUE(code >= 0 && code <= 5) << code;
    // Every walkable cell has ground under it.
    for (int i = 0; i < MAP_CELLS; ++i) {
      if (level.walk[size_t(i)]) continue;
      EXPECT_TRUE(level.grids[0][size_t(i)] || level.grids[4][size_t(i)]) << i;
    }
  }
}

TEST(LevelcTest, OuterColumnsNeverLetAnyoneWalk) {
  for (int n = 1; n <= 2; ++n) {
    const Level level = LoadLevel(n);
    ASSERT_EQ(level.walk.size(), size_t(MAP_CELLS));
    for (int row = 0; row < MAP_ROWS; ++row) {
      EXPECT_FALSE(level.Free(0, row)) << "level " << n << " row " << row;
      EXPECT_FALSE(level.Free(MAP_COLS - 1, row)) << "level " << n << " row " << row;
    }
  }
}

TEST(LevelcTest, PlayersStartSideBySideNearTheBottomAndCanReachTheTop) {
  for (int n = 1; n <= 2; ++n) {
    const Level level = LoadLevel(n);
    ASSERT_EQ(level.walk.size(), size_t(MAP_CELLS));
    const auto p1 = Find(level, 1), p2 = Find(level, 2);
    ASSERT_EQ(p1.size(), 1u) << "level " << n;
    ASSERT_EQ(p2.size(), 1u) << "level " << n;
    EXPECT_EQ(p1[0].second, p2[0].second) << "level " << n;
    EXPECT_LE(std::abs(p1[0].first - p2[0].first), 2) << "level " << n;
    // Above row 0 (hidden under the view's bottom edge) and within the first screen.
    EXPECT_GE(p1[0].second, 1);
    EXPECT_LE(p1[0].second, 6);
    for (auto start : {p1[0], p2[0]}) {
      EXPECT_TRUE(level.Free(start.first, start.second)) << "level " << n;
      EXPECT_TRUE(ReachesRow(level, start, MAP_ROWS - 2))
          << "level " << n << ": no way from the start to row 158";
    }
  }
}

TEST(LevelcTest, MonstersAndHeartsStandOnFreeTiles) {
  for (int n = 1; n <= 2; ++n) {
    const Level level = LoadLevel(n);
    ASSERT_EQ(level.walk.size(), size_t(MAP_CELLS));
    for (int code : {3, 4, 5})
      for (auto p : Find(level, code))
        EXPECT_TRUE(level.Free(p.first, p.second))
            << "level " << n << " code " << code << " at " << p.first << "," << p.second;
    // No monster is placed right next to the starts.
    for (int code : {3, 4})
      for (auto p : Find(level, code))
        EXPECT_GT(p.second, 8) << "level " << n << " monster at row " << p.second;
  }
}

TEST(LevelcTest, LevelTwoIsHarder) {
  const Level one = LoadLevel(1), two = LoadLevel(2);
  ASSERT_EQ(one.entities.size(), size_t(MAP_CELLS));
  ASSERT_EQ(two.entities.size(), size_t(MAP_CELLS));
  EXPECT_GT(Find(two, 4).size(), Find(one, 4).size()) << "more archers";
  EXPECT_LT(Find(two, 5).size(), Find(one, 5).size()) << "fewer hearts";
  EXPECT_GT(Find(one, 4).size(), 0u);
  EXPECT_GT(Find(one, 3).size(), 0u);
  EXPECT_GT(Find(two, 5).size(), 0u);
  // Level 1's first archer comes later than its first melee monster.
  EXPECT_GT(Find(one, 4).front().second, 40);  // Find lists from row 0 up... front is the lowest
  int free1 = 0, free2 = 0;
  for (int i = 0; i < MAP_CELLS; ++i) {
    free1 += one.walk[size_t(i)] == 0;
    free2 += two.walk[size_t(i)] == 0;
  }
  EXPECT_LE(free2, free1) << "level 2's ways are not narrower";
}

TEST(LevelcTest, CompilingAgainGivesTheSameBytes) {
  TempDir dir;
  const std::string tool = std::string(KELVARA_BINARY_DIR) + "/tools/levelc/levelc";
  for (const char* n : {"01", "02"}) {
    const std::string source = std::string(KELVARA_SOURCE_DIR) + "/data/levels/level" + n + ".txt";
    const std::string s = dir.Path() + "/s.txt", d = dir.Path() + "/d.txt";
    ASSERT_EQ(DataFiles::Run("\"" + tool + "\" \"" + source + "\" \"" + s + "\" \"" + d + "\""), 0);
    std::string fresh, built;
    ASSERT_TRUE(DataFiles::ReadAll(s, &fresh));
    ASSERT_TRUE(
        DataFiles::ReadAll(DataFiles::Level(std::string("static_layer") + n + ".txt"), &built));
    EXPECT_TRUE(fresh == built) << n;
    ASSERT_TRUE(DataFiles::ReadAll(d, &fresh));
    ASSERT_TRUE(
        DataFiles::ReadAll(DataFiles::Level(std::string("dynamic_layer") + n + ".txt"), &built));
    EXPECT_TRUE(fresh == built) << n;
  }
}

TEST(LevelcTest, RejectsMalformedSources) {
  TempDir dir;
  const std::string tool = std::string(KELVARA_BINARY_DIR) + "/tools/levelc/levelc";
  const auto compile = [&](const std::string& text) {
    dir.Write("src.txt", text);
    return DataFiles::Run("\"" + tool + "\" \"" + dir.Path() + "/src.txt\" \"" + dir.Path() +
                          "/s.txt\" \"" + dir.Path() + "/d.txt\" 2>/dev/null");
  };
  const auto map = [](const std::string& start_row, const std::string& any_row) {
    std::string text = "# a test level\ntheme forest\nmap\n";
    for (int row = MAP_ROWS - 1; row >= 0; --row) text += (row == 2 ? start_row : any_row) + "\n";
    return text;
  };
  const std::string plain = "#..................#", starts = "#........12........#";
  EXPECT_EQ(compile(map(starts, plain)), 0);
  std::string values;
  ASSERT_TRUE(DataFiles::ReadAll(dir.Path() + "/d.txt", &values));
  EXPECT_NE(values.find(" 1 2 "), std::string::npos);

  EXPECT_NE(compile(map(starts, "#.................#")), 0) << "a short line";
  EXPECT_NE(compile(map(starts, "#........Q.........#")), 0) << "an unknown cell";
  EXPECT_NE(compile(map(starts, "...................#")), 0) << "a walkable column 0";
  EXPECT_NE(compile(map("#........1.........#", plain)), 0) << "no player 2";
  EXPECT_NE(compile("map\n"), 0) << "no theme";
  std::string short_map = map(starts, plain);
  short_map.erase(short_map.size() - 21);
  EXPECT_NE(compile(short_map), 0) << "159 lines";

  // A wall whose top row (11) holds an archway over the opening of its face (row 10).
  const auto gate = [&](const std::string& top, const std::string& face) {
    std::string text = "theme dungeon\nmap\n";
    for (int row = MAP_ROWS - 1; row >= 0; --row)
      text += (row == 11 ? top : row == 10 ? face : row == 2 ? starts : plain) + "\n";
    return compile(text);
  };
  EXPECT_EQ(gate("#######^^^^#########", "#######....#########"), 0);
  EXPECT_NE(gate("#######^^^^#########", "########..##########"), 0) << "arch wider than the gap";
  EXPECT_NE(gate("########^^##########", "#########..#########"), 0) << "arch left of the gap";
  EXPECT_NE(gate("##########^^########", "#########..#########"), 0) << "arch right of the gap";
  EXPECT_NE(gate("#......^^..........#", plain), 0) << "an arch in no wall";
}
