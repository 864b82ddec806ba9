#include "actors/cMonster2.h"

#include <cstdlib>
#include <vector>

#include "actors/cArrow.h"
#include "actors/cProjectile.h"

namespace {

// Projectile map cell; anything outside the map is blocked.
bool CellBlocked(const char* map, int col, int row) {
  if (col < 0 || col >= MAP_COLS || row < 0 || row >= MAP_ROWS) return true;
  return map[col + row * MAP_COLS] != 0;
}

}  // namespace

cMonster2::cMonster2() {
  SetFootprintH(1);
  SetFootprintW(1);
  SetHeight(TILE_SIZE * 3 / 2);
  SetWidth(TILE_SIZE);
  SetFrameSize(4);
  SetMaxLife(30);
  SetLife(30);
}

cMonster2::~cMonster2() {}

bool cMonster2::Shoot(std::list<cBicho*>* players, std::list<cProjectile*>* projectiles,
                      char* proj_map) {
  if (frame != 6 || delay != 0) return false;
  if (!projectiles) return false;

  int flight;
  if (state == STATE_ATTACK_UP)
    flight = PROJ_FLY_UP;
  else if (state == STATE_ATTACK_DOWN)
    flight = PROJ_FLY_DOWN;
  else if (state == STATE_ATTACK_LEFT)
    flight = PROJ_FLY_LEFT;
  else if (state == STATE_ATTACK_RIGHT)
    flight = PROJ_FLY_RIGHT;
  else
    return false;

  projectiles->push_back(new cArrow());
  cProjectile* arrow = projectiles->back();

  const int fw = GetFootprintW();
  const int fh = GetFootprintH();
  const int aw = arrow->GetWidth();
  const int ah = arrow->GetHeight();
  std::list<cBicho*> no_targets;
  std::list<cBicho*>& targets = players ? *players : no_targets;

  arrow->SetState(flight);
  bool explode = false;
  switch (flight) {
    case PROJ_FLY_UP:
      arrow->SetPosition(x + (fw - aw) / 2, y + fh);
      explode = arrow->HitCreature(targets) || arrow->CollidesMapRow(proj_map, false) ||
                arrow->CollidesMapRow(proj_map, true);
      break;
    case PROJ_FLY_DOWN:
      arrow->SetPosition(x + (fw - aw) / 2, y);
      explode = arrow->HitCreature(targets) || arrow->CollidesMapRow(proj_map, false);
      break;
    case PROJ_FLY_LEFT:
      arrow->SetPosition(x, y + (fh - ah) / 2);
      explode = arrow->HitCreature(targets) || arrow->CollidesMapColumn(proj_map, false);
      break;
    case PROJ_FLY_RIGHT:
      arrow->SetPosition(x + fw, y + (fh - ah) / 2);
      explode = arrow->HitCreature(targets) || arrow->CollidesMapColumn(proj_map, false) ||
                arrow->CollidesMapColumn(proj_map, true);
      break;
  }
  if (explode) arrow->SetState(flight + 4);
  return true;
}

bool cMonster2::Think(char* walk_map, char* proj_map, std::list<cBicho*>* enemies, cBicho* p1,
                      cBicho* p2) {
  const int t = TILE_SIZE;
  const int fw = GetFootprintW();
  const int fh = GetFootprintH();
  cArrow arrow;
  const int aw = arrow.GetWidth();
  const int ah = arrow.GetHeight();

  // A. Line of sight: the first player aligned with a firing lane decides alone.
  const int lane_x = x + (fw - aw) / 2;
  const int lane_y = y + (fh - ah) / 2;
  cBicho* players[2] = {p1, p2};
  for (cBicho* p : players) {
    if (!p) continue;
    const cRect hitbox = p->GetHitbox();
    const bool vertical = hitbox.right > lane_x && hitbox.left < lane_x + aw;
    const bool horizontal = !vertical && hitbox.top > lane_y && hitbox.bottom < lane_y + ah;
    if (!vertical && !horizontal) continue;

    bool blocked = false;
    int attack_state;
    if (vertical) {
      const int col = x / t;
      int from, to;
      if (hitbox.bottom > y) {
        from = (y + fh) / t;
        to = hitbox.bottom / t;
        attack_state = STATE_ATTACK_UP;
      } else {
        from = hitbox.bottom / t;
        to = (y - fh) / t;
        attack_state = STATE_ATTACK_DOWN;
      }
      for (int row = from; row <= to && !blocked; row++) blocked = CellBlocked(proj_map, col, row);
    } else {
      const int row = y / t;
      int from, to;
      if (hitbox.left > x) {
        from = (x + fw) / t;
        to = hitbox.left / t;
        attack_state = STATE_ATTACK_RIGHT;
      } else {
        from = hitbox.left / t;
        to = (x - fw) / t;
        attack_state = STATE_ATTACK_LEFT;
      }
      for (int col = from; col <= to && !blocked; col++) blocked = CellBlocked(proj_map, col, row);
    }
    if (blocked) break;
    state = attack_state;
    frame = 0;
    delay = 0;
    return true;
  }

  // B. Back onto the grid.
  if (Realign()) return false;

  // C. Next step: toward a player's column or row.
  std::vector<int> new_collision_map(MAP_CELLS);
  BuildOccupancy(new_collision_map.data(), walk_map, enemies, p1, p2);
  std::vector<int> occupied_tiles = GetTiles();

  const int delta[4] = {x + t, x - t, y + t, y - t};
  const int walk[4] = {STATE_WALK_RIGHT, STATE_WALK_LEFT, STATE_WALK_UP, STATE_WALK_DOWN};
  int preferred = STATE_WALK_RIGHT;
  int best = 0;
  bool first = true;
  for (int i = 0; i < 4; i++) {
    for (cBicho* p : players) {
      if (!p) continue;
      const int coord = i < 2 ? p->GetX() : p->GetY();
      const int dist = std::abs(delta[i] - coord);
      if (first || dist < best) {
        best = dist;
        preferred = walk[i];
        first = false;
      }
    }
  }

  std::vector<int> choices = FreeDirections(new_collision_map.data(), occupied_tiles);
  PickStep(choices, preferred);
  return false;
}
