// The melee monster's sheet: a green brute with a spiked club.
// The club comes down on frame 3 of the attack.
#include "tools/texgen/Sheets.h"
#include "tools/texgen/SpriteArt.h"

using namespace SpriteArt;

namespace {

Look BruteLook() {
  Look b;
  b.skin = Pal::Grass;
  b.body = Pal::Wood;
  b.legs = Ramp{Pal::Stone0, Pal::Stone1, Pal::Stone2};
  b.feet = Ramp{Pal::Outline, Pal::Wood0, Pal::Wood1};
  b.arms = Pal::Grass;
  b.hands = Pal::Grass;
  b.body_w = 16;
  b.body_h = 10;
  b.leg_h = 6;
  b.leg_w = 5;
  b.arm_w = 4;
  b.head_w = 12;
  b.head_h = 10;
  return b;
}

void Head(Humanoid& h, Facing f) {
  Canvas& c = h.canvas;
  const int x = h.HeadLeft(), y = h.HeadTop(), w = h.HeadW();
  h.Head(Pal::Grass);
  if (f == Facing::DOWN) {
    c.Fill(x + 2, y + 3, w - 4, 1, Pal::Green0);  // heavy brow
    c.Set(x + 3, y + 4, Pal::Red2);
    c.Set(x + w - 4, y + 4, Pal::Red2);
    c.Fill(x + 3, y + 7, w - 6, 1, Pal::Outline);
    c.Fill(x + 3, y + 6, 1, 2, Pal::Cream);  // tusks
    c.Fill(x + w - 4, y + 6, 1, 2, Pal::Cream);
  } else if (f == Facing::RIGHT) {
    c.Fill(x + w - 5, y + 3, 4, 1, Pal::Green0);
    c.Set(x + w - 3, y + 4, Pal::Red2);
    c.Fill(x + w - 4, y + 7, 4, 1, Pal::Outline);
    c.Fill(x + w - 2, y + 6, 1, 2, Pal::Cream);
    c.Fill(x + 2, y + 2, 3, 3, Pal::Wood0);  // the topknot at the back
  } else {
    c.Fill(x + w / 2 - 1, y - 1, 3, 3, Pal::Wood0);
    c.Fill(x + 2, y + 4, w - 4, 1, Pal::Green1);
  }
}

void Vest(Humanoid& h) {
  Canvas& c = h.canvas;
  if (!h.Side() && h.pose.facing == Facing::DOWN) {
    // Open vest over a bare green chest.
    c.Fill(h.Centre() - 3, h.BodyTop(), 6, h.BodyH() - 2, Pal::Green2);
    c.Fill(h.Centre() - 1, h.BodyTop() + 2, 1, 3, Pal::Green1);
  }
  c.Fill(h.BodyLeft(), h.HipY() - 2, h.BodyW(), 2, Pal::Grey1);  // belt
  c.Set(h.Centre(), h.HipY() - 2, Pal::Grey3);
}

struct Blow {
  int hand_dx, hand_dy;
  float deg;
};
const Blow kDown[10] = {{-3, -3, -120}, {-2, -8, -100}, {0, -10, -75}, {3, 9, 90},   {3, 9, 95},
                        {2, 8, 110},    {1, 6, 130},    {0, 5, 145},   {-1, 4, 158}, {-2, 3, 168}};
const Blow kUp[10] = {{3, 5, 70},   {4, 2, 30},   {3, -2, 5}, {0, -10, -90}, {1, -10, -85},
                      {2, -7, -60}, {3, -4, -30}, {4, -1, 0}, {4, 2, 30},    {3, 4, 55}};
const Blow kRight[10] = {{-4, -4, -150}, {-1, -8, -115}, {2, -8, -80}, {8, 2, 5},  {8, 3, 12},
                         {7, 4, 30},     {5, 5, 50},     {3, 6, 70},   {1, 6, 85}, {0, 7, 100}};

void Brute(Canvas& c, Facing f, MonsterAct act, int frame) {
  Pose p = MonsterWalkPose(f, act == MonsterAct::WALK ? frame : 5);
  bool flash = false;
  if (act == MonsterAct::HURT) {
    static const int push[6] = {3, 3, 2, 1, 1, 0};
    flash = frame % 2 == 0;
    if (f == Facing::RIGHT)
      p.lean = -push[frame];
    else
      p.bob = f == Facing::DOWN ? -push[frame] / 2 : push[frame] / 2;
    if (f != Facing::RIGHT) p.lean = (frame % 2) ? 1 : -1;
  }
  if (act == MonsterAct::ATTACK) {
    p.bob = frame == 2 ? -1 : (frame == 3 ? 1 : 0);
    p.step = frame >= 3 && frame <= 5 ? 1 : 0;
  }
  Humanoid h(c, BruteLook(), p);
  Blow blow{0, 7, 160};
  if (f == Facing::UP) blow = Blow{3, 6, 60};
  if (f == Facing::RIGHT) blow = Blow{1, 1, -120};  // resting on the shoulder
  if (act == MonsterAct::ATTACK)
    blow = (f == Facing::DOWN ? kDown : f == Facing::UP ? kUp : kRight)[frame];
  if (act == MonsterAct::HURT)
    blow = Blow{f == Facing::UP ? 4 : -4, 2, f == Facing::UP ? -30.0f : 210.0f};

  if (f == Facing::DOWN) {
    h.Legs();
    h.Body();
    Vest(h);
    h.ArmAtRest(1);
    Head(h, f);
    Club(c, h.Arm(0, blow.hand_dx, blow.hand_dy), blow.deg);
  } else if (f == Facing::UP) {
    h.Legs();
    const bool raised = blow.hand_dy < -3;
    h.Body();
    Vest(h);
    h.ArmAtRest(0);
    if (!raised) Head(h, f);
    Club(c, h.Arm(1, blow.hand_dx, blow.hand_dy), blow.deg);
    if (raised) Head(h, f);
  } else {
    h.ArmAtRest(0);
    h.Legs();
    h.Body();
    Vest(h);
    Head(h, f);
    Club(c, h.Arm(1, blow.hand_dx, blow.hand_dy), blow.deg);
  }
  h.Finish();
  if (act == MonsterAct::ATTACK && (frame == 3 || frame == 4)) {
    // The impact where the club lands.
    const Point hand{h.Shoulder(f == Facing::UP || f == Facing::RIGHT ? 1 : 0).x + blow.hand_dx,
                     h.Shoulder(0).y + blow.hand_dy};
    const Point end = Toward(hand, blow.deg, 14);
    if (frame == 3)
      Sparkle(c, end, 4, Pal::Yellow);
    else
      Puff(c, end, 2);
  }
  if (flash) Flash(c);
}

void Dying(Canvas& c, int frame) {
  if (frame < 3) {
    Pose p = MonsterWalkPose(Facing::DOWN, 5);
    p.squash = frame * 2;
    p.bob = frame * 2;
    p.lean = frame;
    Humanoid h(c, BruteLook(), p);
    h.Legs();
    h.Body();
    Vest(h);
    h.Arm(1, 2, 4 + frame);
    Head(h, Facing::DOWN);
    Club(c, h.Arm(0, -4, 5), 150.0f + frame * 10);
    h.Finish();
    if (frame == 0) Flash(c);
    return;
  }
  LyingDown(c, 46, [](Canvas& s) {
    Humanoid h(s, BruteLook(), MonsterWalkPose(Facing::DOWN, 5));
    h.Legs();
    h.Body();
    Vest(h);
    h.Arm(0, -3, 6);
    h.Arm(1, 3, 6);
    Head(h, Facing::DOWN);
    h.Finish();
  });
  Club(c, Point{26, 52}, 15, 12);
  if (frame >= 5) Dissolve(c, frame - 4);
  for (int k = 0; k < frame - 3; ++k)
    Puff(c, Point{20 + k * 5, 42 - (k % 2) * 3 - (frame - 3)}, 1 + (frame + k) % 3);
}

}  // namespace

void DrawBruteSheet(Canvas& c) {
  MonsterSheet(c, [](Canvas& cell, Facing f, MonsterAct act, int frame) {
    if (act == MonsterAct::DIE)
      Dying(cell, frame);
    else
      Brute(cell, f, act, frame);
  });
}
