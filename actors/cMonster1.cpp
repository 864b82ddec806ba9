#include "actors/cMonster1.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "actors/cPlayer.h"
#include "actors/cPlayer1.h"

cMonster1::cMonster1() {
  SetFootprintH(1);
  SetFootprintW(1);
  SetHeight(TILE_SIZE * 3 / 2);
  SetWidth(TILE_SIZE);
  SetFrameSize(4);
  SetMaxLife(30);
  SetLife(30);
  SetDamage(10);
}

cMonster1::~cMonster1() {}

bool cMonster1::Attack(cBicho* target) {
  if (frame != 3 || delay != 0) return false;
  if (!target) return false;

  const int t = TILE_SIZE;
  const int fw = GetFootprintW();
  const int fh = GetFootprintH();
  cRect box;
  int hurt_state;
  if (state == STATE_ATTACK_UP) {
    box = {x, y + fh + t, x + fw, y + fh};
    hurt_state = STATE_HURT_DOWN;
  } else if (state == STATE_ATTACK_DOWN) {
    box = {x, y, x + fw, y - t};
    hurt_state = STATE_HURT_UP;
  } else if (state == STATE_ATTACK_LEFT) {
    box = {x - t, y + fh, x, y};
    hurt_state = STATE_HURT_RIGHT;
  } else if (state == STATE_ATTACK_RIGHT) {
    box = {x + fw, y + fh, x + fw + t, y};
    hurt_state = STATE_HURT_LEFT;
  } else {
    return false;
  }

  if (target->GetState() == STATE_DEAD || !Collides(box, target->GetHitbox())) return false;

  cPlayer1* guard = dynamic_cast<cPlayer1*>(target);
  if (guard && guard->IsGuarding()) {
    guard->ReceiveAttack(state, damage, x, y);
    return false;
  }

  const int new_life = target->GetLife() - damage;
  if (new_life <= 0) {
    target->SetState(STATE_DEAD);
  } else {
    cPlayer* player = dynamic_cast<cPlayer*>(target);
    if (!(player && player->IsChargedAttack())) {
      target->SetState(hurt_state);
      target->SetFrame(0);
      target->SetDelay(0);
    }
  }
  target->SetLife(new_life < 0 ? 0 : new_life);
  return true;
}

bool cMonster1::Think(char* walk_map, std::list<cBicho*>* enemies, cBicho* p1, cBicho* p2) {
  const int t = TILE_SIZE;
  const int fw = GetFootprintW();
  const int fh = GetFootprintH();

  // 1. Attack a player in the trigger areas.
  const cRect attack_areaV = {x, y + fh + t, x + fw, y - t};
  const cRect attack_areaH = {x - t, y + fh, x + fw + t, y};
  cBicho* players[2] = {p1, p2};
  for (cBicho* p : players) {
    if (!p) continue;
    const cRect hb = p->GetHitbox();
    int attack_state = -1;
    if (Collides(attack_areaV, hb))
      attack_state = hb.bottom < y ? STATE_ATTACK_DOWN : STATE_ATTACK_UP;
    else if (Collides(attack_areaH, hb))
      attack_state = hb.left < x ? STATE_ATTACK_LEFT : STATE_ATTACK_RIGHT;
    if (attack_state >= 0) {
      state = attack_state;
      frame = 0;
      delay = 0;
      return true;
    }
  }

  // 2. Back onto the grid.
  if (Realign()) return false;

  // 3. Occupancy map.
  std::vector<int> new_collision_map(MAP_CELLS);
  BuildOccupancy(new_collision_map.data(), walk_map, enemies, p1, p2);
  std::vector<int> occupied_tiles = GetTiles();

  // 4. Preferred step: the neighbour tile nearest to a player.
  const int nx[4] = {x, x, x + t, x - t};
  const int ny[4] = {y + t, y - t, y, y};
  const int walk[4] = {STATE_WALK_UP, STATE_WALK_DOWN, STATE_WALK_RIGHT, STATE_WALK_LEFT};
  int preferred = STATE_WALK_UP;
  float best = 0.0f;
  bool first = true;
  for (int i = 0; i < 4; i++) {
    for (cBicho* p : players) {
      if (!p) continue;
      const float dx = static_cast<float>(nx[i] - p->GetX());
      const float dy = static_cast<float>(ny[i] - p->GetY());
      const float dx2 = dx * dx;
      const float dy2 = dy * dy;
      const float sum = dx2 + dy2;
      const float dist = std::sqrt(sum);
      if (first || dist < best) {
        best = dist;
        preferred = walk[i];
        first = false;
      }
    }
  }

  // 5 and 6. Free directions, then the pick and the first step.
  std::vector<int> choices = FreeDirections(new_collision_map.data(), occupied_tiles);
  PickStep(choices, preferred);
  return false;
}
