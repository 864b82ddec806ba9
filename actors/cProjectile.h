#pragma once
#include <GL/glew.h>
#include <list>
#include "common/Globals.h"
#include "actors/cRect.h"

class cBicho;

// Flight in a direction (1-4), or the explosion that followed it (4 + direction).
enum ProjectileState {
  PROJ_FLY_UP = 1,
  PROJ_FLY_RIGHT = 2,
  PROJ_FLY_DOWN = 3,
  PROJ_FLY_LEFT = 4,
  PROJ_EXPLODE_UP = 5,
  PROJ_EXPLODE_RIGHT = 6,
  PROJ_EXPLODE_DOWN = 7,
  PROJ_EXPLODE_LEFT = 8
};

// A shot flying straight at a fixed speed, tested against the projectile map
// only on steps that leave a tile boundary.
class cProjectile {
public:
  cProjectile();
  virtual ~cProjectile();
  virtual void Draw(GLuint tex_id, int tex_w, int tex_h, bool animate);

  void SetPosition(int x, int y);
  int GetX() const;
  int GetY() const;
  void SetWidth(int w);
  int GetWidth() const;
  void SetHeight(int h);
  int GetHeight() const;
  void SetFrameSize(int frame_size);
  int GetFrameSize() const;
  void SetState(int state);
  int GetState() const;
  int GetFrame() const;
  int GetDelay() const;
  void SetDamage(int damage);
  int GetDamage() const;
  int GetSpeed() const;
  void SetDiagonalUp(bool on);
  void SetDiagonalDown(bool on);

  cRect GetHitbox() const;
  cRect GetFramebox() const;
  bool Collides(cRect a, cRect b) const;

  // Leading row (top) or bottom row; cells outside the map count as blocked.
  bool CollidesMapRow(char* map, bool top) const;
  // Leading column (right) or left column; cells outside the map count as blocked.
  bool CollidesMapColumn(char* map, bool right) const;

  void MoveUp(char* map);
  void MoveDown(char* map);
  void MoveLeft(char* map);
  void MoveRight(char* map);

  // Strikes every living creature it overlaps; true when one was struck.
  bool HitCreature(std::list<cBicho*>& creatures);
  // One frame of flight; true when it started to explode in this call.
  bool Logic(char* proj_map, std::list<cBicho*>* targets);

  void DrawRect(GLuint tex, float s0, float t0, float s1, float t1);
  void NextFrame(int n);
  bool IsExploding() const;

protected:
  int x;
  int y;
  int w;
  int h;
  int state;
  int frame;
  int delay;
  int damage;
  int frame_delay;
  int frame_size;
  int speed;
  int diag_up;
  int diag_down;
};
