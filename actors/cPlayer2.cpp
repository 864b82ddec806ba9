#include "actors/cPlayer2.h"

#include "actors/cFireball.h"

cPlayer2::cPlayer2() {
  max_life = 100;
  life = 100;
  max_energy = 150;
  energy = 150;
  charge = 0;
  damage = 0;
}

cPlayer2::~cPlayer2() {}

void cPlayer2::Draw(GLuint tex_id, int tex_w, int tex_h, bool animate) {
  DrawPlayerSheet(tex_id, tex_w, tex_h, animate, 12);
}

bool cPlayer2::Shoot(std::list<cBicho*>* enemies, std::list<cProjectile*>* projectiles,
                     char* proj_map) {
  if (projectiles == nullptr) return false;
  const int T = TILE_SIZE;
  cFireball aux;
  const int s = aux.GetSpeed();
  if (s <= 0) return false;
  const int xm = x % s;
  const int ym = y % s;
  const int FW = GetFootprintW();
  const int FH = GetFootprintH();
  const int fw = aux.GetWidth();
  const int fh = aux.GetHeight();

  // Spawn point of a shot in a direction, against the footprint's edge and
  // back onto the speed grid along the line of flight.
  auto spawn_x = [&](int dir) {
    switch (dir) {
      case DIR_RIGHT: return x + FW - xm;
      case DIR_LEFT: return x - fw + (s - xm) % s;
      default: return x + (FW - fw) / 2;
    }
  };
  auto spawn_y = [&](int dir) {
    switch (dir) {
      case DIR_UP: return y + FH - ym;
      case DIR_DOWN: return y - fh + (s - ym) % s;
      default: return y + (FH - fh) / 2;
    }
  };

  // Makes one fireball in the list; it explodes at once inside a monster or a wall.
  auto make_fireball = [&](int dir, int px, int py) -> cProjectile* {
    projectiles->push_back(new cFireball());
    cProjectile* fireball = projectiles->back();
    fireball->SetState(dir);
    fireball->SetPosition(px, py);
    bool blocked = enemies != nullptr && fireball->HitCreature(*enemies);
    if (!blocked && proj_map != nullptr) {
      switch (dir) {
        case DIR_UP:
          blocked =
              fireball->CollidesMapRow(proj_map, false) || fireball->CollidesMapRow(proj_map, true);
          break;
        case DIR_RIGHT:
          blocked = fireball->CollidesMapColumn(proj_map, false) ||
                    fireball->CollidesMapColumn(proj_map, true);
          break;
        case DIR_DOWN: blocked = fireball->CollidesMapRow(proj_map, false); break;
        case DIR_LEFT: blocked = fireball->CollidesMapColumn(proj_map, false); break;
      }
    }
    if (blocked) fireball->SetState(4 + dir);
    return fireball;
  };

  if (state != STATE_CHARGED_ATTACK) {
    if (frame != 2 || delay != 0) return false;
    if (state < STATE_ATTACK_UP || state > STATE_ATTACK_LEFT) return false;
    int dir = state - STATE_ATTACK_UP + DIR_UP;
    make_fireball(dir, spawn_x(dir), spawn_y(dir));
    energy -= 10;
    return true;
  }

  // Charged: a clockwise spin, one fireball on the first tick of frames 3 to 11.
  if (delay != 0 || energy < 5 || frame < 3 || frame > 11) return false;
  static const int spin_dir[9] = {DIR_UP,   DIR_RIGHT, DIR_RIGHT, DIR_RIGHT, DIR_DOWN,
                                  DIR_LEFT, DIR_LEFT,  DIR_LEFT,  DIR_UP};
  // +1 drifts up, -1 drifts down
  static const int spin_drift[9] = {0, 1, 0, -1, 0, -1, 0, 1, 0};
  int dir = spin_dir[frame - 3];
  int drift = spin_drift[frame - 3];
  cProjectile* fireball = make_fireball(dir, spawn_x(dir), spawn_y(dir) + T);
  if (drift > 0) fireball->SetDiagonalUp(true);
  if (drift < 0) fireball->SetDiagonalDown(true);
  energy -= 5;
  return true;
}
