#pragma once
#include <GL/glew.h>
#include <vector>

#include "actors/cRect.h"
#include "common/Globals.h"

// Facing and travel code; also the offset inside every state group.
enum Direction { DIR_UP = 1, DIR_RIGHT = 2, DIR_DOWN = 3, DIR_LEFT = 4 };

// Creature states: each group is its base plus a Direction (up, right, down, left).
enum BichoState {
  STATE_DEAD = 0,
  STATE_LOOK_UP = 1,
  STATE_LOOK_RIGHT = 2,
  STATE_LOOK_DOWN = 3,
  STATE_LOOK_LEFT = 4,
  // 5 is not used
  STATE_WALK_UP = 6,
  STATE_WALK_RIGHT = 7,
  STATE_WALK_DOWN = 8,
  STATE_WALK_LEFT = 9,
  STATE_HURT_UP = 10,
  STATE_HURT_RIGHT = 11,
  STATE_HURT_DOWN = 12,
  STATE_HURT_LEFT = 13,
  STATE_ATTACK_UP = 14,
  STATE_ATTACK_RIGHT = 15,
  STATE_ATTACK_DOWN = 16,
  STATE_ATTACK_LEFT = 17,
  // players only
  STATE_CHARGED_ATTACK = 18,
  STATE_GUARD_UP = 19,
  STATE_GUARD_RIGHT = 20,
  STATE_GUARD_DOWN = 21,
  STATE_GUARD_LEFT = 22,
  STATE_GUARD_WALK_UP = 23,
  STATE_GUARD_WALK_RIGHT = 24,
  STATE_GUARD_WALK_DOWN = 25,
  STATE_GUARD_WALK_LEFT = 26
};

// Base of every creature: position, hitbox, footprint, state, animation, life.
class cBicho {
public:
  cBicho();
  virtual ~cBicho();
  // Draws the creature's sprite; the base draws nothing.
  virtual void Draw(GLuint tex_id, int tex_w, int tex_h, bool animate);

  void SetTile(int tx, int ty);
  cRect GetHitbox() const;
  // Strict overlap: boxes sharing only an edge do not collide.
  bool Collides(cRect a, cRect b) const;
  bool ContainsPoint(cRect r, int px, int py) const;
  // Map cells under the footprint, column by column, bottom to top.
  std::vector<int> GetTiles() const;

  void Stop();
  void StartAttack();

  bool IsLooking() const;
  bool IsWalking() const;
  bool IsAttacking() const;
  bool IsHurt() const;

  void SetPosition(int px, int py);
  void SetX(int px);
  int GetX() const;
  void SetY(int py);
  int GetY() const;
  void SetWidth(int width);
  int GetWidth() const;
  void SetHeight(int height);
  int GetHeight() const;
  void SetFootprintW(int tiles);
  int GetFootprintW() const;  // pixels
  void SetFootprintH(int tiles);
  int GetFootprintH() const;  // pixels
  void SetState(int s);
  int GetState() const;
  void SetFrame(int f);
  int GetFrame() const;
  void SetDelay(int d);
  int GetDelay() const;
  void SetMaxLife(int ml);
  int GetMaxLife() const;
  void SetLife(int l);
  int GetLife() const;
  void SetDamage(int d);
  int GetDamage() const;

protected:
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  int footprint_w = 0;
  int footprint_h = 0;
  int state = STATE_LOOK_DOWN;
  int frame = 0;
  int delay = 0;
  int max_life = 0;
  int life = 0;
  int damage = 0;
};
