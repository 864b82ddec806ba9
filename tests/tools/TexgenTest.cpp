// Checks on the textures that texgen draws into the data folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Globals.h"
#include "support/TestGL.h"
#include "tools/DataImage.h"
#include "tools/texgen/TilesetLayout.h"

namespace {

const int kCell = 4 * SHEET_TILE_SIZE;  // creature cell, 64 texels
const int kShot = 2 * SHEET_TILE_SIZE;  // projectile cell, 32 texels

DataImage LoadTexture(const std::string& name) {
  DataImage image;
  EXPECT_TRUE(image.Load(DataFiles::Texture(name))) << name;
  return image;
}

// A cell holds a figure: more than a few opaque texels.
void ExpectFigure(const DataImage& img, int col, int row, int cell, const std::string& what) {
  EXPECT_GT(img.CountOpaque(col * cell, row * cell, cell, cell), cell / 2)
      << what << ": cell column " << col << ", row " << row << " is empty";
}

// The frames of one looping animation: each differs from the next (and the last from the first).
void ExpectFramesDiffer(const DataImage& img, const std::vector<std::pair<int, int>>& cells,
                        int cell, const std::string& what) {
  for (size_t i = 0; i < cells.size(); ++i) {
    const auto a = cells[i], b = cells[(i + 1) % cells.size()];
    EXPECT_FALSE(
        img.SameBox(a.first * cell, a.second * cell, b.first * cell, b.second * cell, cell, cell))
        << what << ": cells (" << a.first << "," << a.second << ") and (" << b.first << ","
        << b.second << ") are the same picture";
  }
}

std::vector<std::pair<int, int>> Column(int col, int first_row, int count) {
  std::vector<std::pair<int, int>> cells;
  for (int k = 0; k < count; ++k) cells.emplace_back(col, first_row + k);
  return cells;
}

std::vector<std::pair<int, int>> Row(int row, int first_col, int count) {
  std::vector<std::pair<int, int>> cells;
  for (int k = 0; k < count; ++k) cells.emplace_back(first_col + k, row);
  return cells;
}

}  // namespace

TEST(TexgenTest, EveryTextureHasItsExactSizeAndIsRgba) {
  struct Expected {
    const char* name;
    int w, h;
  };
  const Expected textures[] = {
      {"tileset.png", 256, 256},  {"player1.png", 256, 896},  {"superp1.png", 256, 896},
      {"player2.png", 256, 896},  {"superp2.png", 256, 896},  {"overlay1.png", 96, 64},
      {"overlay2.png", 96, 64},   {"monster1.png", 640, 640}, {"monster2.png", 640, 640},
      {"fireball.png", 192, 160}, {"arrow.png", 96, 32},      {"heart.png", 64, 16}};
  for (const Expected& e : textures) {
    const DataImage img = LoadTexture(e.name);
    EXPECT_TRUE(img.IsRgba8()) << e.name << " is not 8-bit RGBA";
    EXPECT_EQ(img.Width(), e.w) << e.name;
    EXPECT_EQ(img.Height(), e.h) << e.name;
    // Real transparency: clear texels around the figures, opaque ones in them.
    EXPECT_GT(img.CountOpaque(0, 0, e.w, e.h), 0) << e.name;
    if (std::string(e.name) != "tileset.png") {
      EXPECT_LT(img.CountOpaque(0, 0, e.w, e.h), e.w * e.h) << e.name << " has no clear texel";
    }
  }
}

TEST(TexgenTest, PlayerSheetsHoldEveryStateAndAnimate) {
  for (const char* name : {"player1.png", "superp1.png", "player2.png", "superp2.png"}) {
    const DataImage img = LoadTexture(name);
    const bool mage = std::string(name).find('2') != std::string::npos;
    const int spin_frames = mage ? 12 : 7;
    for (int col = 0; col < 3; ++col) {
      for (int row = 0; row < 14; ++row) ExpectFigure(img, col, row, kCell, name);
      ExpectFramesDiffer(img, Column(col, 1, 4), kCell, std::string(name) + " walk");
      ExpectFramesDiffer(img, Column(col, 5, 4), kCell, std::string(name) + " attack");
      ExpectFramesDiffer(img, Column(col, 9, 2), kCell, std::string(name) + " guard");
      ExpectFramesDiffer(img, Column(col, 10, 2), kCell, std::string(name) + " guard walk");
      ExpectFramesDiffer(img, Column(col, 12, 2), kCell, std::string(name) + " hurt");
    }
    ExpectFigure(img, 3, 0, kCell, std::string(name) + " fallen");
    for (int k = 0; k < spin_frames; ++k)
      ExpectFigure(img, 3, 1 + k, kCell, std::string(name) + " spin");
    ExpectFramesDiffer(img, Column(3, 1, spin_frames), kCell, std::string(name) + " spin");
  }
}

