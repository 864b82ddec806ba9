#include "actors/cPlayer1.h"

cPlayer1::cPlayer1() {
  max_life = 150;
  life = 150;
  max_energy = 150;
  energy = 150;
  charge = 0;
  damage = 10;
  saved_state = STATE_LOOK_DOWN;
}

cPlayer1::~cPlayer1() {}

void cPlayer1::Draw(GLuint tex_id, int tex_w, int tex_h, bool animate) {
  DrawPlayerSheet(tex_id, tex_w, tex_h, animate, 7);
}

bool cPlayer1::Attack(cBicho* target) {
  if (target == nullptr) return false;
  const int T = TILE_SIZE;
  const int FW = GetFootprintW();
  const int FH = GetFootprintH();
  const int R = 21 * TILE_SIZE / 16;  // side reach

  cRect attack_area;
  int hurt_state;
  auto area = [&attack_area](int left, int top, int right, int bottom) {
    attack_area.left = left;
    attack_area.top = top;
    attack_area.right = right;
    attack_area.bottom = bottom;
  };

  if (state != STATE_CHARGED_ATTACK) {
    if (frame != 3 || delay != 0) return false;
    switch (state) {
      case STATE_ATTACK_UP:
        area(x - T, y + FH + T, x + FW + T, y + FH);
        hurt_state = STATE_HURT_DOWN;
        break;
      case STATE_ATTACK_DOWN:
        area(x - T, y, x + FW + T, y - T / 2);
        hurt_state = STATE_HURT_UP;
        break;
      case STATE_ATTACK_LEFT:
        area(x - R, y + FH, x, y);
        hurt_state = STATE_HURT_RIGHT;
        break;
      case STATE_ATTACK_RIGHT:
        area(x + FW, y + FH, x + FW + R, y);
        hurt_state = STATE_HURT_LEFT;
        break;
      default: return false;
    }
  } else {
    // The charged sweep: one quadrant per frame, two tiles out.
    if (delay != 0) return false;
    switch (frame) {
      case 1:
        area(x - 2 * T, y + FH + 2 * T, x + FW, y);
        hurt_state = STATE_HURT_DOWN;
        break;
      case 2:
        area(x - 2 * T, y + FH, x + FW, y - T);
        hurt_state = STATE_HURT_RIGHT;
        break;
      case 3:
        area(x, y + FH, x + FW + 2 * T, y - T);
        hurt_state = STATE_HURT_UP;
        break;
      case 4:
        area(x, y + FH + 2 * T, x + FW + 2 * T, y);
        hurt_state = STATE_HURT_LEFT;
        break;
      default: return false;
    }
  }

  if (target->GetState() == STATE_DEAD) return false;
  if (!Collides(attack_area, target->GetHitbox())) return false;

  int new_life = target->GetLife() - damage;
  target->SetState(new_life <= 0 ? STATE_DEAD : hurt_state);
  target->SetLife(new_life < 0 ? 0 : new_life);
  target->SetFrame(0);
  target->SetDelay(0);
  return true;
}

// damage here is the attacker's, not player 1's own.
void cPlayer1::ReceiveAttack(int attack_state, int damage, int from_x, int from_y) {
  bool guard_left = state == STATE_GUARD_LEFT || state == STATE_GUARD_WALK_LEFT;
  bool guard_right = state == STATE_GUARD_RIGHT || state == STATE_GUARD_WALK_RIGHT;
  bool guard_up = state == STATE_GUARD_UP || state == STATE_GUARD_WALK_UP;
  bool guard_down = state == STATE_GUARD_DOWN || state == STATE_GUARD_WALK_DOWN;

  bool held;
  int damage_state;
  switch (attack_state) {
    case STATE_ATTACK_UP:  // attacker below
      held = guard_down || (guard_left && from_x < x) || (guard_right && from_x > x);
      damage_state = STATE_HURT_DOWN;
      break;
    case STATE_ATTACK_DOWN:  // attacker above
      held = guard_up || (guard_left && from_x < x) || (guard_right && from_x > x);
      damage_state = STATE_HURT_UP;
      break;
    case STATE_ATTACK_LEFT:  // attacker to the right
      held = guard_right || (guard_down && from_y < y) || (guard_up && from_y > y);
      damage_state = STATE_HURT_RIGHT;
      break;
    case STATE_ATTACK_RIGHT:  // attacker to the left
      held = guard_left || (guard_down && from_y < y) || (guard_up && from_y > y);
      damage_state = STATE_HURT_LEFT;
      break;
    default: return;  // not a blow with a direction
  }

  int new_life;
  if (held) {
    int rest = energy - damage;
    if (rest >= 0) {
      energy = rest;
      return;
    }
    // The guard breaks: what energy could not absorb comes off life.
    energy = 0;
    new_life = life + rest;
  } else {
    new_life = life - damage;
  }

  if (new_life <= 0) {
    life = 0;
    state = STATE_DEAD;
  } else {
    life = new_life;
    state = damage_state;
  }
  frame = 0;
  delay = 0;
}

void cPlayer1::GuardWalk(int st) {
  if (st >= STATE_GUARD_UP && st <= STATE_GUARD_LEFT)
    state = st + (STATE_GUARD_WALK_UP - STATE_GUARD_UP);
  else if (st >= STATE_GUARD_WALK_UP && st <= STATE_GUARD_WALK_LEFT)
    state = st;
  else
    EnterGuard();
}

void cPlayer1::StopAndSave() {
  cPlayer::Stop();
  saved_state = state;
}

void cPlayer1::LeaveGuardAndSave() {
  cPlayer::LeaveGuard();
  saved_state = state;
}

void cPlayer1::SetSavedState(int s) { saved_state = s; }
int cPlayer1::GetSavedState() const { return saved_state; }
