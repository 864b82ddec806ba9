// The fireball, the arrow and the heart.
// Fireball: rows 0-2 the flight down, up, right (three flickering frames each),
// row 3 the explosion frames 0-3, row 4 columns 4-5 frames 4 and 5.
// Arrow: one row, pointing up, down, right. Heart: four frames of a beat.
#include "tools/texgen/Sheets.h"
#include "tools/texgen/SpriteArt.h"

using namespace SpriteArt;

namespace {
constexpr int C = SheetSize::kProjectileCell;

// A fireball moving along deg: a hot core and a flame trailing behind it.
void Fireball(Canvas& c, float deg, int frame) {
  const Point centre{16, 16};
  // The tail: blobs shrinking away from the ball, wavering with the frame.
  static const int waver[3] = {0, 1, -1};
  for (int k = 3; k >= 1; --k) {
    const Point p = Toward(centre, deg + 180 + waver[(frame + k) % 3] * 12, float(k * 3 + 1));
    const int r = 5 - k;
    c.Ellipse(p.x - r, p.y - r, 2 * r + 1, 2 * r + 1, k == 3 ? Pal::Red1 : Pal::Red2);
  }
  c.ShadedEllipse(centre.x - 6, centre.y - 6, 12, 12, Ramp{Pal::Red2, Pal::Orange, Pal::Yellow});
  c.Ellipse(centre.x - 3, centre.y - 4, 5, 5, Pal::Yellow);
  c.Set(centre.x - 2 + frame % 2, centre.y - 3, Pal::Cream);
  c.Outline(0, 0, C, C, Pal::Red0);
}

void Explosion(Canvas& c, int frame) {
  const Point centre{16, 16};
  if (frame <= 3) {
    static const int radius[4] = {6, 9, 12, 14};
    const int r = radius[frame];
    // Flame petals around a white-hot core that cools as it grows.
    for (int k = 0; k < 8; ++k) {
      const Point p = Toward(centre, k * 45.0f + frame * 10, float(r - 3));
      c.Ellipse(p.x - 3, p.y - 3, 7, 7, Pal::Red2);
    }
    c.ShadedEllipse(centre.x - r + 2, centre.y - r + 2, 2 * r - 4, 2 * r - 4,
                    Ramp{Pal::Red2, Pal::Orange, Pal::Yellow});
    const int core = frame < 2 ? 4 - frame : 2;
    c.Ellipse(centre.x - core, centre.y - core, 2 * core, 2 * core,
              frame < 2 ? Pal::White : Pal::Cream);
    c.Outline(0, 0, C, C, Pal::Red0);
    return;
  }
  // Frames 4 and 5: smoke drifting apart.
  const int spread = frame == 4 ? 6 : 9;
  for (int k = 0; k < 5; ++k) {
    const Point p = Toward(centre, k * 72.0f + 20, float(spread));
    const int r = frame == 4 ? 5 : 3;
    c.ShadedEllipse(p.x - r, p.y - r, 2 * r + 1, 2 * r, Ramp{Pal::Grey1, Pal::Grey2, Pal::Grey3});
  }
  if (frame == 4) c.Ellipse(13, 13, 6, 6, Pal::Orange);
  c.Outline(0, 0, C, C, Pal::Grey0);
}

// An arrow whose point is toward deg, centred on the 4 x 4 hitbox (texels 14-17).
void Arrow(Canvas& c, float deg) {
  const Point centre{16, 16};
  const Point tail = Toward(centre, deg, -8);
  const Point head = Toward(centre, deg, 6);
  c.Line(tail.x, tail.y, head.x, head.y, Pal::Wood2);
  // Head: a small steel triangle.
  for (int k = 0; k < 3; ++k) {
    const Point p = Toward(head, deg, float(k));
    const Point a = Toward(p, deg + 90, float(2 - k)), b = Toward(p, deg - 90, float(2 - k));
    c.Line(a.x, a.y, b.x, b.y, k == 2 ? Pal::White : Pal::Grey3);
  }
  // Fletching.
  for (int k = 0; k < 3; ++k) {
    const Point p = Toward(tail, deg, float(k));
    const Point a = Toward(p, deg + 130, 2), b = Toward(p, deg - 130, 2);
    c.Set(a.x, a.y, Pal::Red2);
    c.Set(b.x, b.y, Pal::Red1);
  }
  c.Outline(0, 0, C, C, Pal::Outline);
}

// A heart of the given size (8 to 13 texels) centred in a 16-texel cell.
void Heart(Canvas& c, int size) {
  const int half = size / 2;
  const int cx = 8, top = 8 - size / 2;
  const int lobe = half + 1;
  c.Ellipse(cx - half - 1, top, lobe, lobe, Pal::Red1);
  c.Ellipse(cx - 1 + (size % 2), top, lobe, lobe, Pal::Red1);
  for (int y = 0; y <= size - lobe / 2; ++y) {
    const int w = half + 1 - (y * (half + 1)) / (size - lobe / 2 + 1);
    c.Fill(cx - w, top + lobe / 2 + y, 2 * w, 1, Pal::Red1);
  }
  c.Ellipse(cx - half, top + 1, 3, 3, Pal::Red2);
  c.Set(cx - half + 1, top + 1, Pal::White);
  c.Outline(0, 0, 16, 16, Pal::Outline);
}
}  // namespace

void DrawFireballSheet(Canvas& c) {
  const float flight[3] = {90, -90, 0};  // rows: down, up, right
  for (int row = 0; row < 3; ++row)
    for (int f = 0; f < 3; ++f) {
      EnterCell(c, f, row, C);
      Fireball(c, flight[row], f);
    }
  for (int f = 0; f < 4; ++f) {
    EnterCell(c, f, 3, C);
    Explosion(c, f);
  }
  for (int f = 4; f < 6; ++f) {
    EnterCell(c, f, 4, C);
    Explosion(c, f);
  }
  LeaveCell(c);
}

void DrawArrowSheet(Canvas& c) {
  const float deg[3] = {-90, 90, 0};  // up, down, right
  for (int k = 0; k < 3; ++k) {
    EnterCell(c, k, 0, C);
    Arrow(c, deg[k]);
  }
  LeaveCell(c);
}

void DrawHeartSheet(Canvas& c) {
  const int size[4] = {10, 12, 11, 9};
  for (int k = 0; k < 4; ++k) {
    EnterCell(c, k, 0, 16);
    Heart(c, size[k]);
  }
  LeaveCell(c);
}