TEST(TexgenTest, ChargedSheetsDifferFromThePlainOnes) {
  for (auto pair : {std::make_pair("player1.png", "superp1.png"),
                    std::make_pair("player2.png", "superp2.png")}) {
    const DataImage plain = LoadTexture(pair.first), charged = LoadTexture(pair.second);
    // Same figures (the charged one glows outward a little), other colours.
    for (int row = 0; row < 14; ++row) {
      int differing = 0;
      for (int y = row * kCell; y < (row + 1) * kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
          if (plain.Alpha(x, y) != 0) {
            EXPECT_NE(charged.Alpha(x, y), 0) << pair.second << " lost texel " << x << "," << y;
          }
          differing += plain.Texel(x, y) != charged.Texel(x, y);
        }
      EXPECT_GT(differing, kCell) << pair.second << " row " << row << " looks like the plain sheet";
    }
  }
}

TEST(TexgenTest, FiguresStandOnTheHitboxFeetRow) {
  // The sprite quad is centred on the hitbox: in a 64-texel cell the hitbox is
  // columns 24-39 and rows 20-43, so a standing figure's feet end on row 43
  // (its dark rim on row 44) and its body covers the hitbox columns.
  struct Sheet {
    const char* name;
    std::vector<std::pair<int, int>> standing;
  };
  const Sheet sheets[] = {{"player1.png", {{0, 0}, {1, 0}, {2, 0}}},
                          {"player2.png", {{0, 0}, {1, 0}, {2, 0}}},
                          {"monster1.png", {{5, 0}, {5, 1}, {5, 2}}},
                          {"monster2.png", {{5, 0}, {5, 1}, {5, 2}}}};
  for (const Sheet& s : sheets) {
    const DataImage img = LoadTexture(s.name);
    for (auto cell : s.standing) {
      const int x0 = cell.first * kCell, y0 = cell.second * kCell;
      // Boots on rows 42-43 inside the hitbox columns, and below them at most
      // the tip of a weapon.
      EXPECT_GE(img.CountOpaque(x0 + 24, y0 + 42, 16, 2), 6)
          << s.name << " cell " << cell.first << "," << cell.second;
      EXPECT_LE(img.CountOpaque(x0 + 24, y0 + 46, 16, 18), 12)
          << s.name << " cell " << cell.first << "," << cell.second;
      // The hitbox itself is mostly covered by the figure.
      EXPECT_GT(img.CountOpaque(x0 + 24, y0 + 20, 16, 24), 16 * 24 / 2) << s.name;
      // Nothing is drawn in the cell's outermost ring, so cells never bleed.
      EXPECT_EQ(img.CountOpaque(x0, y0, kCell, 1) + img.CountOpaque(x0, y0 + kCell - 1, kCell, 1),
                0)
          << s.name;
    }
  }
}

TEST(TexgenTest, MonsterSheetsHoldEveryStateAndAnimate) {
  for (const char* name : {"monster1.png", "monster2.png"}) {
    const DataImage img = LoadTexture(name);
    for (int r = 0; r < 3; ++r) {
      for (int k = 0; k < 6; ++k) {
        ExpectFigure(img, k, r, kCell, std::string(name) + " walk");
        ExpectFigure(img, k, 3 + r, kCell, std::string(name) + " hurt");
      }
      for (int k = 0; k < 10; ++k)
        ExpectFigure(img, k, 6 + r, kCell, std::string(name) + " attack");
      ExpectFramesDiffer(img, Row(r, 0, 6), kCell, std::string(name) + " walk");
      ExpectFramesDiffer(img, Row(3 + r, 0, 6), kCell, std::string(name) + " hurt");
      ExpectFramesDiffer(img, Row(6 + r, 0, 10), kCell, std::string(name) + " attack");
    }
    for (int k = 0; k < 10; ++k) ExpectFigure(img, k, 9, kCell, std::string(name) + " death");
    // The dying animation plays once: each frame differs from the one before.
    for (int k = 1; k < 10; ++k)
      EXPECT_FALSE(img.SameBox((k - 1) * kCell, 9 * kCell, k * kCell, 9 * kCell, kCell, kCell))
          << name << " death " << k;
  }
}

