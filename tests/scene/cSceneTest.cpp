#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/Globals.h"
#include "corona/TestPng.h"
#include "gfx/cTexture.h"
#include "scene/cScene.h"
#include "support/TestGL.h"

namespace {

const int T = TILE_SIZE;
const int kGrids = 11;

// The eleven grids of a static layer, kept in file order (top row first).
class LevelFile {
public:
  LevelFile() : values(kGrids * MAP_CELLS, 0) {}
  void Set(int grid, int col, int row, int value) {
    values[grid * MAP_CELLS + (MAP_ROWS - 1 - row) * MAP_COLS + col] = value;
  }
  // Every value followed by one separator: sep inside a row, eol at its end.
  std::string Text(char sep = ' ', char eol = '\n') const {
    std::string out;
    for (size_t i = 0; i < values.size(); ++i) {
      out += std::to_string(values[i]);
      out += (i % MAP_COLS == MAP_COLS - 1) ? eol : sep;
    }
    return out;
  }
  std::vector<int> values;
};

// Tileset whose texel at (x, y from the top) is (cell column * 16 + 8, cell row * 16 + 8,
// row within the cell * 16): the colour names the cell and how it is oriented.
std::string Tileset(int w, int h) {
  std::vector<unsigned char> px(static_cast<size_t>(w) * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      unsigned char* p = &px[(static_cast<size_t>(y) * w + x) * 4];
      p[0] = static_cast<unsigned char>((x / 16) * 16 + 8);
      p[1] = static_cast<unsigned char>((y / 16) * 16 + 8);
      p[2] = static_cast<unsigned char>((y % 16) * 16);
      p[3] = 255;
    }
  return TestPng::Rgba(w, h, px);
}

// A working folder with a tileset texture and level files.
struct Fixture {
  TempDir dir;
  cTexture tileset;
  int tex_w = 0, tex_h = 0;
  std::unique_ptr<cScene> scene = std::make_unique<cScene>();

  explicit Fixture(int w = 256, int h = 256) {
    dir.Write("tileset.png", Tileset(w, h));
    dir.Enter();
    if (TestGL::Ready()) {
      tileset.Load("tileset.png", GL_RGBA, GL_REPEAT, GL_REPEAT, GL_NEAREST, GL_NEAREST, false);
      tileset.GetSize(&tex_w, &tex_h);
    } else {
      tex_w = w;
      tex_h = h;
    }
  }
  void Write(int level, const std::string& text) {
    char name[64];
    std::snprintf(name, sizeof name, "Levels/static_layer%02d.txt", level);
    dir.Write(name, text);
  }
  bool Load(int level, std::string* why = nullptr) {
    return scene->LoadLevel(level, tex_w, tex_h, why);
  }
  // Clears and draws the scene the way the game's render pass starts a frame.
  void Draw(bool animate = true) {
    glViewport(0, 0, TestGL::Width(), TestGL::Height());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 18 * T, 0, 27 * T, 3, -(160 * T + 3));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.05f);
    glDisable(GL_BLEND);
    glClearColor(0, 0, 0, 1);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor4f(1, 1, 1, 1);
    scene->Draw(tileset.GetID(), tex_w, tex_h, animate);
  }
};

// Tileset cell (column, row) shown at map tile (col, row): read at the tile's centre.
::testing::AssertionResult ShowsCell(int col, int row, int cell_col, int cell_row) {
  const TestGL::Pixel p = TestGL::ReadPixel(col * T + T / 2, row * T + T / 2);
  if (p.r == cell_col * 16 + 8 && p.g == cell_row * 16 + 8) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "tile (" << col << ", " << row << ") shows rgb " << int(p.r) << "," << int(p.g) << ","
         << int(p.b) << ", expected cell (" << cell_col << ", " << cell_row << ")";
}

// The centre of map tile (col, row) shows exactly the colour (r, g, b), named `what`.
::testing::AssertionResult ShowsRgb(int col, int row, int r, int g, int b, const char* what) {
  const TestGL::Pixel p = TestGL::ReadPixel(col * T + T / 2, row * T + T / 2);
  if (p.r == r && p.g == g && p.b == b) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "tile (" << col << ", " << row << ") shows rgb " << int(p.r) << "," << int(p.g) << ","
         << int(p.b) << ", expected " << what;
}

// Nothing drawn: the clear colour, black, shows.
::testing::AssertionResult ShowsNothing(int col, int row) {
  return ShowsRgb(col, row, 0, 0, 0, "nothing drawn");
}

