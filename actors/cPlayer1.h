#pragma once
#include "actors/cPlayer.h"

// Player 1: melee fighter with a guard that absorbs blows with energy.
class cPlayer1 : public cPlayer {
public:
  cPlayer1();
  virtual ~cPlayer1();
  void Draw(GLuint tex_id, int tex_w, int tex_h, bool animate) override;

  // One hit test of the current attack against one creature; true when it landed.
  bool Attack(cBicho* target);
  // A blow that reaches player 1 while it guards.
  void ReceiveAttack(int attack_state, int damage, int from_x, int from_y);
  void GuardWalk(int state);
  void StopAndSave();
  void LeaveGuardAndSave();
  void SetSavedState(int s);
  int GetSavedState() const;

private:
  int saved_state = STATE_LOOK_DOWN;
};