TEST(TexgenTest, RightFacingCellsAreNotMirrorImages) {
  // Left-facing states draw the right-facing cells mirrored, so those cells must
  // really face one way.
  for (const char* name : {"player1.png", "player2.png", "superp1.png", "superp2.png"}) {
    const DataImage img = LoadTexture(name);
    for (int row = 0; row < 14; ++row)
      EXPECT_FALSE(img.MirrorSymmetric(2 * kCell, row * kCell, kCell, kCell))
          << name << " row " << row;
  }
  for (const char* name : {"monster1.png", "monster2.png"}) {
    const DataImage img = LoadTexture(name);
    for (int row : {2, 5, 8})
      for (int col = 0; col < (row == 8 ? 10 : 6); ++col)
        EXPECT_FALSE(img.MirrorSymmetric(col * kCell, row * kCell, kCell, kCell))
            << name << " " << col << "," << row;
  }
  const DataImage fireball = LoadTexture("fireball.png");
  for (int col = 0; col < 3; ++col)
    EXPECT_FALSE(fireball.MirrorSymmetric(col * kShot, 2 * kShot, kShot, kShot))
        << "fireball right " << col;
  const DataImage arrow = LoadTexture("arrow.png");
  EXPECT_FALSE(arrow.MirrorSymmetric(2 * kShot, 0, kShot, kShot));
}

TEST(TexgenTest, ProjectileAndHeartSheetsHoldTheirFrames) {
  const DataImage fireball = LoadTexture("fireball.png");
  for (int row = 0; row < 3; ++row) {
    for (int f = 0; f < 3; ++f) {
      ExpectFigure(fireball, f, row, kShot, "fireball flight");
      // The flame covers the middle of its 16-texel hitbox (texels 8-23).
      EXPECT_EQ(fireball.CountOpaque(f * kShot + 12, row * kShot + 12, 8, 8), 64)
          << "fireball " << f << "," << row;
    }
    ExpectFramesDiffer(fireball, Row(row, 0, 3), kShot, "fireball flight");
  }
  std::vector<std::pair<int, int>> explosion = {{0, 3}, {1, 3}, {2, 3}, {3, 3}, {4, 4}, {5, 4}};
  for (auto cell : explosion) ExpectFigure(fireball, cell.first, cell.second, kShot, "explosion");
  for (size_t k = 1; k < explosion.size(); ++k)
    EXPECT_FALSE(fireball.SameBox(explosion[k - 1].first * kShot, explosion[k - 1].second * kShot,
                                  explosion[k].first * kShot, explosion[k].second * kShot, kShot,
                                  kShot))
        << "explosion frame " << k;

  const DataImage arrow = LoadTexture("arrow.png");
  for (int col = 0; col < 3; ++col) {
    ExpectFigure(arrow, col, 0, kShot, "arrow");
    // The shaft crosses the arrow's 4 x 4 hitbox (texels 14-17).
    EXPECT_GT(arrow.CountOpaque(col * kShot + 14, 14, 4, 4), 0) << "arrow " << col;
  }
  // The steel point is the brightest texel: up, down and right in that order.
  const auto point = [&](int col) {
    int best = -1, bx = 0, by = 0;
    for (int y = 0; y < kShot; ++y)
      for (int x = 0; x < kShot; ++x) {
        const uint32_t t = arrow.Texel(col * kShot + x, y);
        const int sum = int(t >> 24) + int((t >> 16) & 255) + int((t >> 8) & 255);
        if ((t & 255) != 0 && sum > best) best = sum, bx = x, by = y;
      }
    return std::make_pair(bx, by);
  };
  EXPECT_LT(point(0).second, 14) << "the up arrow points up";
  EXPECT_GT(point(1).second, 17) << "the down arrow points down";
  EXPECT_GT(point(2).first, 17) << "the right arrow points right";
  EXPECT_FALSE(arrow.SameBox(0, 0, kShot, 0, kShot, kShot));

  const DataImage heart = LoadTexture("heart.png");
  for (int f = 0; f < 4; ++f) ExpectFigure(heart, f, 0, 16, "heart");
  ExpectFramesDiffer(heart, Row(0, 0, 4), 16, "heart beat");
}

