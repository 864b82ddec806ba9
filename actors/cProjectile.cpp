#include "actors/cProjectile.h"
#include "actors/SpriteQuad.h"
#include "actors/cBicho.h"
#include "actors/cPlayer.h"
#include "actors/cPlayer1.h"

namespace {

// Pixel to cell, rounding down so that pixels left of or below the map land
// in cells outside it.
int CellOf(int px) { return px >= 0 ? px / TILE_SIZE : -((-px + TILE_SIZE - 1) / TILE_SIZE); }

int OffsetInCell(int px) { return px - CellOf(px) * TILE_SIZE; }

// Number of tile columns (or rows) that a span of len pixels from px touches.
int CellsSpanned(int px, int len) {
  int n = (len - 1) / TILE_SIZE + 1;
  if (OffsetInCell(px) + len > TILE_SIZE) n++;
  return n;
}

// Cells outside the map count as blocked.
bool Blocked(const char* map, int col, int row) {
  if (col < 0 || col >= MAP_COLS || row < 0 || row >= MAP_ROWS) return true;
  return map[row * MAP_COLS + col] != 0;
}

}  // namespace

// State 0 until the shooter sets a flight: such a shot neither moves nor strikes.
cProjectile::cProjectile()
    : x(0),
      y(0),
      w(0),
      h(0),
      state(0),
      frame(0),
      delay(0),
      damage(0),
      frame_delay(3),
      frame_size(0),
      speed(TILE_SIZE / 2),
      diag_up(0),
      diag_down(0) {}

cProjectile::~cProjectile() {}

void cProjectile::Draw(GLuint, int, int, bool) {}

void cProjectile::SetPosition(int px, int py) {
  x = px;
  y = py;
}
int cProjectile::GetX() const { return x; }
int cProjectile::GetY() const { return y; }
void cProjectile::SetWidth(int value) { w = value; }
int cProjectile::GetWidth() const { return w; }
void cProjectile::SetHeight(int value) { h = value; }
int cProjectile::GetHeight() const { return h; }
void cProjectile::SetFrameSize(int value) { frame_size = value; }
int cProjectile::GetFrameSize() const { return frame_size; }
void cProjectile::SetState(int value) { state = value; }
int cProjectile::GetState() const { return state; }
int cProjectile::GetFrame() const { return frame; }
int cProjectile::GetDelay() const { return delay; }
void cProjectile::SetDamage(int value) { damage = value; }
int cProjectile::GetDamage() const { return damage; }
int cProjectile::GetSpeed() const { return speed; }
void cProjectile::SetDiagonalUp(bool on) { diag_up = on ? 1 : 0; }
void cProjectile::SetDiagonalDown(bool on) { diag_down = on ? 1 : 0; }

cRect cProjectile::GetHitbox() const {
  cRect r;
  r.left = x;
  r.top = y + h;
  r.right = x + w;
  r.bottom = y;
  return r;
}

cRect cProjectile::GetFramebox() const {
  int s = frame_size * TILE_SIZE;
  cRect r;
  r.left = x - (s - w) / 2;
  r.top = y + h + (s - h) / 2;
  r.right = x + w + (s - w) / 2;
  r.bottom = y - (s - h) / 2;
  return r;
}

bool cProjectile::Collides(cRect a, cRect b) const {
  return a.top > b.bottom && b.top > a.bottom && a.left < b.right && b.left < a.right;
}

bool cProjectile::CollidesMapRow(char* map, bool top) const {
  int col0 = CellOf(x);
  int row = CellOf(y);
  if (top && CellOf(y + h) < MAP_ROWS) row = CellOf(y + h);
  int n = CellsSpanned(x, w);
  for (int i = 0; i < n; i++) {
    if (Blocked(map, col0 + i, row)) return true;
  }
  return false;
}

bool cProjectile::CollidesMapColumn(char* map, bool right) const {
  int col = CellOf(x);
  if (right && CellOf(x + w) < MAP_COLS) col = CellOf(x + w);
  int row0 = CellOf(y);
  int n = CellsSpanned(y, h);
  for (int i = 0; i < n; i++) {
    if (Blocked(map, col, row0 + i)) return true;
  }
  return false;
}

void cProjectile::MoveUp(char* map) {
  if (y % TILE_SIZE != 0) {
    y += speed;
    return;
  }
  int old_y = y;
  y += speed;
  if (CollidesMapRow(map, true)) {
    y = old_y;
    state = PROJ_EXPLODE_UP;
    frame = 0;
    delay = 0;
  }
}

