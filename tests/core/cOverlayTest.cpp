#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "common/Globals.h"
#include "core/cOverlay.h"
#include "support/TestGL.h"

namespace {

// The game's view: 18 x 27 tiles from x = TILE_SIZE, bottom edge at `bottom`,
// with its depth range, alpha test, depth test and HUD blending.
void SetUpView(int bottom) {
  glViewport(0, 0, TestGL::Width(), TestGL::Height());
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(TILE_SIZE, 19 * TILE_SIZE, bottom, bottom + 27 * TILE_SIZE, 3, -(160 * TILE_SIZE + 3));
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.05f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_TEXTURE_2D);
  glColor4f(1, 1, 1, 1);
}

// Reads the world pixel (wx, wy) of a view whose bottom edge is `bottom`.
TestGL::Pixel World(int wx, int wy, int bottom) {
  return TestGL::ReadPixel(wx - TILE_SIZE, wy - bottom);
}

bool Lit(const TestGL::Pixel& p) { return p.r || p.g || p.b; }

// Length of the lit run starting at world x0 on row wy.
int RunLength(int x0, int wy, int bottom) {
  int n = 0;
  while (x0 + n < 19 * TILE_SIZE && Lit(World(x0 + n, wy, bottom))) ++n;
  return n;
}

void ExpectColour(const TestGL::Pixel& p, int r, int g, int b) {
  EXPECT_NEAR(p.r, r, 1);
  EXPECT_NEAR(p.g, g, 1);
  EXPECT_NEAR(p.b, b, 1);
}

// Player 1's panel as the game places it at the bottom-left of the view.
cOverlay Panel1(int bottom) {
  cOverlay p;
  p.SetBarX(2 * TILE_SIZE);
  p.SetX(TILE_SIZE);
  p.SetY(bottom);
  return p;
}

// A 6x4 panel texture: top texel row opaque blue, the rest of the left half
// opaque red, the rest of the right half fully transparent.
GLuint MakePanelTexture() {
  std::vector<unsigned char> px(6 * 4 * 4, 0);
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 6; ++col) {
      unsigned char* t = &px[(row * 6 + col) * 4];
      if (row == 0) {
        t[2] = 255;
        t[3] = 255;
      } else if (col < 3) {
        t[0] = 255;
        t[3] = 255;
      }
    }
  GLuint tex = 0;
  glGenTextures(1, &tex);
  glBindTexture(GL_TEXTURE_2D, tex);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 6, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
  glBindTexture(GL_TEXTURE_2D, 0);
  return tex;
}

}  // namespace

TEST(cOverlay, SizeAndPlacementAccessors) {
  cOverlay p;
  EXPECT_EQ(p.GetWidth(), 6 * TILE_SIZE);
  p.SetX(19 * TILE_SIZE - p.GetWidth());
  p.SetY(250);
  EXPECT_EQ(p.GetX(), 13 * TILE_SIZE);
  EXPECT_EQ(p.GetY(), 250);
}

TEST(cOverlay, LifeBarLengthAndColourFollowLife) {
  ASSERT_TRUE(TestGL::Ready());
  const int bottom = TILE_SIZE;
  cOverlay p = Panel1(bottom);
  const int x0 = TILE_SIZE + 2 * TILE_SIZE;
  const int life_row = bottom + 3 * TILE_SIZE / 4;  // inside 0.625..0.875 tiles

  struct Case {
    int life;
    int len32;
    int len16;
    int r, g, b;
  };
  const Case cases[] = {
      {150, 112, 56, 0, 255, 0},  // full: green
      {75, 56, 28, 255, 255, 0},  // half: yellow
      {30, 22, 11, 255, 102, 0},  // 0.2: 22.4 / 11.2 truncated, (1, 0.4, 0)
      {0, 0, 0, 0, 0, 0},         // dead: no bar
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.life);
    SetUpView(bottom);
    p.DrawBars(150, c.life, 150, 150);
    const int expected = TILE_SIZE == 32 ? c.len32 : c.len16;
    EXPECT_EQ(RunLength(x0, life_row, bottom), expected);
    EXPECT_FALSE(Lit(World(x0 - 1, life_row, bottom)));
    if (expected > 0) {
      ExpectColour(World(x0, life_row, bottom), c.r, c.g, c.b);
      ExpectColour(World(x0 + expected - 1, life_row, bottom), c.r, c.g, c.b);
    } else {
      EXPECT_FALSE(Lit(World(x0, life_row, bottom)));
    }
  }
}

