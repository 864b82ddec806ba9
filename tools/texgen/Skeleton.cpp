// The archer monster's sheet: a skeleton with a bow. The arrow leaves on frame 6.
#include "tools/texgen/Sheets.h"
#include "tools/texgen/SpriteArt.h"

using namespace SpriteArt;

namespace {

Look SkeletonLook() {
  Look s;
  s.skin = Pal::Bone;
  s.body = Pal::Bone;
  s.legs = Pal::Bone;
  s.feet = Pal::Bone;
  s.arms = Pal::Bone;
  s.hands = Pal::Bone;
  s.body_w = 10;
  s.body_h = 8;
  s.leg_h = 7;
  s.leg_w = 2;
  s.arm_w = 2;
  s.head_w = 11;
  s.head_h = 10;
  return s;
}

void Skull(Humanoid& h, Facing f) {
  Canvas& c = h.canvas;
  const int x = h.HeadLeft(), y = h.HeadTop(), w = h.HeadW();
  h.Head(Pal::Bone);
  if (f == Facing::DOWN) {
    c.Fill(x + 2, y + 4, 3, 3, Pal::Outline);
    c.Fill(x + w - 5, y + 4, 3, 3, Pal::Outline);
    c.Set(x + 3, y + 5, Pal::Red2);  // a glint in the sockets
    c.Set(x + w - 4, y + 5, Pal::Red2);
    c.Set(x + w / 2, y + 7, Pal::Outline);
    for (int k = x + 3; k < x + w - 3; k += 2) c.Set(k, y + 9, Pal::Grey1);
  } else if (f == Facing::RIGHT) {
    c.Fill(x + w - 5, y + 4, 3, 3, Pal::Outline);
    c.Set(x + w - 4, y + 5, Pal::Red2);
    c.Fill(x + w - 4, y + 9, 3, 1, Pal::Grey1);
  } else {
    c.Fill(x + 3, y + 7, w - 6, 1, Pal::Grey2);
  }
  // A ragged hood over the skull.
  c.Fill(x + 1, y - 1, w - 2, 3, Pal::Purple0);
  c.Fill(x + 2, y - 1, w - 5, 1, Pal::Purple1);
  if (f == Facing::UP) c.Fill(x, y, w, 6, Pal::Purple0);
}

void Ribs(Humanoid& h) {
  Canvas& c = h.canvas;
  // The ribcage: dark gaps between the ribs and a spine.
  for (int y = h.BodyTop() + 2; y < h.HipY() - 1; y += 2)
    c.Fill(h.BodyLeft() + 1, y, h.BodyW() - 2, 1, Pal::Grey1);
  c.Fill(h.Centre(), h.BodyTop() + 1, 1, h.BodyH(), Pal::Grey2);
  c.Fill(h.BodyLeft(), h.HipY() - 1, h.BodyW(), 2, Pal::Wood0);  // a rope belt
}

// The bow, held at grip and pointing its arrow along deg, the string pulled back by pull.
void Bow(Canvas& c, Point grip, float deg, int pull, bool arrow) {
  const Point nock = Toward(grip, deg, -float(pull) - 1);
  Point ends[2];
  for (int s = 0; s < 2; ++s) {
    Point prev = grip;
    for (int k = 0; k <= 8; ++k) {
      // Limbs curve back from the grip toward the shooter.
      const Point side = Toward(grip, deg + (s ? 90 : -90), float(k));
      const Point p = Toward(side, deg, -float(k * k) / 16.0f);
      c.ThickLine(prev.x, prev.y, p.x, p.y, k < 6 ? 2 : 1, Pal::Wood1);
      c.Set(p.x, p.y, k % 3 == 0 ? Pal::Wood2 : Pal::Wood1);
      prev = p;
    }
    ends[s] = prev;
  }
  c.Line(ends[0].x, ends[0].y, nock.x, nock.y, Pal::Grey3);
  c.Line(ends[1].x, ends[1].y, nock.x, nock.y, Pal::Grey3);
  if (arrow) {
    const Point tip = Toward(nock, deg, 13);
    c.Line(nock.x, nock.y, tip.x, tip.y, Pal::Wood2);
    c.Set(tip.x, tip.y, Pal::Grey3);
    const Point fl = Toward(nock, deg, 1);
    c.Set(fl.x, fl.y, Pal::Red2);
  }
}

const int kPull[10] = {0, 1, 2, 3, 4, 5, 0, 0, 0, 0};

void Skeleton(Canvas& c, Facing f, MonsterAct act, int frame) {
  Pose p = MonsterWalkPose(f, act == MonsterAct::WALK ? frame : 5);
  bool flash = false;
  if (act == MonsterAct::HURT) {
    static const int push[6] = {3, 3, 2, 1, 1, 0};
    flash = frame % 2 == 0;
    if (f == Facing::RIGHT)
      p.lean = -push[frame];
    else
      p.lean = (frame % 2) ? 1 : -1, p.bob = -push[frame] / 2;
  }
  if (act == MonsterAct::ATTACK) {
    p.bob = frame == 7 ? -1 : 0;
    p.lean = frame == 6 ? (f == Facing::RIGHT ? -1 : 0) : 0;
  }
  Humanoid h(c, SkeletonLook(), p);
  const bool aiming = act == MonsterAct::ATTACK && frame >= 1 && frame <= 7;
  const int pull = act == MonsterAct::ATTACK ? kPull[frame] : 0;
  const bool arrow = act == MonsterAct::ATTACK && frame <= 5;
  // Bow lowered at rest, raised while aiming, lowered again after the shot.
  const int lower = act == MonsterAct::ATTACK ? (frame == 0 ? 3 : frame >= 8 ? frame - 6 : 0) : 4;

  if (f == Facing::DOWN) {
    h.Legs();
    h.Body();
    Ribs(h);
    Skull(h, f);
    if (aiming || act == MonsterAct::ATTACK) {
      const Point grip{h.Centre() - 1, h.BodyTop() + 9 + lower};
      h.Arm(0, grip.x - h.Shoulder(0).x, grip.y - h.Shoulder(0).y - 2 - pull);
      h.Arm(1, grip.x - h.Shoulder(1).x, grip.y - h.Shoulder(1).y);
      Bow(c, grip, 90, pull, arrow);
    } else {
      h.ArmAtRest(0);
      const Point hand = h.ArmAtRest(1);
      Bow(c, Point{hand.x + 1, hand.y}, act == MonsterAct::HURT ? -30.0f : 0.0f, 0, false);
    }
  } else if (f == Facing::UP) {
    h.Legs();
    const Point grip{h.Centre(), h.BodyTop() - 6 - (aiming ? 0 : 0) + lower * 2};
    if (act == MonsterAct::ATTACK) Bow(c, grip, -90, pull, arrow);
    h.Body();
    Ribs(h);
    Skull(h, f);
    if (act == MonsterAct::ATTACK) {
      h.Arm(0, grip.x - h.Shoulder(0).x, grip.y - h.Shoulder(0).y + 3 + pull);
      h.Arm(1, grip.x - h.Shoulder(1).x, grip.y - h.Shoulder(1).y);
    } else {
      const Point hand = h.ArmAtRest(0);
      h.ArmAtRest(1);
      Bow(c, Point{hand.x - 1, hand.y}, act == MonsterAct::HURT ? 210.0f : 180.0f, 0, false);
    }
  } else {
    h.ArmAtRest(0);
    h.Legs();
    h.Body();
    Ribs(h);
    Skull(h, f);
    if (act == MonsterAct::ATTACK) {
      const Point grip{h.Centre() + 9 - lower, h.BodyTop() + 2 + lower * 2};
      const Point sh = h.Shoulder(1);
      Bow(c, grip, lower * 12.0f, pull, arrow);
      h.Arm(1, grip.x - sh.x, grip.y - sh.y);
      h.Arm(1, -pull - 1, 1);
    } else {
      const Point hand = h.ArmAtRest(1);
      Bow(c, Point{hand.x + 1, hand.y - 1}, act == MonsterAct::HURT ? -60.0f : -90.0f + 15, 0,
          false);
    }
  }
  h.Finish();
  if (act == MonsterAct::ATTACK && frame == 6) {
    // The arrow has just left: a streak ahead of the bow.
    const Point from = f == Facing::DOWN ? Point{31, 52}
                       : f == Facing::UP ? Point{32, 8}
                                         : Point{50, 22};
    const float deg = f == Facing::DOWN ? 90.0f : f == Facing::UP ? -90.0f : 0.0f;
    const Point to = Toward(from, deg, 8);
    c.Line(from.x, from.y, to.x, to.y, Pal::White);
  }
  if (flash) Flash(c);
}

void Dying(Canvas& c, int frame) {
  if (frame < 3) {
    Pose p = MonsterWalkPose(Facing::DOWN, 5);
    p.squash = frame * 2;
    p.bob = frame * 3;
    Humanoid h(c, SkeletonLook(), p);
    h.Legs();
    h.Body();
    Ribs(h);
    h.Arm(0, -3, 4 + frame);
    h.Arm(1, 3, 4 + frame);
    Skull(h, Facing::DOWN);
    h.Finish();
    if (frame == 0) Flash(c);
    return;
  }
  // A heap of bones, the skull rolling off and everything crumbling to dust.
  const int k = frame - 3;
  c.ShadedEllipse(22, 38, 20, 7, Pal::Bone);
  c.Line(20, 40, 30, 44, Pal::Grey3);
  c.Line(36, 37, 46, 42, Pal::Grey3);
  c.Line(25, 45, 40, 38, Pal::White);
  c.Fill(26, 40, 12, 1, Pal::Grey1);
  const int sx = 40 + k, sy = 30 + (k > 2 ? 3 : k);
  c.ShadedEllipse(sx, sy, 9, 8, Pal::Bone);
  c.Fill(sx + 2, sy + 3, 2, 2, Pal::Outline);
  c.Fill(sx + 5, sy + 3, 2, 2, Pal::Outline);
  c.Outline(0, 0, 64, 64, Pal::Outline);
  if (k >= 2) Dissolve(c, k - 1);
  if (k >= 1) Puff(c, Point{26 + k * 2, 40 - k}, 1 + k % 3);
}

}  // namespace

void DrawSkeletonSheet(Canvas& c) {
  MonsterSheet(c, [](Canvas& cell, Facing f, MonsterAct act, int frame) {
    if (act == MonsterAct::DIE)
      Dying(cell, frame);
    else
      Skeleton(cell, f, act, frame);
  });
}
