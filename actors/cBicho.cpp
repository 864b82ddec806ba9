#include "actors/cBicho.h"

cBicho::cBicho() {
  state = STATE_LOOK_DOWN;
  frame = 0;
  delay = 0;
}

cBicho::~cBicho() {}

void cBicho::Draw(GLuint, int, int, bool) {}

void cBicho::SetTile(int tx, int ty) {
  x = tx * TILE_SIZE;
  y = ty * TILE_SIZE;
}

cRect cBicho::GetHitbox() const {
  cRect r;
  r.left = x;
  r.top = y + h;
  r.right = x + w;
  r.bottom = y;
  return r;
}

bool cBicho::Collides(cRect a, cRect b) const {
  return a.top > b.bottom && b.top > a.bottom && a.left < b.right && b.left < a.right;
}

bool cBicho::ContainsPoint(cRect r, int px, int py) const {
  return r.left <= px && px < r.right && r.bottom <= py && py < r.top;
}

std::vector<int> cBicho::GetTiles() const {
  int tx = x / TILE_SIZE;
  int ty = y / TILE_SIZE;
  int nw = footprint_w + (x % TILE_SIZE != 0 ? 1 : 0);
  int nh = footprint_h + (y % TILE_SIZE != 0 ? 1 : 0);
  std::vector<int> tiles;
  if (nw > 0 && nh > 0) tiles.reserve(nw * nh);
  for (int i = 0; i < nw; i++)
    for (int j = 0; j < nh; j++) tiles.push_back((tx + i) + (ty + j) * MAP_COLS);
  return tiles;
}

void cBicho::Stop() {
  switch (state) {
    case STATE_WALK_UP:
    case STATE_HURT_UP:
    case STATE_ATTACK_UP: state = STATE_LOOK_UP; break;
    case STATE_WALK_RIGHT:
    case STATE_HURT_RIGHT:
    case STATE_ATTACK_RIGHT: state = STATE_LOOK_RIGHT; break;
    case STATE_WALK_DOWN:
    case STATE_HURT_DOWN:
    case STATE_ATTACK_DOWN: state = STATE_LOOK_DOWN; break;
    case STATE_WALK_LEFT:
    case STATE_HURT_LEFT:
    case STATE_ATTACK_LEFT: state = STATE_LOOK_LEFT; break;
    default: break;
  }
}

void cBicho::StartAttack() {
  switch (state) {
    case STATE_LOOK_UP:
    case STATE_WALK_UP: state = STATE_ATTACK_UP; break;
    case STATE_LOOK_RIGHT:
    case STATE_WALK_RIGHT: state = STATE_ATTACK_RIGHT; break;
    case STATE_LOOK_DOWN:
    case STATE_WALK_DOWN: state = STATE_ATTACK_DOWN; break;
    case STATE_LOOK_LEFT:
    case STATE_WALK_LEFT: state = STATE_ATTACK_LEFT; break;
    default: break;
  }
  frame = 0;
  delay = 0;
}

bool cBicho::IsLooking() const { return state >= STATE_LOOK_UP && state <= STATE_LOOK_LEFT; }
bool cBicho::IsWalking() const { return state >= STATE_WALK_UP && state <= STATE_WALK_LEFT; }
bool cBicho::IsAttacking() const { return state >= STATE_ATTACK_UP && state <= STATE_ATTACK_LEFT; }
bool cBicho::IsHurt() const { return state >= STATE_HURT_UP && state <= STATE_HURT_LEFT; }

void cBicho::SetPosition(int px, int py) {
  x = px;
  y = py;
}
void cBicho::SetX(int px) { x = px; }
int cBicho::GetX() const { return x; }
void cBicho::SetY(int py) { y = py; }
int cBicho::GetY() const { return y; }
void cBicho::SetWidth(int width) { w = width; }
int cBicho::GetWidth() const { return w; }
void cBicho::SetHeight(int height) { h = height; }
int cBicho::GetHeight() const { return h; }
void cBicho::SetFootprintW(int tiles) { footprint_w = tiles; }
int cBicho::GetFootprintW() const { return footprint_w * TILE_SIZE; }
void cBicho::SetFootprintH(int tiles) { footprint_h = tiles; }
int cBicho::GetFootprintH() const { return footprint_h * TILE_SIZE; }
void cBicho::SetState(int s) { state = s; }
int cBicho::GetState() const { return state; }
void cBicho::SetFrame(int f) { frame = f; }
int cBicho::GetFrame() const { return frame; }
void cBicho::SetDelay(int d) { delay = d; }
int cBicho::GetDelay() const { return delay; }
void cBicho::SetMaxLife(int ml) { max_life = ml; }
int cBicho::GetMaxLife() const { return max_life; }
void cBicho::SetLife(int l) { life = l; }
int cBicho::GetLife() const { return life; }
void cBicho::SetDamage(int d) { damage = d; }
int cBicho::GetDamage() const { return damage; }
