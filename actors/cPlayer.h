#pragma once
#include <list>

#include "actors/cBicho.h"

// Common base of the two players: energy, charge, cool-down, movement against
// the walk map and the living monsters, the sprite quad and the extra states.
class cPlayer : public cBicho {
public:
  cPlayer();
  virtual ~cPlayer();

  void MoveUp(char* walk_map, std::list<cBicho*>* others);
  void MoveDown(char* walk_map, std::list<cBicho*>* others);
  void MoveLeft(char* walk_map, std::list<cBicho*>* others, bool no_slide);
  void MoveRight(char* walk_map, std::list<cBicho*>* others, bool no_slide);
  void TryMoveUp(char* walk_map, std::list<cBicho*>* others, int my_y, int other_y, int screen_h);
  void TryMoveDown(char* walk_map, std::list<cBicho*>* others, int my_y, int other_y, int screen_h,
                   int bottom_limit);
  // Tests run after a step; true means blocked. May nudge the player sideways.
  bool CollidesMapV(char* walk_map, std::list<cBicho*>* others, bool up);
  bool CollidesMapH(char* walk_map, std::list<cBicho*>* others, bool right, bool no_slide);
  bool IsTileOccupied(std::list<cBicho*>* others, int cell);

  void DrawRect(GLuint tex_id, float s0, float t0, float s1, float t1);
  void NextFrame(int frames);
  int GetFrameSize() const;
  int GetFrameTop() const;
  int GetFrameBottom() const;

  void StartChargedAttack();
  void EnterGuard();
  void LeaveGuard();
  // These three hide the cBicho versions (not virtual).
  void Stop();
  bool IsAttacking() const;
  bool IsChargedAttack() const;
  bool IsGuarding() const;
  bool IsWalking() const;

  void SetMaxEnergy(int e);
  int GetMaxEnergy() const;
  void SetEnergy(int e);
  int GetEnergy() const;
  void SetCharge(int c);
  int GetCharge() const;
  void SetCooldown(int c);
  int GetCooldown() const;
  void SetAttackFrameDelay(int d);
  int GetAttackFrameDelay() const;

protected:
  // Shared sheet rule of both players; charged_frames is the length of the
  // charged attack's column.
  void DrawPlayerSheet(GLuint tex_id, int tex_w, int tex_h, bool animate, int charged_frames);

  int max_energy = 0;
  int energy = 0;
  int charge = 0;
  int cooldown = 0;
  int frame_delay = 4;
  int attack_frame_delay = 2;
  int frame_size = 4;
  int step = TILE_SIZE / 8;

private:
  void TurnUp();
  void TurnDown();
  // Walk map cell, with everything outside the 20x160 grid blocked.
  static bool CellBlocked(const char* walk_map, int col, int row);
  static bool IsHorizontalWalk(int s);
};