void cProjectile::MoveDown(char* map) {
  if (y % TILE_SIZE != 0) {
    y -= speed;
    return;
  }
  int old_y = y;
  y -= speed;
  if (CollidesMapRow(map, false)) {
    y = old_y;
    state = PROJ_EXPLODE_DOWN;
    frame = 0;
    delay = 0;
  }
}

void cProjectile::MoveLeft(char* map) {
  if (x % TILE_SIZE != 0) {
    x -= speed;
    return;
  }
  int old_x = x;
  x -= speed;
  if (CollidesMapColumn(map, false)) {
    x = old_x;
    state = PROJ_EXPLODE_LEFT;
    frame = 0;
    delay = 0;
  }
}

void cProjectile::MoveRight(char* map) {
  if (x % TILE_SIZE != 0) {
    x += speed;
    return;
  }
  int old_x = x;
  x += speed;
  if (CollidesMapColumn(map, true)) {
    x = old_x;
    state = PROJ_EXPLODE_RIGHT;
    frame = 0;
    delay = 0;
  }
}

bool cProjectile::HitCreature(std::list<cBicho*>& creatures) {
  // Direction of flight; an exploding shot still strikes as the flight it ended.
  int dir = state > PROJ_FLY_LEFT ? state - 4 : state;
  int hurt_state;
  switch (dir) {
    case PROJ_FLY_UP: hurt_state = STATE_HURT_DOWN; break;
    case PROJ_FLY_DOWN: hurt_state = STATE_HURT_UP; break;
    case PROJ_FLY_LEFT: hurt_state = STATE_HURT_RIGHT; break;
    case PROJ_FLY_RIGHT: hurt_state = STATE_HURT_LEFT; break;
    default: return false;
  }

  bool hit = false;
  cRect box = GetHitbox();
  for (cBicho* c : creatures) {
    if (c == nullptr || c->GetState() == STATE_DEAD) continue;
    if (!Collides(box, c->GetHitbox())) continue;

    cPlayer1* guard = dynamic_cast<cPlayer1*>(c);
    if (guard != nullptr && guard->IsGuarding()) {
      guard->ReceiveAttack(13 + dir, damage, x, y);
    } else {
      int new_life = c->GetLife() - damage;
      if (new_life <= 0) {
        c->SetState(STATE_DEAD);
      } else {
        cPlayer* player = dynamic_cast<cPlayer*>(c);
        if (player == nullptr || !player->IsChargedAttack()) {
          c->SetState(hurt_state);
          c->SetFrame(0);
          c->SetDelay(0);
        }
      }
      c->SetLife(new_life < 0 ? 0 : new_life);
    }
    hit = true;
  }
  return hit;
}

bool cProjectile::Logic(char* proj_map, std::list<cBicho*>* targets) {
  if (IsExploding()) return false;

  if (targets != nullptr && HitCreature(*targets)) {
    if (state >= PROJ_FLY_UP && state <= PROJ_FLY_LEFT) state += 4;
    frame = 0;
    delay = 0;
    return true;
  }

  switch (state) {
    case PROJ_FLY_UP: MoveUp(proj_map); break;
    case PROJ_FLY_DOWN: MoveDown(proj_map); break;
    case PROJ_FLY_LEFT:
    case PROJ_FLY_RIGHT:
      if (state == PROJ_FLY_LEFT)
        MoveLeft(proj_map);
      else
        MoveRight(proj_map);
      // The drift step runs even after the sideways step met a wall.
      if (diag_up == 1)
        MoveUp(proj_map);
      else if (diag_down == 1)
        MoveDown(proj_map);
      break;
    default: break;
  }
  return IsExploding();
}

void cProjectile::DrawRect(GLuint tex, float s0, float t0, float s1, float t1) {
  DrawSpriteQuad(tex, x, y, w, h, frame_size * TILE_SIZE, s0, t0, s1, t1);
}

void cProjectile::NextFrame(int n) {
  delay++;
  if (delay == frame_delay) {
    frame = n > 0 ? (frame + 1) % n : 0;
    delay = 0;
  }
}

bool cProjectile::IsExploding() const {
  return state >= PROJ_EXPLODE_UP && state <= PROJ_EXPLODE_LEFT;
}