::testing::AssertionResult ShowsRed(int col, int row) {
  return ShowsRgb(col, row, 255, 0, 0, "red");
}

// An untextured red sprite-like quad over one map tile at depth z.
void RedQuad(int col, int row, int z) {
  glColor4f(1, 0, 0, 1);
  glBegin(GL_QUADS);
  glVertex3i(col * T, row * T, z);
  glVertex3i(col * T + T, row * T, z);
  glVertex3i(col * T + T, row * T + T, z);
  glVertex3i(col * T, row * T + T, z);
  glEnd();
  glColor4f(1, 1, 1, 1);
}

int Cell(int col, int row) { return col + row * MAP_COLS; }

}  // namespace

TEST(cSceneTest, LevelPathHasTwoDigitsBelowTen) {
  Fixture f;
  EXPECT_FALSE(f.Load(1));
  f.dir.Write("Levels/static_layer1.txt", LevelFile().Text());
  EXPECT_FALSE(f.Load(1));
  f.dir.Write("Levels/static_layer01.txt", LevelFile().Text());
  f.dir.Write("Levels/static_layer02.txt", LevelFile().Text());
  f.dir.Write("Levels/static_layer010.txt", LevelFile().Text());
  EXPECT_TRUE(f.Load(1));
  EXPECT_TRUE(f.Load(2));
  EXPECT_FALSE(f.Load(10));
  f.dir.Write("Levels/static_layer10.txt", LevelFile().Text());
  EXPECT_TRUE(f.Load(10));
  // A level number too long for the path buffer is refused, not truncated.
  EXPECT_FALSE(f.Load(1234567890));
  EXPECT_FALSE(f.Load(-123456789));
}

TEST(cSceneTest, CellArithmeticOnA256Tileset) {
  ASSERT_TRUE(TestGL::Ready());
  Fixture f(256, 256);
  LevelFile level;
  level.Set(0, 1, 2, 1);    // top-left cell
  level.Set(0, 3, 2, 17);   // first cell of the second row
  level.Set(0, 5, 2, 2);    // second cell of the first row
  level.Set(0, 7, 2, 256);  // bottom-right cell
  level.Set(0, 9, 2, 257);  // past the last cell: wraps to the top row
  f.Write(1, level.Text());
  ASSERT_TRUE(f.Load(1));
  f.Draw();
  EXPECT_TRUE(ShowsCell(1, 2, 0, 0));
  EXPECT_TRUE(ShowsCell(3, 2, 0, 1));
  EXPECT_TRUE(ShowsCell(5, 2, 1, 0));
  EXPECT_TRUE(ShowsCell(7, 2, 15, 15));
  EXPECT_TRUE(ShowsCell(9, 2, 0, 0));
  EXPECT_TRUE(ShowsNothing(0, 2));  // empty cell
  // The image's top edge is the quad's top edge.
  EXPECT_EQ(TestGL::ReadPixel(3 * T + T / 2, 2 * T + T - 1).b, 0);
  EXPECT_EQ(TestGL::ReadPixel(3 * T + T / 2, 2 * T).b, 15 * 16);
}

TEST(cSceneTest, GridsAreReadTopRowFirst) {
  Fixture f;
  // Grid 1: its first twenty values are set, the rest zero.
  std::string text;
  for (int g = 0; g < kGrids; ++g)
    for (int i = 0; i < MAP_CELLS; ++i)
      text += (g == 1 && i < MAP_COLS ? "1" : "0") + std::string(" ");
  f.Write(1, text);
  ASSERT_TRUE(f.Load(1));
  f.scene->BuildCollisionMaps();
  const char* walk = f.scene->GetWalkMap();
  for (int col = 0; col < MAP_COLS; ++col) {
    EXPECT_EQ(walk[Cell(col, MAP_ROWS - 1)], 1) << col;
    EXPECT_EQ(walk[Cell(col, 0)], 0) << col;
  }
  // The last value of a grid is row 0, column 19.
  LevelFile level;
  level.values[2 * MAP_CELLS - 1] = 5;
  f.Write(2, level.Text());
  ASSERT_TRUE(f.Load(2));
  f.scene->BuildCollisionMaps();
  EXPECT_EQ(walk[Cell(19, 0)], 1);
  EXPECT_EQ(std::count(walk, walk + MAP_CELLS, 1), 1);
}

