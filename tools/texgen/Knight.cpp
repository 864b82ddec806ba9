// Player 1's sheet: a knight with sword and shield.
// Columns: 0 facing down, 1 up, 2 right, 3 special. Rows: 0 standing (column 3:
// fallen), 1-4 walking, 5-8 sword swing (the blow lands on frame 3), 9-11 guard,
// 12-13 hurt; column 3 rows 1-7 the charged spin.
#include "tools/texgen/Sheets.h"
#include "tools/texgen/SpriteArt.h"

using namespace SpriteArt;

namespace {

using Act = SpriteArt::PlayerAct;

Look KnightLook() {
  Look k;
  k.body = Pal::Cloth;
  k.legs = Pal::Iron;
  k.feet = Ramp{Pal::Outline, Pal::Grey0, Pal::Grey1};
  k.arms = Pal::Steel;
  k.hands = Pal::Iron;
  k.body_w = 12;
  k.body_h = 8;
  k.head_w = 11;
  k.head_h = 10;
  return k;
}

// The helmet: steel dome, visor slit facing the way the knight looks, red plume.
void Helmet(Humanoid& h, Facing f) {
  Canvas& c = h.canvas;
  const int x = h.HeadLeft(), y = h.HeadTop(), w = h.HeadW(), hh = h.HeadH();
  h.Head(Pal::Steel);
  // Plume along the crest.
  const int px = x + w / 2 - (f == Facing::RIGHT ? 2 : 0);
  c.Fill(px - 1, y - 3, 3, 4, Pal::Red1);
  c.Set(px - 1, y - 3, Pal::Red2);
  if (f == Facing::RIGHT) c.Fill(px - 4, y - 2, 3, 3, Pal::Red1);
  if (f == Facing::DOWN) {
    c.Fill(x + 2, y + hh / 2, w - 4, 2, Pal::Outline);  // visor slit
    c.Set(x + 3, y + hh / 2, Pal::Blue3);               // a glint of eyes
    c.Set(x + w - 4, y + hh / 2, Pal::Blue3);
    c.Fill(x + w / 2, y + hh / 2 + 2, 1, 3, Pal::Grey1);
  } else if (f == Facing::RIGHT) {
    c.Fill(x + w / 2, y + hh / 2, w / 2, 2, Pal::Outline);
    c.Set(x + w - 2, y + hh / 2, Pal::Blue3);
    c.Fill(x + 1, y + hh - 3, 3, 2, Pal::Grey1);
  } else {
    c.Fill(x + w / 2 - 1, y + 2, 1, hh - 3, Pal::Grey1);  // the back seam
  }
}

// The shield: blue field, steel rim, golden cross. From behind it is wood.
void Shield(Canvas& c, int x, int y, int w, int h, bool back) {
  c.ShadedBox(x, y, w, h, Pal::Steel);
  if (back) {
    c.ShadedBox(x + 1, y + 1, w - 2, h - 2, Pal::Wood);
    c.Fill(x + 1, y + h / 2, w - 2, 1, Pal::Wood0);
    return;
  }
  c.ShadedBox(x + 1, y + 1, w - 2, h - 2, Pal::Cloth);
  c.Fill(x + w / 2, y + 2, 1, h - 4, Pal::Yellow);
  c.Fill(x + 2, y + h / 2 - 1, w - 4, 1, Pal::Yellow);
  // A pointed foot.
  c.Fill(x + 1, y + h, w - 2, 1, Pal::Grey1);
  c.Fill(x + 2, y + h + 1, w - 4, 1, Pal::Grey1);
}

// Walking phases shared by the knight's walk and guard walk.
const int kStep[4] = {1, 0, -1, 0};
const int kSwing[4] = {0, 1, 0, -1};
const int kBob[4] = {0, -1, 0, -1};

// The sword's angle and the hand's place for the four frames of a swing.
struct SwingFrame {
  int hand_dx, hand_dy;
  float deg;
};
const SwingFrame kSwingDown[4] = {{-3, -6, -110}, {-5, 0, 180}, {-2, 5, 130}, {1, 7, 95}};
const SwingFrame kSwingUp[4] = {{2, 6, 70}, {4, 2, 10}, {3, -3, -45}, {0, -6, -88}};
const SwingFrame kSwingRight[4] = {{-3, -5, -130}, {0, -7, -75}, {4, -3, -25}, {7, 1, 5}};

void Knight(Canvas& c, Facing f, Act act, int frame) {
  Pose p;
  p.facing = f;
  if (act == Act::WALK || (act == Act::GUARD && frame > 0)) {
    const int k = act == Act::WALK ? frame : (frame == 1 ? 0 : 2);
    p.step = kStep[k];
    p.swing = kSwing[k];
    p.bob = kBob[k];
  }
  if (act == Act::ATTACK) {
    p.step = frame >= 2 ? 1 : 0;
    p.bob = frame == 0 ? -1 : 0;
  }
  if (act == Act::HURT) {
    p.bob = frame == 0 ? 1 : 0;
    p.lean = f == Facing::RIGHT ? (frame == 0 ? -3 : -1) : (frame == 0 ? 2 : 1);
  }
  Humanoid h(c, KnightLook(), p);
  const bool guard = act == Act::GUARD;

  if (f == Facing::DOWN) {
    h.Legs();
    // The sword arm is on the screen's left, the shield arm on its right.
    Point hand;
    if (act == Act::ATTACK) {
      const SwingFrame& s = kSwingDown[frame];
      const Point sh = h.Shoulder(0);
      if (s.hand_dy < 0) Sword(c, Point{sh.x + s.hand_dx, sh.y + s.hand_dy}, s.deg);  // behind
      h.Body();
      hand = h.Arm(0, s.hand_dx, s.hand_dy);
      if (s.hand_dy >= 0) Sword(c, hand, s.deg);
    } else {
      h.Body();
      hand = act == Act::HURT ? h.Arm(0, -4, 1) : h.ArmAtRest(0);
      Sword(c, hand, act == Act::HURT ? 200 : 115, 10);
    }
    c.Fill(h.BodyLeft(), h.HipY() - 2, h.BodyW(), 1, Pal::Wood1);  // belt
    c.Set(h.Centre(), h.HipY() - 2, Pal::Yellow);
    Helmet(h, f);
    if (guard) {
      h.Arm(1, -5, 3);
      Shield(c, h.Centre() - 5, h.BodyTop() - 2, 10, 11, false);
    } else {
      const Point s = act == Act::HURT ? h.Arm(1, 3, 1) : h.ArmAtRest(1);
      Shield(c, s.x - 2, s.y - 6, 7, 9, false);
    }
  } else if (f == Facing::UP) {
    h.Legs();
    if (guard) Shield(c, h.Centre() - 5, h.HeadTop() - 3, 10, 10, true);
    h.Body();
    c.Fill(h.BodyLeft(), h.HipY() - 2, h.BodyW(), 1, Pal::Wood1);
    // Seen from behind: the sword arm on the screen's right.
    Point hand;
    if (act == Act::ATTACK) {
      const SwingFrame& s = kSwingUp[frame];
      hand = h.Arm(1, s.hand_dx, s.hand_dy);
      Helmet(h, f);
      Sword(c, hand, s.deg);
    } else {
      Helmet(h, f);
      hand = act == Act::HURT ? h.Arm(1, 4, 1) : h.ArmAtRest(1);
      Sword(c, hand, act == Act::HURT ? -20 : 65, 10);
    }
    if (guard) {
      h.Arm(0, 4, -6);
    } else {
      const Point s = act == Act::HURT ? h.Arm(0, -3, 1) : h.ArmAtRest(0);
      Shield(c, s.x - 4, s.y - 6, 7, 9, true);
    }
  } else {
    // From the side: the shield arm behind, the sword arm in front.
    if (guard) {
      h.Legs();
      h.Body();
      Helmet(h, f);
      h.Arm(1, 3, 2);
      Shield(c, h.Centre() + 3, h.BodyTop() - 4, 5, 13, false);
      Sword(c, Point{h.Centre() - 1, h.BodyTop() + 7}, 150, 9);
    } else {
      h.Legs();
      h.Body();
      c.Fill(h.BodyLeft(), h.HipY() - 2, h.BodyW(), 1, Pal::Wood1);
      Helmet(h, f);
      // The far arm holds the shield out in front of the body.
      Shield(c, h.Centre() + 2 + (act == Act::HURT ? -1 : 0), h.BodyTop() - 1 + h.pose.swing, 5, 10,
             false);
      if (act == Act::ATTACK) {
        const SwingFrame& sw = kSwingRight[frame];
        Sword(c, h.Arm(1, sw.hand_dx, sw.hand_dy), sw.deg);
      } else {
        Sword(c, act == Act::HURT ? h.Arm(1, -4, 2) : h.ArmAtRest(1), act == Act::HURT ? 200 : -50,
              10);
      }
    }
  }
  h.Finish();
  if (act == Act::ATTACK && frame >= 2) {
    const Point centre{32, 33};
    if (f == Facing::DOWN) Swoosh(c, centre, 20, frame == 2 ? 180 : 160, frame == 2 ? 135 : 90);
    if (f == Facing::UP) Swoosh(c, centre, 21, frame == 2 ? 20 : -10, frame == 2 ? -40 : -90);
    if (f == Facing::RIGHT) Swoosh(c, centre, 22, frame == 2 ? -80 : -50, frame == 2 ? -25 : 10);
  }
  if (act == Act::HURT && frame == 0) Flash(c);
}

// The charged spin: wind-up, four quarter sweeps, follow-through, recovery.
void Spin(Canvas& c, int frame) {
  const Point centre{32, 33};
  switch (frame) {
    case 0: {  // crouched, sword low behind, gathering power
      Pose p;
      p.squash = 2;
      p.bob = 1;
      Humanoid h(c, KnightLook(), p);
      h.Legs();
      h.Body();
      Helmet(h, Facing::DOWN);
      Sword(c, h.Arm(0, -6, 3), 160);
      const Point s = h.Arm(1, 3, 2);
      Shield(c, s.x - 2, s.y - 6, 7, 9, false);
      h.Finish();
      Sparkle(c, Point{18, 30}, 2, Pal::Cream);
      Sparkle(c, Point{45, 22}, 1, Pal::Cream);
      return;
    }
    case 1:  // facing left, sweeping up and left
      Mirrored(c, [](Canvas& m) {
        Pose p;
        p.facing = Facing::RIGHT;
        p.step = 1;
        Humanoid h(m, KnightLook(), p);
        h.Legs();
        h.Body();
        Helmet(h, Facing::RIGHT);
        Sword(m, h.Arm(1, 5, -5), -45, 12);
        h.Finish();
      });
      Swoosh(c, centre, 22, -90, -175);
      return;
    case 2: {  // facing down, sweeping left and down
      Pose p;
      p.step = -1;
      Humanoid h(c, KnightLook(), p);
      h.Legs();
      h.Body();
      Helmet(h, Facing::DOWN);
      Sword(c, h.Arm(0, -5, 4), 135, 12);
      const Point s = h.ArmAtRest(1);
      Shield(c, s.x - 2, s.y - 6, 7, 9, false);
      h.Finish();
      Swoosh(c, centre, 22, 180, 95);
      return;
    }
    case 3: {  // facing right, sweeping down and right
      Pose p;
      p.facing = Facing::RIGHT;
      p.step = -1;
      Humanoid h(c, KnightLook(), p);
      h.Legs();
      h.Body();
      Helmet(h, Facing::RIGHT);
      Sword(c, h.Arm(1, 5, 4), 45, 12);
      h.Finish();
      Swoosh(c, centre, 22, 90, 5);
      return;
    }
    case 4: {  // facing up, sweeping right and up
      Pose p;
      p.facing = Facing::UP;
      p.step = 1;
      Humanoid h(c, KnightLook(), p);
      h.Legs();
      h.Body();
      Helmet(h, Facing::UP);
      Sword(c, h.Arm(1, 5, -5), -45, 12);
      h.ArmAtRest(0);
      h.Finish();
      Swoosh(c, centre, 22, 0, -85);
      return;
    }
    default: {  // 5: follow-through facing down; 6: settling
      Pose p;
      p.bob = frame == 5 ? 1 : 0;
      p.lean = frame == 5 ? -1 : 0;
      Humanoid h(c, KnightLook(), p);
      h.Legs();
      h.Body();
      Helmet(h, Facing::DOWN);
      Sword(c, h.Arm(0, frame == 5 ? -6 : -3, frame == 5 ? -1 : 4), frame == 5 ? 185 : 140, 11);
      const Point s = h.ArmAtRest(1);
      Shield(c, s.x - 2, s.y - 6, 7, 9, false);
      h.Finish();
      if (frame == 5) Swoosh(c, centre, 22, -95, -120);
      return;
    }
  }
}

}  // namespace

void DrawKnightSheet(Canvas& c) {
  SpriteArt::PlayerColumns(c, Knight);
  // Column 3: the fallen knight, then the seven frames of the spin.
  EnterCell(c, 3, 0);
  LyingDown(c, 44, [](Canvas& s) {
    Pose p;
    Humanoid h(s, KnightLook(), p);
    h.Legs();
    h.Body();
    Helmet(h, Facing::DOWN);
    h.Arm(0, -3, 6);
    h.Arm(1, 3, 6);
    h.Finish();
  });
  Sword(c, Point{22, 52}, 10, 11);
  c.Outline(0, 0, 64, 64, Pal::Outline);
  for (int k = 0; k < 7; ++k) {
    EnterCell(c, 3, 1 + k);
    Spin(c, k);
  }
  LeaveCell(c);
}