TEST(cOverlay, BarsOccupyTheirRows) {
  ASSERT_TRUE(TestGL::Ready());
  const int bottom = TILE_SIZE;
  cOverlay p = Panel1(bottom);
  SetUpView(bottom);
  p.DrawBars(150, 150, 150, 150);
  const int x = TILE_SIZE + 2 * TILE_SIZE + 1;
  // Life from 0.625 to 0.875 tiles above the panel's bottom, energy from 1/8 to 3/8.
  const int life_lo = 5 * TILE_SIZE / 8, life_hi = 7 * TILE_SIZE / 8;
  const int energy_lo = TILE_SIZE / 8, energy_hi = 3 * TILE_SIZE / 8;
  for (int dy = 0; dy < TILE_SIZE; ++dy) {
    SCOPED_TRACE(dy);
    const TestGL::Pixel px = World(x, bottom + dy, bottom);
    if (dy >= life_lo && dy < life_hi) {
      ExpectColour(px, 0, 255, 0);
    } else if (dy >= energy_lo && dy < energy_hi) {
      ExpectColour(px, 51, 128, 255);
    } else {
      EXPECT_FALSE(Lit(px));
    }
  }
  // The current colour is back to opaque white for later textured drawing.
  GLfloat c[4];
  glGetFloatv(GL_CURRENT_COLOR, c);
  EXPECT_FLOAT_EQ(c[0], 1.0f);
  EXPECT_FLOAT_EQ(c[1], 1.0f);
  EXPECT_FLOAT_EQ(c[2], 1.0f);
  EXPECT_FLOAT_EQ(c[3], 1.0f);
}

TEST(cOverlay, EnergyBarIsTruncated) {
  ASSERT_TRUE(TestGL::Ready());
  const int bottom = TILE_SIZE;
  // Player 2's panel at the bottom-right corner.
  cOverlay p;
  p.SetBarX(TILE_SIZE / 2);
  p.SetX(19 * TILE_SIZE - p.GetWidth());
  p.SetY(bottom);
  SetUpView(bottom);
  p.DrawBars(150, 150, 150, 149);
  const int x0 = 13 * TILE_SIZE + TILE_SIZE / 2;
  const int energy_row = bottom + TILE_SIZE / 4;
  EXPECT_EQ(RunLength(x0, energy_row, bottom), TILE_SIZE == 32 ? 111 : 55);  // 111.25 / 55.6
  EXPECT_FALSE(Lit(World(x0 - 1, energy_row, bottom)));
  ExpectColour(World(x0, energy_row, bottom), 51, 128, 255);
}

TEST(cOverlay, OddValuesStayInsideTheBar) {
  ASSERT_TRUE(TestGL::Ready());
  const int bottom = TILE_SIZE;
  cOverlay p = Panel1(bottom);
  const int x0 = 3 * TILE_SIZE;
  const int life_row = bottom + 3 * TILE_SIZE / 4;
  const int energy_row = bottom + TILE_SIZE / 4;
  const int full = 7 * TILE_SIZE / 2;

  // No maximum: nothing to show, and no division by zero.
  SetUpView(bottom);
  p.DrawBars(0, 10, 0, 0);
  EXPECT_EQ(RunLength(x0, life_row, bottom), 0);
  EXPECT_EQ(RunLength(x0, energy_row, bottom), 0);

  // More than the maximum: a full bar, never past its end.
  SetUpView(bottom);
  p.DrawBars(150, 190, 150, 400);
  EXPECT_EQ(RunLength(x0, life_row, bottom), full);
  EXPECT_EQ(RunLength(x0, energy_row, bottom), full);
  ExpectColour(World(x0, life_row, bottom), 0, 255, 0);

  // Below zero: an empty bar, not one drawn backwards.
  SetUpView(bottom);
  p.DrawBars(150, -20, 150, -5);
  EXPECT_FALSE(Lit(World(x0 - 1, life_row, bottom)));
  EXPECT_FALSE(Lit(World(x0 - 1, energy_row, bottom)));
  EXPECT_EQ(RunLength(x0, life_row, bottom), 0);
}