TEST(cSceneTest, EachGridHasItsCollisionRole) {
  Fixture f;
  LevelFile level;
  // Grid g alone at column g of row 5.
  for (int g = 0; g < kGrids; ++g) level.Set(g, g, 5, 3);
  // Grid 4 frees cells of grids 1, 2, 5 and 6 on row 7.
  for (int g : {1, 2, 5, 6}) {
    level.Set(g, g, 7, 3);
    level.Set(4, g, 7, 1);
  }
  level.Set(4, 10, 7, 1);  // grid 4 alone
  f.Write(1, level.Text());
  ASSERT_TRUE(f.Load(1));
  f.scene->BuildCollisionMaps();
  const char* walk = f.scene->GetWalkMap();
  const char* proj = f.scene->GetProjectileMap();
  for (int g = 0; g < kGrids; ++g) {
    const bool blocks_walk = g == 1 || g == 2 || g == 5 || g == 6;
    const bool blocks_proj = g == 5 || g == 6;
    EXPECT_EQ(walk[Cell(g, 5)], blocks_walk ? 1 : 0) << "grid " << g;
    EXPECT_EQ(proj[Cell(g, 5)], blocks_proj ? 1 : 0) << "grid " << g;
  }
  for (int col = 0; col < MAP_COLS; ++col) {
    EXPECT_EQ(walk[Cell(col, 7)], 0) << col;
    EXPECT_EQ(proj[Cell(col, 7)], 0) << col;
  }
  EXPECT_EQ(std::count(walk, walk + MAP_CELLS, 1), 4);
  EXPECT_EQ(std::count(proj, proj + MAP_CELLS, 1), 2);
  EXPECT_EQ(std::count(walk, walk + MAP_CELLS, 0), MAP_CELLS - 4);
}

TEST(cSceneTest, SeparatorsAndNumberFormsReadAlike) {
  ASSERT_TRUE(TestGL::Ready());
  Fixture f;
  LevelFile level;
  level.Set(1, 2, 3, 17);
  const std::vector<std::string> texts = {level.Text(' ', '\n'), level.Text(',', ','),
                                          level.Text('\n', '\n'), level.Text(' ', ' ')};
  for (size_t k = 0; k < texts.size(); ++k) {
    SCOPED_TRACE(k);
    f.Write(1, texts[k]);
    ASSERT_TRUE(f.Load(1));
    f.scene->BuildCollisionMaps();
    EXPECT_EQ(f.scene->GetWalkMap()[Cell(2, 3)], 1);
    EXPECT_EQ(std::count(f.scene->GetWalkMap(), f.scene->GetWalkMap() + MAP_CELLS, 1), 1);
    f.Draw();
    EXPECT_TRUE(ShowsCell(2, 3, 0, 1));
  }
  // Extra white space, hex, octal and a sign: all the value 17.
  const std::string plain = level.Text();
  const size_t at = plain.find("17");
  ASSERT_NE(at, std::string::npos);
  for (const char* form : {"0x11", "021", "+17", " \t\n 17"}) {
    SCOPED_TRACE(form);
    f.Write(1, plain.substr(0, at) + form + plain.substr(at + 2));
    ASSERT_TRUE(f.Load(1));
    f.Draw();
    EXPECT_TRUE(ShowsCell(2, 3, 0, 1));
  }
}

TEST(cSceneTest, AnimatedTilesStepEveryThirdPlayingDraw) {
  ASSERT_TRUE(TestGL::Ready());
  Fixture f(128, 64);  // 8 cells by 4
  LevelFile level;
  level.Set(3, 4, 4, 3);    // back: first cell column 2, row 0
  level.Set(10, 6, 4, 16);  // front: column 7, row 1; later frames wrap to column 0
  f.Write(1, level.Text());
  ASSERT_TRUE(f.Load(1));
  const int expected[13] = {0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0};
  for (int call = 0; call < 13; ++call) {
    SCOPED_TRACE(call + 1);
    f.Draw(true);
    EXPECT_TRUE(ShowsCell(4, 4, 2 + expected[call], 0));
    EXPECT_TRUE(ShowsCell(6, 4, (7 + expected[call]) % 8, 1));
  }
  // One more playing draw: the counter stands at 2 of 3, frame 0.
  f.Draw(true);
  for (int call = 0; call < 5; ++call) {
    f.Draw(false);
    EXPECT_TRUE(ShowsCell(4, 4, 2, 0));
  }
  f.Draw(true);  // the third counted draw still shows frame 0 ...
  EXPECT_TRUE(ShowsCell(4, 4, 2, 0));
  f.Draw(true);  // ... and moves it on
  EXPECT_TRUE(ShowsCell(4, 4, 3, 0));
}

