#include "tools/texgen/Humanoid.h"

Humanoid::Humanoid(Canvas& c, const Look& look, const Pose& pose, int ax, int feet)
    : canvas(c), look(look), pose(pose), ax(ax), feet(feet) {
  hip_y = feet - look.leg_h + pose.bob;
  body_w = pose.facing == Facing::RIGHT ? look.body_w - 2 : look.body_w;
  body_h = look.body_h - pose.squash;
  body_x = ax - body_w / 2 + pose.lean;
  body_y = hip_y - body_h;
  head_x = ax - look.head_w / 2 + pose.lean + (pose.facing == Facing::RIGHT ? 1 : 0);
  head_y = body_y - look.head_h + 2;
}

void Humanoid::Legs() {
  const int w = look.leg_w;
  if (look.robe) {
    // The robe: a trapezoid from the waist to the feet, hem swinging with the step.
    const int top = hip_y - 1;
    for (int y = top; y <= feet; ++y) {
      const int k = y - top;
      const int half = body_w / 2 + k / 3;
      const int sway = (y > feet - 3) ? pose.step : 0;
      for (int x = Centre() - half + sway; x < Centre() + half + sway; ++x) {
        const int rel = x - (Centre() - half + sway);
        Color col = look.body.mid;
        if (rel < 2) col = look.body.light;
        if (rel >= 2 * half - 2 || y == feet) col = look.body.dark;
        canvas.Set(x, y, col);
      }
    }
    // Feet peeking out under the hem.
    if (pose.facing != Facing::UP) {
      const int fx = pose.facing == Facing::RIGHT ? Centre() + 1 : Centre() - 4;
      canvas.Fill(fx + (pose.step > 0 ? 1 : 0), feet, 3, 1, look.feet.dark);
    }
    return;
  }
  if (pose.facing == Facing::RIGHT) {
    // Seen from the side: back leg first, legs spread by the step.
    const int spread = pose.step * 2;
    const int back_x = ax - w / 2 - spread, front_x = ax - w / 2 + spread;
    const int lift_back = pose.step < 0 ? 1 : 0, lift_front = pose.step > 0 ? 1 : 0;
    // The far leg is in shadow.
    const Ramp far_legs{look.legs.dark, look.legs.dark, look.legs.mid};
    canvas.ShadedBox(back_x, hip_y, w, feet - hip_y + 1 - lift_back, far_legs);
    canvas.ShadedBox(back_x, feet - 1 - lift_back, w + 1, 2, look.feet);
    canvas.ShadedBox(front_x, hip_y, w, feet - hip_y + 1 - lift_front, look.legs);
    canvas.ShadedBox(front_x, feet - 1 - lift_front, w + 1, 2, look.feet);
    return;
  }
  // From the front or the back: one leg lifted by the step.
  const int left_x = ax - 1 - w, right_x = ax + 1;
  const int lift_l = pose.step > 0 ? 2 : 0, lift_r = pose.step < 0 ? 2 : 0;
  canvas.ShadedBox(left_x, hip_y, w, feet - hip_y + 1 - lift_l, look.legs);
  canvas.ShadedBox(left_x, feet - 1 - lift_l, w, 2, look.feet);
  canvas.ShadedBox(right_x, hip_y, w, feet - hip_y + 1 - lift_r, look.legs);
  canvas.ShadedBox(right_x, feet - 1 - lift_r, w, 2, look.feet);
}

void Humanoid::Body() { canvas.ShadedBox(body_x, body_y, body_w, body_h + 1, look.body); }

void Humanoid::Head(const Ramp& ramp) {
  canvas.ShadedEllipse(head_x, head_y, look.head_w, look.head_h, ramp);
}

Point Humanoid::Shoulder(int side) const {
  if (pose.facing == Facing::RIGHT) return Point{Centre() + (side == 0 ? -1 : 0), body_y + 1};
  return Point{side == 0 ? body_x - 2 : body_x + body_w + 1, body_y + 1};
}

Point Humanoid::Arm(int side, int dx, int dy) {
  const Point s = Shoulder(side);
  const Point h{s.x + dx, s.y + dy};
  canvas.ThickLine(s.x, s.y, h.x, h.y, look.arm_w, look.arms.mid);
  canvas.ThickLine(s.x - 1, s.y - 1, s.x - 1 + dx / 2, s.y - 1 + dy / 2, 1, look.arms.light);
  canvas.Fill(h.x - 1, h.y - 1, 3, 3, look.hands.mid);
  canvas.Set(h.x - 1, h.y - 1, look.hands.light);
  canvas.Set(h.x + 1, h.y + 1, look.hands.dark);
  return h;
}

Point Humanoid::ArmAtRest(int side) {
  const int swing = (side == 0 ? pose.swing : -pose.swing);
  if (pose.facing == Facing::RIGHT) return Arm(side, swing * 2, look.body_h - 2);
  return Arm(side, 0, look.body_h - 2 + swing);
}

void Humanoid::Finish() { canvas.Outline(0, 0, 64, 64, Pal::Outline); }