TEST(cOverlay, PanelCoversBarsWhereOpaque) {
  ASSERT_TRUE(TestGL::Ready());
  const int bottom = TILE_SIZE;
  cOverlay p = Panel1(bottom);
  const GLuint tex = MakePanelTexture();
  const int life_row = bottom + 3 * TILE_SIZE / 4;
  // The bars run from world x 3 to 6.5 tiles; the panel's texel columns 0-2 are
  // opaque (world x 1 to 4 tiles), columns 3-5 transparent.
  const int covered_x = 3 * TILE_SIZE + TILE_SIZE / 2;
  const int shown_x = 5 * TILE_SIZE;
  const int past_bar_x = 13 * TILE_SIZE / 2;

  // The game's order (bars first), then the reverse: depth decides, not order.
  for (bool bars_first : {true, false}) {
    SCOPED_TRACE(bars_first);
    SetUpView(bottom);
    if (bars_first) {
      p.DrawBars(150, 150, 150, 150);
      p.Draw(tex);
    } else {
      p.Draw(tex);
      p.DrawBars(150, 150, 150, 150);
    }
    ExpectColour(World(covered_x, life_row, bottom), 255, 0, 0);
    ExpectColour(World(shown_x, life_row, bottom), 0, 255, 0);
    EXPECT_FALSE(Lit(World(past_bar_x, life_row, bottom)));
    // The image's top row is drawn along the panel's top edge.
    ExpectColour(World(TILE_SIZE + 1, bottom + 4 * TILE_SIZE - 1, bottom), 0, 0, 255);
    ExpectColour(World(TILE_SIZE + 6 * TILE_SIZE - 1, bottom + 4 * TILE_SIZE - 1, bottom), 0, 0,
                 255);
    ExpectColour(World(TILE_SIZE + 1, bottom + 3 * TILE_SIZE - 1, bottom), 255, 0, 0);
    // Nothing outside the 6x4-tile panel.
    EXPECT_FALSE(Lit(World(TILE_SIZE + 1, bottom + 4 * TILE_SIZE, bottom)));
    EXPECT_FALSE(Lit(World(TILE_SIZE + 6 * TILE_SIZE, bottom + 4 * TILE_SIZE - 1, bottom)));
    // Texturing is left off.
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  }
  glDeleteTextures(1, &tex);
}

TEST(cOverlay, PanelsFollowTheView) {
  ASSERT_TRUE(TestGL::Ready());
  const GLuint tex = MakePanelTexture();
  // The same screen picture whatever the view's bottom, once the panels' y follow it.
  for (int bottom : {TILE_SIZE, 250 * TILE_SIZE / 32, 4000 * TILE_SIZE / 32}) {
    SCOPED_TRACE(bottom);
    cOverlay p1 = Panel1(bottom);
    cOverlay p2;
    p2.SetBarX(TILE_SIZE / 2);
    p2.SetX(19 * TILE_SIZE - p2.GetWidth());
    p2.SetY(bottom);
    SetUpView(bottom);
    p1.DrawBars(150, 75, 150, 150);
    p2.DrawBars(150, 150, 150, 140);
    p1.Draw(tex);
    p2.Draw(tex);
    // Window rows: energy 1/8..3/8 tile, life 5/8..7/8 tile (254-262 and 270-278 at bottom 250).
    const int wy_energy = TILE_SIZE / 4, wy_life = 3 * TILE_SIZE / 4;
    // Player 1's bars start 2 tiles into its panel (window x 2 tiles); window x 3 tiles is
    // the first column under the panel's transparent half.
    ExpectColour(TestGL::ReadPixel(3 * TILE_SIZE, wy_life), 255, 255, 0);
    ExpectColour(TestGL::ReadPixel(3 * TILE_SIZE, wy_energy), 51, 128, 255);
    EXPECT_FALSE(Lit(TestGL::ReadPixel(3 * TILE_SIZE, wy_life + TILE_SIZE / 8)));
    // Player 2's bars start at window x 12.5 tiles: full life ends at 16 tiles,
    // energy 140/150 after 104 px (52 px with 16-pixel tiles).
    const int p2_bar = 12 * TILE_SIZE + TILE_SIZE / 2;
    ExpectColour(TestGL::ReadPixel(16 * TILE_SIZE - 1, wy_life), 0, 255, 0);
    EXPECT_FALSE(Lit(TestGL::ReadPixel(16 * TILE_SIZE, wy_life)));
    const int p2_energy_end = p2_bar + (TILE_SIZE == 32 ? 104 : 52);
    ExpectColour(TestGL::ReadPixel(p2_energy_end - 1, wy_energy), 51, 128, 255);
    EXPECT_FALSE(Lit(TestGL::ReadPixel(p2_energy_end, wy_energy)));
    // Top rows of both panels at window height 4 tiles.
    ExpectColour(TestGL::ReadPixel(0, 4 * TILE_SIZE - 1), 0, 0, 255);
    ExpectColour(TestGL::ReadPixel(18 * TILE_SIZE - 1, 4 * TILE_SIZE - 1), 0, 0, 255);
    EXPECT_FALSE(Lit(TestGL::ReadPixel(0, 4 * TILE_SIZE)));
  }
  glDeleteTextures(1, &tex);
}