TEST(cSceneTest, EqualDepthKeepsWhatWasDrawnFirst) {
  ASSERT_TRUE(TestGL::Ready());
  Fixture f;
  LevelFile level;
  level.Set(6, 1, 10, 1);  // depth 11 T
  level.Set(7, 3, 12, 2);  // depth 12 T
  level.Set(8, 5, 3, 3);   // depth 0
  level.Set(10, 7, 3, 4);  // front animated, depth 0
  level.Set(0, 9, 3, 5);   // depth 160 T + 2
  level.Set(4, 11, 3, 6);  // depth 160 T + 1
  f.Write(1, level.Text());
  ASSERT_TRUE(f.Load(1));

  struct Case {
    int col, row, z;
    bool tile_stays;
    int cell;
  };
  const Case cases[] = {
      {1, 10, 11 * T, true, 0},
      {1, 10, 11 * T - 1, false, 0},
      {3, 12, 12 * T, true, 1},
      {3, 12, 12 * T - 1, false, 1},
      {5, 3, 0, true, 2},
      {7, 3, 0, true, 3},
      {9, 3, 160 * T + 2, true, 4},
      {9, 3, 160 * T + 1, false, 4},
      {11, 3, 160 * T + 1, true, 5},
      {11, 3, 160 * T, false, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "tile (" << c.col << ", " << c.row << ") quad z " << c.z);
    f.Draw(false);
    RedQuad(c.col, c.row, c.z);
    if (c.tile_stays)
      EXPECT_TRUE(ShowsCell(c.col, c.row, c.cell, 0));
    else
      EXPECT_TRUE(ShowsRed(c.col, c.row));
  }
}

TEST(cSceneTest, LayersOverlapInTheirOrder) {
  ASSERT_TRUE(TestGL::Ready());
  Fixture f;
  LevelFile level;
  // Pairs on one cell; the first named grid must show.
  const int pairs[][2] = {{1, 0}, {2, 1}, {5, 2},  {3, 5}, {4, 5},
                          {4, 3}, {9, 8}, {10, 9}, {8, 0}, {6, 0}};
  int col = 0;
  for (const auto& p : pairs) {
    level.Set(p[0], col, 20, 1 + col);       // shows cell (col, 0)
    level.Set(p[1], col, 20, 1 + col + 16);  // would show cell (col, 1)
    ++col;
  }
  f.Write(1, level.Text());
  ASSERT_TRUE(f.Load(1));
  f.Draw(false);
  for (int c = 0; c < col; ++c)
    EXPECT_TRUE(ShowsCell(c, 20, c, 0)) << "grid " << pairs[c][0] << " over grid " << pairs[c][1];
}

