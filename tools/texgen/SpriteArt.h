#pragma once
#include <functional>

#include "tools/texgen/Canvas.h"
#include "tools/texgen/Humanoid.h"

// Pieces shared by the creature and projectile sheets. Angles are in degrees
// on the image: 0 points right, 90 down, -90 up.
namespace SpriteArt {

// Points the canvas at cell (col, row) of a sheet of square cells and clips to it.
void EnterCell(Canvas& c, int col, int row, int cell = 64);
// Leaves the canvas as it was before any EnterCell.
void LeaveCell(Canvas& c);

// The point at distance len from (x, y) in direction deg.
Point Toward(Point from, float deg, float len);

// A sword held at hand, blade pointing in direction deg.
void Sword(Canvas& c, Point hand, float deg, int blade = 11);
// A club (thick, spiked at the end).
void Club(Canvas& c, Point hand, float deg, int len = 13);
// A staff with a glowing orb; glow 0..2 makes the orb bigger and brighter.
void Staff(Canvas& c, Point hand, float deg, int glow = 0, int len = 16);
// A light arc of a blade's sweep around centre, from deg0 to deg1.
void Swoosh(Canvas& c, Point centre, int radius, float deg0, float deg1);
// A four-pointed sparkle.
void Sparkle(Canvas& c, Point p, int size, Color col);

// Draws into a scratch 64 x 64 cell and copies it into the current cell
// mirrored left to right (for left-facing frames made from right-facing art).
void Mirrored(Canvas& c, const std::function<void(Canvas&)>& draw);
// Draws an upright figure into a scratch cell and lays it on its back:
// the figure's head goes to the right, its feet to the left, on row 'floor'.
void LyingDown(Canvas& c, int floor, const std::function<void(Canvas&)>& draw);
// The hurt flash: every texel of the cell one step lighter.
void Flash(Canvas& c);

// Columns 0-2 of a player sheet (facing down, up, right), rows from the top: standing, four
// walking frames, four attack frames, three guard frames and two hurt frames.
enum class PlayerAct { STAND, WALK, ATTACK, GUARD, HURT };
void PlayerColumns(Canvas& c, const std::function<void(Canvas&, Facing, PlayerAct, int)>& draw);

// The monster sheet layout: rows 0-2 walking down, up, right (6 frames; the
// standing picture is column 5), rows 3-5 hurt (6 frames), rows 6-8 attacking
// (10 frames), row 9 dying (10 frames, drawn with Facing::DOWN).
enum class MonsterAct { WALK, HURT, ATTACK, DIE };
void MonsterSheet(Canvas& c, const std::function<void(Canvas&, Facing, MonsterAct, int)>& draw);
// The walking phases of a six-frame cycle; frame 5 is the standing pose.
Pose MonsterWalkPose(Facing f, int frame);

// Crumbles a dying figure: clears about amount/8 of the cell's texels in a
// fixed scattered pattern.
void Dissolve(Canvas& c, int amount);
// A grey puff of dust or smoke.
void Puff(Canvas& c, Point centre, int radius);

// The next lighter colour of the palette (white stays white).
Color Lighter(Color col);

}  // namespace SpriteArt
