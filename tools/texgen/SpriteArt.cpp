#include "tools/texgen/SpriteArt.h"

#include <cmath>

namespace SpriteArt {

void EnterCell(Canvas& c, int col, int row, int cell) {
  c.SetOrigin(0, 0);
  c.ClearClip();
  c.SetOrigin(col * cell, row * cell);
  c.SetClip(0, 0, cell, cell);
}

void LeaveCell(Canvas& c) {
  c.SetOrigin(0, 0);
  c.ClearClip();
}

Point Toward(Point from, float deg, float len) {
  const float r = deg * 3.14159265f / 180.0f;
  return Point{from.x + int(std::lround(std::cos(r) * len)),
               from.y + int(std::lround(std::sin(r) * len))};
}

void Sword(Canvas& c, Point hand, float deg, int blade) {
  const Point pommel = Toward(hand, deg, -3);
  const Point guard = Toward(hand, deg, 2);
  const Point tip = Toward(hand, deg, float(blade + 2));
  c.ThickLine(pommel.x, pommel.y, hand.x, hand.y, 2, Pal::Wood0);
  c.ThickLine(guard.x, guard.y, tip.x, tip.y, 2, Pal::Grey2);
  c.Line(guard.x, guard.y, tip.x, tip.y, Pal::White);
  const Point g0 = Toward(guard, deg + 90, 3), g1 = Toward(guard, deg - 90, 3);
  c.ThickLine(g0.x, g0.y, g1.x, g1.y, 2, Pal::Orange);
  c.Set(g1.x, g1.y, Pal::Yellow);
  c.Set(pommel.x, pommel.y, Pal::Yellow);
}

void Club(Canvas& c, Point hand, float deg, int len) {
  const Point back = Toward(hand, deg, -2);
  const Point mid = Toward(hand, deg, len * 0.5f);
  const Point end = Toward(hand, deg, float(len));
  c.ThickLine(back.x, back.y, mid.x, mid.y, 2, Pal::Wood1);
  c.ThickLine(mid.x, mid.y, end.x, end.y, 4, Pal::Wood1);
  c.Line(mid.x - 1, mid.y - 1, end.x - 1, end.y - 1, Pal::Wood2);
  for (int k = 0; k < 3; ++k) {
    const Point p = Toward(hand, deg, len * 0.55f + k * len * 0.18f);
    const Point s = Toward(p, deg + (k % 2 ? 90 : -90), 3);
    c.Set(s.x, s.y, Pal::Grey3);
  }
  c.Set(end.x, end.y, Pal::Wood2);
}

void Staff(Canvas& c, Point hand, float deg, int glow, int len) {
  const Point butt = Toward(hand, deg, -float(len) * 0.45f);
  const Point head = Toward(hand, deg, float(len) * 0.55f);
  c.ThickLine(butt.x, butt.y, head.x, head.y, 2, Pal::Wood1);
  c.Line(butt.x, butt.y, head.x, head.y, Pal::Wood2);
  const int r = 2 + glow;
  c.ShadedEllipse(head.x - r, head.y - r, 2 * r + 1, 2 * r + 1, glow ? Pal::Sky : Pal::Cloth);
  c.Set(head.x - 1, head.y - 1, Pal::White);
}

void Swoosh(Canvas& c, Point centre, int radius, float deg0, float deg1) {
  const float step = deg1 > deg0 ? 4.0f : -4.0f;
  for (float d = deg0; (step > 0 ? d <= deg1 : d >= deg1); d += step) {
    const Point outer = Toward(centre, d, float(radius));
    const Point inner = Toward(centre, d, float(radius - 2));
    c.Set(outer.x, outer.y, Pal::White);
    c.Set(inner.x, inner.y, Pal::Cream);
  }
}

void Sparkle(Canvas& c, Point p, int size, Color col) {
  for (int k = -size; k <= size; ++k) {
    c.Set(p.x + k, p.y, col);
    c.Set(p.x, p.y + k, col);
  }
  c.Set(p.x, p.y, Pal::White);
}

void Mirrored(Canvas& c, const std::function<void(Canvas&)>& draw) {
  Canvas scratch(64, 64);
  draw(scratch);
  c.Blit(scratch, 0, 0, 64, 64, 0, 0, true);
}

void LyingDown(Canvas& c, int floor, const std::function<void(Canvas&)>& draw) {
  Canvas scratch(64, 64);
  draw(scratch);
  // A quarter turn: the feet go to column 18, the head to the right, and the
  // figure's width spreads over the rows just above the floor.
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const Color col = scratch.Get(x, y);
      if (col.a != 0) c.Set(18 + (43 - y), floor - 8 + (x - 32), col);
    }
}

