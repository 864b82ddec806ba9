// The charged look of the player sheets.
#include "tools/texgen/Sheets.h"
#include "tools/texgen/SpriteArt.h"

void MakeChargedSheet(Canvas& c, Color rim) {
  // Lighter palette inside the figures, the dark outline turned into a bright
  // rim, and a second rim texel outside so the glow reads at 1x too.
  c.Recolor(0, 0, c.Width(), c.Height(), [rim](Color col, int, int) {
    if (col.a == 0) return col;
    return col == Pal::Outline ? rim : SpriteArt::Lighter(col);
  });
  Canvas copy = c;
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) {
      if (copy.Opaque(x, y)) continue;
      // Stay inside the 64-texel cell of this texel.
      const bool left = x % 64 != 0 && copy.Get(x - 1, y) == rim;
      const bool right = x % 64 != 63 && copy.Get(x + 1, y) == rim;
      const bool up = y % 64 != 0 && copy.Get(x, y - 1) == rim;
      const bool down = y % 64 != 63 && copy.Get(x, y + 1) == rim;
      if ((left || right || up || down) && (x + y) % 2 == 0) c.Set(x, y, Pal::White);
    }
}
