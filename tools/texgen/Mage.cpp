// Player 2's sheet: a mage in a robe with a staff. Same layout as the knight's:
// casting in rows 5-8 (the shot leaves on frame 2), a shimmering barrier in the
// guard rows, and a twelve-frame spin in column 3 rows 1-12.
#include "tools/texgen/Sheets.h"
#include "tools/texgen/SpriteArt.h"

#include <cmath>

using namespace SpriteArt;

namespace {

using Act = SpriteArt::PlayerAct;

Look MageLook() {
  Look m;
  m.body = Pal::Robe;
  m.arms = Pal::Robe;
  m.hands = Pal::Skin;
  m.feet = Pal::Wood;
  m.robe = true;
  m.body_w = 10;
  m.body_h = 8;
  m.leg_h = 7;
  m.head_w = 10;
  m.head_h = 9;
  return m;
}

// Face, beard and the pointed hat.
void Head(Humanoid& h, Facing f) {
  Canvas& c = h.canvas;
  const int x = h.HeadLeft(), y = h.HeadTop(), w = h.HeadW(), hh = h.HeadH();
  h.Head(Pal::Skin);
  if (f == Facing::DOWN) {
    c.Set(x + 3, y + 4, Pal::Outline);
    c.Set(x + w - 4, y + 4, Pal::Outline);
    for (int k = 0; k < 5; ++k)
      c.Fill(x + 2 + k / 2, y + 6 + k, w - 4 - k, 1, k % 2 ? Pal::Grey3 : Pal::White);
  } else if (f == Facing::RIGHT) {
    c.Set(x + w - 3, y + 4, Pal::Outline);
    c.Set(x + w, y + 5, Pal::Skin1);  // nose
    for (int k = 0; k < 5; ++k)
      c.Fill(x + w - 5 + k / 2, y + 6 + k, 4 - k / 2, 1, k % 2 ? Pal::Grey3 : Pal::White);
    c.Fill(x + 1, y + 3, 3, 5, Pal::Grey3);  // hair at the back
  } else {
    c.Fill(x + 1, y + 2, w - 2, hh - 2, Pal::Grey3);
    c.Fill(x + 2, y + hh - 2, w - 4, 1, Pal::Grey2);
  }
  // The hat: a wide brim and a cone whose tip bends back.
  const int bend = f == Facing::RIGHT ? -3 : (f == Facing::UP ? 1 : 2);
  c.ShadedBox(x - 2, y + 1, w + 4, 2, Pal::Robe);
  for (int k = 0; k < 9; ++k) {
    const int half = 5 - (k * 5) / 9;
    const int cx = x + w / 2 + (k > 5 ? bend * (k - 5) / 3 : 0);
    c.Fill(cx - half, y - k, 2 * half, 1, Pal::Purple1);
    c.Set(cx - half, y - k, Pal::Purple2);
    c.Set(cx + half - 1, y - k, Pal::Purple0);
  }
  c.Fill(x, y, w, 1, Pal::Yellow);  // hat band
}

void Barrier(Canvas& c, int phase) {
  // A ring of light around the mage, its bright dashes running round.
  for (int k = 0; k < 72; ++k) {
    const float deg = k * 5.0f;
    const Point p = Toward(Point{32, 30}, deg, 0);
    const int rx = 17, ry = 20;
    const float r = deg * 3.14159265f / 180.0f;
    const int x = p.x + int(std::lround(std::cos(r) * rx)),
              y = p.y + int(std::lround(std::sin(r) * ry));
    const int band = (k + phase * 4) % 12;
    if (band < 7)
      c.Set(x, y, band < 3 ? Pal::White : Pal::Blue3);
    else if (band < 9)
      c.Set(x, y, Pal::Blue2);
  }
}

const int kStep[4] = {1, 0, -1, 0};
const int kSwing[4] = {0, 1, 0, -1};
const int kBob[4] = {0, -1, 0, -1};

struct CastFrame {
  int hand_dx, hand_dy;
  float deg;
  int glow;
};
const CastFrame kCastDown[4] = {{2, -5, -80, 0}, {3, 2, 60, 1}, {1, 7, 88, 2}, {2, 4, 75, 0}};
const CastFrame kCastUp[4] = {
    {-2, 5, 100, 0}, {-3, -2, -60, 1}, {-1, -7, -90, 2}, {-2, -4, -75, 0}};
const CastFrame kCastRight[4] = {{-3, -4, -130, 0}, {2, -4, -40, 1}, {6, 0, 0, 2}, {4, -2, -20, 0}};

// The point where the staff's orb sits, for the casting sparkle.
Point OrbOf(Point hand, float deg) { return Toward(hand, deg, 16 * 0.55f); }

void Mage(Canvas& c, Facing f, Act act, int frame) {
  Pose p;
  p.facing = f;
  if (act == Act::WALK || (act == Act::GUARD && frame > 0)) {
    const int k = act == Act::WALK ? frame : (frame == 1 ? 0 : 2);
    p.step = kStep[k];
    p.swing = kSwing[k];
    p.bob = kBob[k];
  }
  if (act == Act::ATTACK) p.bob = frame == 0 ? -1 : 0;
  if (act == Act::HURT) {
    p.bob = frame == 0 ? 1 : 0;
    p.lean = f == Facing::RIGHT ? (frame == 0 ? -3 : -1) : (frame == 0 ? 2 : 1);
  }
  Humanoid h(c, MageLook(), p);
  Point orb{-100, -100};
  int glow = 0;
  if (f == Facing::DOWN) {
    h.Legs();
    h.Body();
    c.Fill(h.BodyLeft(), h.HipY() - 2, h.BodyW(), 1, Pal::Yellow);  // sash
    h.ArmAtRest(0);
    Head(h, f);
    Point hand;
    float deg = -85;
    if (act == Act::ATTACK) {
      const CastFrame& k = kCastDown[frame];
      hand = h.Arm(1, k.hand_dx, k.hand_dy);
      deg = k.deg;
      glow = k.glow;
    } else if (act == Act::GUARD) {
      hand = h.Arm(1, -3, 2);
      glow = 1;
    } else {
      hand = act == Act::HURT ? h.Arm(1, 4, 0) : h.ArmAtRest(1);
      if (act == Act::HURT) deg = -60;
    }
    Staff(c, hand, deg, glow);
    orb = OrbOf(hand, deg);
  } else if (f == Facing::UP) {
    h.Legs();
    Point hand;
    float deg = -85;
    if (act == Act::ATTACK) {
      const CastFrame& k = kCastUp[frame];
      hand = Point{h.Shoulder(0).x + k.hand_dx, h.Shoulder(0).y + k.hand_dy};
      deg = k.deg;
      glow = k.glow;
    } else {
      hand = act == Act::GUARD ? Point{h.Shoulder(0).x + 3, h.Shoulder(0).y - 2}
                               : Point{h.Shoulder(0).x, h.Shoulder(0).y + 6 + p.swing};
      if (act == Act::GUARD) glow = 1;
    }
    Staff(c, hand, deg, glow);  // held in front, beyond the body
    orb = OrbOf(hand, deg);
    h.Body();
    c.Fill(h.BodyLeft(), h.HipY() - 2, h.BodyW(), 1, Pal::Yellow);
    Head(h, f);
    h.Arm(0, hand.x - h.Shoulder(0).x, hand.y - h.Shoulder(0).y);
    h.ArmAtRest(1);
  } else {
    h.ArmAtRest(0);
    h.Legs();
    h.Body();
    c.Fill(h.BodyLeft(), h.HipY() - 2, h.BodyW(), 1, Pal::Yellow);
    Head(h, f);
    Point hand;
    float deg = -80;
    if (act == Act::ATTACK) {
      const CastFrame& k = kCastRight[frame];
      hand = h.Arm(1, k.hand_dx, k.hand_dy);
      deg = k.deg;
      glow = k.glow;
    } else if (act == Act::GUARD) {
      hand = h.Arm(1, 4, 1);
      glow = 1;
    } else {
      hand = act == Act::HURT ? h.Arm(1, -4, 1) : h.Arm(1, 3 + p.swing, 5);
      if (act == Act::HURT) deg = -120;
    }
    Staff(c, hand, deg, glow);
    orb = OrbOf(hand, deg);
  }
  h.Finish();
  if (act == Act::ATTACK && frame == 2) Sparkle(c, orb, 4, Pal::Blue3);
  if (act == Act::ATTACK && frame == 1) Sparkle(c, orb, 2, Pal::Blue3);
  if (act == Act::GUARD) Barrier(c, frame);
  if (act == Act::HURT && frame == 0) Flash(c);
}

// One frame of the spin: the mage turned toward facing, the staff at deg.
void SpinPose(Canvas& c, Facing f, float deg, int glow, int step, bool sparkle) {
  Pose p;
  p.facing = f;
  p.step = step;
  Humanoid h(c, MageLook(), p);
  Point hand;
  if (f == Facing::UP) {
    h.Legs();
    hand = Point{h.Shoulder(1).x, h.Shoulder(1).y - 3};
    Staff(c, hand, deg, glow);
    h.Body();
    Head(h, f);
    h.Arm(1, 0, -3);
    h.ArmAtRest(0);
  } else {
    if (f == Facing::RIGHT) h.ArmAtRest(0);
    h.Legs();
    h.Body();
    c.Fill(h.BodyLeft(), h.HipY() - 2, h.BodyW(), 1, Pal::Yellow);
    if (f == Facing::DOWN) h.ArmAtRest(0);
    Head(h, f);
    const Point d = Toward(Point{0, 0}, deg, 5);
    hand = h.Arm(1, d.x, d.y + 1);
    Staff(c, hand, deg, glow);
  }
  h.Finish();
  if (sparkle) Sparkle(c, OrbOf(hand, deg), 3, Pal::Blue3);
}

void Spin(Canvas& c, int frame) {
  if (frame < 3) {  // gathering: the staff held high, motes circling closer
    SpinPose(c, Facing::DOWN, -88, frame, 0, false);
    for (int k = 0; k < 3; ++k) {
      const Point m = Toward(Point{32, 28}, frame * 40.0f + k * 120.0f, 18.0f - frame * 3);
      Sparkle(c, m, 1, Pal::Blue3);
    }
    return;
  }
  switch (frame) {
    case 3: SpinPose(c, Facing::UP, -90, 2, 0, true); return;
    case 4: SpinPose(c, Facing::RIGHT, -45, 2, 1, true); return;
    case 5: SpinPose(c, Facing::RIGHT, 0, 2, 0, true); return;
    case 6: SpinPose(c, Facing::RIGHT, 45, 2, -1, true); return;
    case 7: SpinPose(c, Facing::DOWN, 88, 2, 0, true); return;
    case 8: Mirrored(c, [](Canvas& m) { SpinPose(m, Facing::RIGHT, 45, 2, 1, true); }); return;
    case 9: Mirrored(c, [](Canvas& m) { SpinPose(m, Facing::RIGHT, 0, 2, 0, true); }); return;
    case 10: Mirrored(c, [](Canvas& m) { SpinPose(m, Facing::RIGHT, -45, 2, -1, true); }); return;
    default: SpinPose(c, Facing::UP, -90, 1, 1, true); return;
  }
}

}  // namespace

void DrawMageSheet(Canvas& c) {
  SpriteArt::PlayerColumns(c, Mage);
  // Column 3: the fallen mage with the hat beside, then the spin.
  EnterCell(c, 3, 0);
  LyingDown(c, 44, [](Canvas& s) {
    Pose p;
    Humanoid h(s, MageLook(), p);
    h.Legs();
    h.Body();
    h.Head(Pal::Skin);
    h.Arm(0, -3, 6);
    h.Arm(1, 3, 6);
    h.Finish();
  });
  Staff(c, Point{30, 50}, 5, 0);
  c.Outline(0, 0, 64, 64, Pal::Outline);
  for (int k = 0; k < 12; ++k) {
    EnterCell(c, 3, 1 + k);
    Spin(c, k);
  }
  LeaveCell(c);
}
