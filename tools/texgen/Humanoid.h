#pragma once
#include "tools/texgen/Canvas.h"

enum class Facing { DOWN, UP, RIGHT };

struct Point {
  int x, y;
};

// Materials and proportions of a two-legged figure.
struct Look {
  Ramp skin = Pal::Skin;
  Ramp body = Pal::Cloth;
  Ramp legs = Pal::Iron;
  Ramp feet = Pal::Wood;
  Ramp arms = Pal::Cloth;
  Ramp hands = Pal::Skin;
  int body_w = 12;  // torso width seen from the front
  int body_h = 8;
  int leg_h = 6;
  int leg_w = 4;
  int arm_w = 3;
  int head_w = 10;
  int head_h = 10;
  bool robe = false;  // a robe hides the legs and flares to the feet
};

// What the figure is doing in one frame.
struct Pose {
  Facing facing = Facing::DOWN;
  int step = 0;    // -1, 0 or 1: which leg is lifted (front/back when seen from the side)
  int swing = 0;   // -1, 0 or 1: how the arms swing, a frame behind the legs
  int bob = 0;     // lift of everything above the feet, in texels (negative is up)
  int lean = 0;    // sideways shift of the upper body (a recoil)
  int squash = 0;  // torso shortened by this much (crouch before a spin)
};

// Draws a chibi figure part by part into a 64 x 64 creature cell, so each
// creature can put its parts (and its weapon) in the right order for its
// facing. The anchor is the middle of the feet: texel column 32 (the body is
// symmetric about the line between columns 31 and 32) on texel row 43.
class Humanoid {
public:
  Humanoid(Canvas& c, const Look& look, const Pose& pose, int ax = 32, int feet = 43);

  void Legs();
  void Body();
  // The head's base shape (skin ball); the caller adds hair, helmet or face.
  void Head(const Ramp& ramp);
  // One arm from its shoulder to the hand at (dx, dy) from the shoulder.
  // side 0 is the screen-left arm (the back arm when seen from the side).
  Point Arm(int side, int dx, int dy);
  // A hanging arm swinging with the step.
  Point ArmAtRest(int side);
  // Puts the one-texel dark rim around everything in the cell.
  void Finish();

  Point Shoulder(int side) const;
  // The head's box.
  int HeadLeft() const { return head_x; }
  int HeadTop() const { return head_y; }
  int HeadW() const { return look.head_w; }
  int HeadH() const { return look.head_h; }
  int BodyLeft() const { return body_x; }
  int BodyTop() const { return body_y; }
  int BodyW() const { return body_w; }
  int BodyH() const { return body_h; }
  int HipY() const { return hip_y; }
  int Centre() const { return ax + pose.lean; }
  // +1 when the figure looks toward +x (right), else 0; for face details.
  bool Side() const { return pose.facing == Facing::RIGHT; }

  Canvas& canvas;
  const Look look;
  const Pose pose;

private:
  int ax, feet;
  int hip_y, body_x, body_y, body_w, body_h, head_x, head_y;
};
