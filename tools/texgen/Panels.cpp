// The HUD panels, drawn over 6 x 4 tiles at the bottom corners of the view.
// The game draws the life and energy bars behind the panel, so the panel is
// clear exactly over the two bar slots and opaque on the frame around them.
#include "tools/texgen/Sheets.h"
#include "tools/texgen/SpriteArt.h"

#include <cstring>

using namespace SpriteArt;

namespace {

// A 3 x 5 font for the few letters the panels need.
const char* Glyph(char ch) {
  switch (ch) {
    case 'A': return "010101111101101";
    case 'E': return "111100110100111";
    case 'G': return "011100101101011";
    case 'H': return "101101111101101";
    case 'I': return "111010010010111";
    case 'K': return "101101110101101";
    case 'M': return "101111111101101";
    case 'N': return "110101101101101";
    case 'T': return "111010010010010";
    default: return "000000000000000";
  }
}

void Text(Canvas& c, int x, int y, const char* text, Color col, Color shadow) {
  for (size_t i = 0; i < std::strlen(text); ++i) {
    const char* g = Glyph(text[i]);
    for (int k = 0; k < 15; ++k)
      if (g[k] == '1') {
        c.Set(x + int(i) * 4 + k % 3 + 1, y + k / 3 + 1, shadow);
        c.Set(x + int(i) * 4 + k % 3, y + k / 3, col);
      }
  }
}

void SmallHeart(Canvas& c, int x, int y) {
  c.Fill(x, y + 1, 5, 2, Pal::Red1);
  c.Fill(x + 1, y, 1, 1, Pal::Red1);
  c.Fill(x + 3, y, 1, 1, Pal::Red1);
  c.Fill(x + 1, y + 3, 3, 1, Pal::Red1);
  c.Set(x + 2, y + 4, Pal::Red1);
  c.Set(x + 1, y + 1, Pal::Red2);
}

void Bolt(Canvas& c, int x, int y) {
  c.Fill(x + 2, y, 2, 2, Pal::Blue3);
  c.Fill(x + 1, y + 2, 4, 1, Pal::Blue2);
  c.Fill(x + 1, y + 3, 2, 2, Pal::Blue2);
  c.Set(x + 1, y + 5, Pal::Blue3);
}

void Portrait(Canvas& c, int x, int y, int player) {
  // A gold frame around a dark window with the hero's head in it.
  c.ShadedBox(x, y, 28, 28, Pal::Gold);
  c.Fill(x + 2, y + 2, 24, 24, Pal::Purple0);
  c.Fill(x + 2, y + 2, 24, 1, Pal::Outline);
  c.Fill(x + 2, y + 2, 1, 24, Pal::Outline);
  c.SetClip(x + 2, y + 2, 24, 24);
  if (player == 1) {
    // The knight's helmet, large.
    c.Fill(x + 11, y + 3, 4, 6, Pal::Red1);
    c.Set(x + 11, y + 3, Pal::Red2);
    c.ShadedEllipse(x + 5, y + 6, 18, 20, Pal::Steel);
    c.Fill(x + 7, y + 14, 14, 3, Pal::Outline);
    c.Fill(x + 9, y + 15, 2, 1, Pal::Blue3);
    c.Fill(x + 17, y + 15, 2, 1, Pal::Blue3);
    c.Fill(x + 13, y + 17, 2, 6, Pal::Grey1);
    c.ShadedBox(x + 4, y + 24, 20, 4, Pal::Cloth);
  } else {
    // The mage: hat, face and beard.
    c.ShadedEllipse(x + 7, y + 10, 14, 14, Pal::Skin);
    for (int k = 0; k < 8; ++k)
      c.Fill(x + 14 - (9 - k), y + 10 - k, 2 * (9 - k) - 2, 1, Pal::Purple1);
    c.Fill(x + 4, y + 10, 20, 2, Pal::Purple2);
    c.Fill(x + 5, y + 12, 18, 1, Pal::Yellow);
    c.Fill(x + 10, y + 15, 2, 2, Pal::Outline);
    c.Fill(x + 16, y + 15, 2, 2, Pal::Outline);
    for (int k = 0; k < 8; ++k)
      c.Fill(x + 9 + k / 2, y + 18 + k, 10 - k, 1, k % 2 ? Pal::Grey3 : Pal::White);
  }
  c.ClearClip();
}

}  // namespace

void DrawPanel(Canvas& c, int player) {
  const int T16 = 16;
  // Bar geometry of the game, in texels of this 96 x 64 image (one tile = 16).
  const int bar_x = player == 1 ? 2 * T16 : T16 / 2;
  const int bar_len = 56;                       // 3.5 tiles
  const int life_top = 64 - 14, life_h = 4;     // 0.625 to 0.875 tile above the bottom
  const int energy_top = 64 - 6, energy_h = 4;  // 1/8 to 3/8 tile above the bottom

  // The plate: dark stone with a gold trim along its top.
  c.ShadedBox(0, 40, 96, 24, Pal::Slate);
  c.Fill(0, 40, 96, 1, Pal::Outline);
  c.Fill(0, 41, 96, 1, Pal::Yellow);
  c.Fill(0, 42, 96, 1, Pal::Orange);
  c.Fill(0, 63, 96, 1, Pal::Outline);
  c.Fill(player == 1 ? 0 : 95, 40, 1, 24, Pal::Outline);
  c.Fill(player == 1 ? 95 : 0, 40, 1, 24, Pal::Outline);
  for (int x = 3; x < 96; x += 7) c.Set(x, 44 + (x % 3), Pal::Grey0);

  // Slots: a dark rim around each, then cleared so the bars show.
  for (int top : {life_top, energy_top}) {
    c.Fill(bar_x - 1, top - 1, bar_len + 2, 6, Pal::Outline);
    c.Fill(bar_x, top, bar_len, 4, Pal::Clear);
  }
  (void)life_h;
  (void)energy_h;

  // Icons beside the slots, the name above them, the portrait on the outer side.
  const int icon_x = player == 1 ? bar_x + bar_len + 2 : 1;
  SmallHeart(c, icon_x, life_top - 1);
  Bolt(c, icon_x, energy_top - 1);
  if (player == 1) {
    Text(c, bar_x, 44, "KNIGHT", Pal::Cream, Pal::Outline);
    Portrait(c, 2, 32, 1);
  } else {
    Text(c, bar_x, 44, "MAGE", Pal::Cream, Pal::Outline);
    Portrait(c, 66, 32, 2);
  }
  c.Outline(0, 0, 96, 40, Pal::Outline);
}