void PlayerColumns(Canvas& c, const std::function<void(Canvas&, Facing, PlayerAct, int)>& draw) {
  const Facing facings[3] = {Facing::DOWN, Facing::UP, Facing::RIGHT};
  for (int col = 0; col < 3; ++col) {
    const Facing f = facings[col];
    EnterCell(c, col, 0);
    draw(c, f, PlayerAct::STAND, 0);
    for (int k = 0; k < 4; ++k) {
      EnterCell(c, col, 1 + k);
      draw(c, f, PlayerAct::WALK, k);
      EnterCell(c, col, 5 + k);
      draw(c, f, PlayerAct::ATTACK, k);
    }
    for (int k = 0; k < 3; ++k) {
      EnterCell(c, col, 9 + k);
      draw(c, f, PlayerAct::GUARD, k);
    }
    for (int k = 0; k < 2; ++k) {
      EnterCell(c, col, 12 + k);
      draw(c, f, PlayerAct::HURT, k);
    }
  }
}

void MonsterSheet(Canvas& c, const std::function<void(Canvas&, Facing, MonsterAct, int)>& draw) {
  const Facing facings[3] = {Facing::DOWN, Facing::UP, Facing::RIGHT};
  for (int r = 0; r < 3; ++r) {
    for (int k = 0; k < 6; ++k) {
      EnterCell(c, k, r);
      draw(c, facings[r], MonsterAct::WALK, k);
      EnterCell(c, k, 3 + r);
      draw(c, facings[r], MonsterAct::HURT, k);
    }
    for (int k = 0; k < 10; ++k) {
      EnterCell(c, k, 6 + r);
      draw(c, facings[r], MonsterAct::ATTACK, k);
    }
  }
  for (int k = 0; k < 10; ++k) {
    EnterCell(c, k, 9);
    draw(c, Facing::DOWN, MonsterAct::DIE, k);
  }
  LeaveCell(c);
}

Pose MonsterWalkPose(Facing f, int frame) {
  static const int step[6] = {1, 1, 0, -1, -1, 0};
  static const int swing[6] = {0, 1, 1, 0, -1, 0};
  static const int bob[6] = {0, -1, 0, 0, -1, 0};
  Pose p;
  p.facing = f;
  p.step = step[frame % 6];
  p.swing = swing[frame % 6];
  p.bob = bob[frame % 6];
  return p;
}

void Dissolve(Canvas& c, int amount) {
  c.Recolor(0, 0, 64, 64, [amount](Color col, int x, int y) {
    const unsigned h = (unsigned(x) * 2654435761u) ^ (unsigned(y) * 40503u);
    return int((h >> 7) % 8) < amount ? Pal::Clear : col;
  });
}

void Puff(Canvas& c, Point centre, int radius) {
  c.ShadedEllipse(centre.x - radius, centre.y - radius, 2 * radius + 1, 2 * radius,
                  Ramp{Pal::Grey2, Pal::Grey3, Pal::White});
}

Color Lighter(Color col) {
  using namespace Pal;
  static const Color ladders[][2] = {
      {Outline, Grey0},   {Grey0, Grey1},     {Grey1, Grey2},   {Grey2, Grey3},   {Grey3, White},
      {Skin0, Skin1},     {Skin1, Skin2},     {Skin2, Cream},   {Wood0, Wood1},   {Wood1, Wood2},
      {Wood2, Skin2},     {Green0, Green1},   {Green1, Green2}, {Green2, Green3}, {Green3, Cream},
      {Blue0, Blue1},     {Blue1, Blue2},     {Blue2, Blue3},   {Blue3, White},   {Red0, Red1},
      {Red1, Red2},       {Red2, Orange},     {Orange, Yellow}, {Yellow, Cream},  {Cream, White},
      {Purple0, Purple1}, {Purple1, Purple2}, {Purple2, Grey3}, {Stone0, Stone1}, {Stone1, Stone2},
      {Stone2, Grey3}};
  for (const auto& l : ladders)
    if (l[0] == col) return l[1];
  return col;
}

void Flash(Canvas& c) {
  c.Recolor(0, 0, 64, 64, [](Color col, int, int) {
    return col.a == 0 || col == Pal::Outline ? col : Lighter(col);
  });
}

}  // namespace SpriteArt