TEST(cSceneTest, UnreadableFilesFailAndKeepThePreviousLevel) {
  ASSERT_TRUE(TestGL::Ready());
  Fixture f;
  LevelFile good;
  good.Set(1, 2, 2, 1);  // static, blocks walkers
  good.Set(3, 4, 2, 1);  // animated
  f.Write(1, good.Text());
  ASSERT_TRUE(f.Load(1));
  f.scene->BuildCollisionMaps();
  const std::vector<char> walk_before(f.scene->GetWalkMap(), f.scene->GetWalkMap() + MAP_CELLS);

  LevelFile other;
  for (int c = 0; c < MAP_COLS; ++c) other.Set(5, c, 9, 1);  // would block a whole row
  const std::string text = other.Text();
  const size_t mid = text.size() / 2;
  const std::vector<std::pair<const char*, std::string>> bad = {
      {"empty", ""},
      {"truncated", text.substr(0, mid)},
      {"one value short", text.substr(0, text.rfind('0'))},
      {"word", text.substr(0, mid) + "abc " + text.substr(mid)},
      {"lone sign", text.substr(0, mid) + " - " + text.substr(mid)},
      {"bare 0x", text.substr(0, mid) + " 0xg " + text.substr(mid)},
      {"too big", text.substr(0, mid) + " 99999999999 " + text.substr(mid)},
      {"too small", text.substr(0, mid) + " -2147483649 " + text.substr(mid)},
      {"huge hex", text.substr(0, mid) + " 0x100000000 " + text.substr(mid)},
      {"nul byte", text.substr(0, mid) + std::string(" \0 ", 3) + text.substr(mid)},
  };
  for (const auto& b : bad) {
    SCOPED_TRACE(b.first);
    f.Write(2, b.second);
    std::string why;
    EXPECT_FALSE(f.Load(2, &why));
    EXPECT_NE(why, "");
    f.scene->BuildCollisionMaps();  // rebuilt from the layers that are still held
    EXPECT_EQ(std::vector<char>(f.scene->GetWalkMap(), f.scene->GetWalkMap() + MAP_CELLS),
              walk_before);
    f.Draw(false);
    EXPECT_TRUE(ShowsCell(2, 2, 0, 0));                               // static layers kept
    EXPECT_EQ(TestGL::ReadPixel(4 * T + T / 2, 2 * T + T / 2).r, 0);  // animated tiles dropped
  }
  // Why, for a file that ends early and for one that holds what is not an int.
  std::string why;
  f.Write(2, "");
  EXPECT_FALSE(f.Load(2, &why));
  EXPECT_EQ(why, "it ends after 0 of 35200 values");
  f.Write(2, "1 2 99999999999 ");
  EXPECT_FALSE(f.Load(2, &why));
  EXPECT_EQ(why, "value 3 of 35200 is not a number an int can hold");
  // A missing file behaves the same.
  EXPECT_FALSE(f.Load(7, &why));
  EXPECT_EQ(why, "No such file or directory");
  f.Draw(false);
  EXPECT_TRUE(ShowsCell(2, 2, 0, 0));
}

TEST(cSceneTest, ExtremeValuesLoadWithoutHarm) {
  ASSERT_TRUE(TestGL::Ready());
  Fixture f;
  LevelFile level;
  level.Set(0, 1, 1, 2147483647);
  level.Set(0, 2, 1, -2147483647 - 1);
  level.Set(3, 3, 1, 2147483647);
  level.Set(10, 4, 1, -5);
  level.Set(1, 5, 1, 1);
  f.Write(1, level.Text());
  ASSERT_TRUE(f.Load(1));
  f.scene->BuildCollisionMaps();
  EXPECT_EQ(f.scene->GetWalkMap()[Cell(5, 1)], 1);
  for (int i = 0; i < 13; ++i) f.Draw(true);
  EXPECT_TRUE(ShowsCell(5, 1, 0, 0));
}

TEST(cSceneTest, TilesetsSmallerThanOneCellDoNotDivideByZero) {
  ASSERT_TRUE(TestGL::Ready());
  LevelFile level;
  level.Set(0, 2, 2, 1);
  level.Set(3, 4, 2, 9);
  level.Set(10, 6, 2, 2);
  for (auto size : {std::pair<int, int>{0, 0}, {8, 8}, {300, 10}, {10, 300}}) {
    SCOPED_TRACE(testing::Message() << size.first << "x" << size.second);
    Fixture f;
    f.Write(1, level.Text());
    f.tex_w = size.first;
    f.tex_h = size.second;
    ASSERT_TRUE(f.Load(1));
    for (int i = 0; i < 4; ++i) f.Draw(true);
  }
  // An 8x8 tileset is one cell: every tile shows the whole image.
  Fixture tiny(8, 8);
  tiny.Write(1, level.Text());
  ASSERT_TRUE(tiny.Load(1));
  tiny.Draw(true);
  EXPECT_TRUE(ShowsCell(2, 2, 0, 0));
  EXPECT_TRUE(ShowsCell(4, 2, 0, 0));
  EXPECT_TRUE(ShowsCell(6, 2, 0, 0));
}

TEST(cSceneTest, ConstructedSceneIsEmptyAndFree) {
  ASSERT_TRUE(TestGL::Ready());
  Fixture f;
  f.scene->BuildCollisionMaps();
  EXPECT_EQ(std::count(f.scene->GetWalkMap(), f.scene->GetWalkMap() + MAP_CELLS, 0), MAP_CELLS);
  EXPECT_EQ(std::count(f.scene->GetProjectileMap(), f.scene->GetProjectileMap() + MAP_CELLS, 0),
            MAP_CELLS);
  f.Draw(true);
  const TestGL::Pixel p = TestGL::ReadPixel(5 * T, 5 * T);
  EXPECT_EQ(p.r + p.g + p.b, 0);
}