TEST(TexgenTest, HudPanelsAreClearExactlyOverTheBarSlots) {
  // The bars are drawn behind the panel, which spans 6 x 4 tiles on screen.
  // Map every pixel of each bar's full-length quad to the texel that nearest
  // sampling picks, in this build's tile size: those texels must be clear,
  // and the ring of pixels around each bar must show opaque frame texels.
  const int T = TILE_SIZE;
  for (int player = 1; player <= 2; ++player) {
    const std::string name = player == 1 ? "overlay1.png" : "overlay2.png";
    const DataImage img = LoadTexture(name);
    const int panel_w = 6 * T, panel_h = 4 * T;
    const auto texel_alpha = [&](int px, int py) {  // py counted up from the panel's bottom
      const int tx = (2 * px + 1) * img.Width() / (2 * panel_w);
      const int ty = img.Height() - 1 - (2 * py + 1) * img.Height() / (2 * panel_h);
      return img.Alpha(tx, ty);
    };
    const int bar_x = player == 1 ? 2 * T : T / 2;
    const int len = 6 * T - int(2.5 * T);
    const int bars[2][2] = {{int(0.625 * T), int(0.875 * T)}, {T / 8, 3 * T / 8}};
    for (const auto& bar : bars) {
      for (int py = bar[0]; py < bar[1]; ++py)
        for (int px = bar_x; px < bar_x + len; ++px)
          ASSERT_EQ(texel_alpha(px, py), 0) << name << " covers its bar at " << px << "," << py;
      const int ring = T / 16;  // one texel
      for (int px = bar_x - ring; px < bar_x + len + ring; ++px) {
        EXPECT_NE(texel_alpha(px, bar[0] - ring), 0) << name << " frame below the bar at x " << px;
        EXPECT_NE(texel_alpha(px, bar[1] + ring - 1), 0)
            << name << " frame above the bar at x " << px;
      }
      for (int py = bar[0]; py < bar[1]; ++py) {
        EXPECT_NE(texel_alpha(bar_x - ring, py), 0) << name << " frame left of the bar";
        EXPECT_NE(texel_alpha(bar_x + len + ring - 1, py), 0) << name << " frame right of the bar";
      }
    }
    // The rest of the lower 1.5 tiles (the plate behind the bars) is opaque.
    int clear = 0;
    for (int py = 0; py < 3 * T / 2; ++py)
      for (int px = 0; px < panel_w; ++px) clear += texel_alpha(px, py) == 0;
    EXPECT_EQ(clear, 2 * len * (T / 4)) << name;
  }
}

TEST(TexgenTest, TheDungeonPitIsADarkShaftWithSpikes) {
  const DataImage tiles = LoadTexture("tileset.png");
  const int cell = TilesetLayout::Cell(TilesetLayout::DUNGEON, TilesetLayout::PIT);
  const int x0 = cell % 16 * SHEET_TILE_SIZE, y0 = cell / 16 * SHEET_TILE_SIZE;
  const auto light = [&](int x, int y) {
    const uint32_t t = tiles.Texel(x0 + x, y0 + y);
    return int((t >> 24) * 3 + (t >> 16 & 255) * 6 + (t >> 8 & 255)) / 10;
  };
  int dark = 0, spikes = 0;
  for (int x = 2; x < 14; ++x) {
    for (int y = 8; y < 14; ++y) dark += light(x, y) < 60;
    // A spike: bright texels rising at least four from the foot of the shaft.
    int rise = 0;
    while (rise < 9 && light(x, 13 - rise) > 150) ++rise;
    spikes += rise >= 4;
  }
  EXPECT_GE(dark, 24) << "the depth of the pit is not dark";
  EXPECT_GE(spikes, 3);
}

TEST(TexgenTest, GeneratingAgainGivesTheSameBytes) {
  TempDir dir;
  const std::string tool = std::string(KELVARA_BINARY_DIR) + "/tools/texgen/texgen";
  ASSERT_EQ(DataFiles::Run("\"" + tool + "\" \"" + dir.Path() + "\""), 0);
  for (const char* name :
       {"tileset.png", "player1.png", "superp1.png", "player2.png", "superp2.png", "overlay1.png",
        "overlay2.png", "monster1.png", "monster2.png", "fireball.png", "arrow.png", "heart.png"}) {
    std::string fresh, built;
    ASSERT_TRUE(DataFiles::ReadAll(dir.Path() + "/" + name, &fresh)) << name;
    ASSERT_TRUE(DataFiles::ReadAll(DataFiles::Texture(name), &built)) << name;
    EXPECT_TRUE(fresh == built) << name << " differs between two runs";
  }
}
