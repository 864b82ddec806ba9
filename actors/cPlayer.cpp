#include "actors/cPlayer.h"
#include "actors/SpriteQuad.h"

namespace {
// Pixel to cell, rounding down so that negative coordinates land outside the grid.
int ToCell(int px) { return px >= 0 ? px / TILE_SIZE : -((-px + TILE_SIZE - 1) / TILE_SIZE); }
bool InGrid(int col, int row) { return col >= 0 && col < MAP_COLS && row >= 0 && row < MAP_ROWS; }
}  // namespace

cPlayer::cPlayer() {
  SetFootprintW(1);
  SetFootprintH(1);
  SetHeight(TILE_SIZE * 3 / 2);
  SetWidth(TILE_SIZE);
  cooldown = 0;
  frame_delay = 4;
  attack_frame_delay = 2;
  frame_size = 4;
  step = TILE_SIZE / 8;
}

cPlayer::~cPlayer() {}

bool cPlayer::CellBlocked(const char* walk_map, int col, int row) {
  if (!InGrid(col, row)) return true;
  return walk_map != nullptr && walk_map[col + row * MAP_COLS] != 0;
}

bool cPlayer::IsHorizontalWalk(int s) {
  return s == STATE_WALK_RIGHT || s == STATE_WALK_LEFT || s == STATE_GUARD_WALK_RIGHT ||
         s == STATE_GUARD_WALK_LEFT;
}

bool cPlayer::IsTileOccupied(std::list<cBicho*>* others, int cell) {
  if (!others) return false;
  for (cBicho* other : *others) {
    if (!other || other->GetState() == STATE_DEAD) continue;
    for (int t : other->GetTiles())
      if (t == cell) return true;
  }
  return false;
}

bool cPlayer::CollidesMapV(char* walk_map, std::list<cBicho*>* others, bool up) {
  const int T = TILE_SIZE;
  int row;
  if (up && ToCell(y + GetFootprintH()) < MAP_ROWS)
    row = ToCell(y + GetFootprintH());
  else
    row = ToCell(y);
  int c0 = ToCell(x);
  int n = footprint_w + (x % T != 0 ? 1 : 0);

  for (int i = 0; i < n; i++)
    if (InGrid(c0 + i, row) && IsTileOccupied(others, (c0 + i) + row * MAP_COLS)) return true;
  for (int i = 1; i <= n - 2; i++)
    if (CellBlocked(walk_map, c0 + i, row)) return true;

  bool l_blocked = CellBlocked(walk_map, c0, row);
  bool r_blocked = CellBlocked(walk_map, c0 + n - 1, row);
  if (!l_blocked && !r_blocked) return false;
  if (l_blocked && r_blocked) return true;
  // Half-met corner: slide toward the free side, unless walking sideways.
  if (!IsHorizontalWalk(state)) x += l_blocked ? step : -step;
  return true;
}

bool cPlayer::CollidesMapH(char* walk_map, std::list<cBicho*>* others, bool right, bool no_slide) {
  const int T = TILE_SIZE;
  int col;
  if (right && ToCell(x + GetFootprintW()) < MAP_COLS)
    col = ToCell(x + GetFootprintW());
  else
    col = ToCell(x);
  int r0 = ToCell(y);
  int n = footprint_h + (y % T != 0 ? 1 : 0);

  for (int i = 0; i < n; i++)
    if (InGrid(col, r0 + i) && IsTileOccupied(others, col + (r0 + i) * MAP_COLS)) return true;
  for (int i = 1; i <= n - 2; i++)
    if (CellBlocked(walk_map, col, r0 + i)) return true;

  bool b_blocked = CellBlocked(walk_map, col, r0);
  bool u_blocked = CellBlocked(walk_map, col, r0 + n - 1);
  if (!b_blocked && !u_blocked) return false;
  if (b_blocked && u_blocked) return true;
  if (!no_slide) y += b_blocked ? step : -step;
  return true;
}

// A vertical step keeps the walking states that may run with it (a diagonal walk keeps its
// sideways animation); any other state turns to walking, or guard walking, that way.
void cPlayer::TurnUp() {
  if (state != STATE_WALK_UP && state != STATE_WALK_RIGHT && state != STATE_WALK_LEFT &&
      state != STATE_GUARD_WALK_UP && state != STATE_GUARD_WALK_RIGHT &&
      state != STATE_GUARD_WALK_LEFT) {
    state = IsGuarding() ? STATE_GUARD_WALK_UP : STATE_WALK_UP;
    frame = 0;
    delay = 0;
  }
}

void cPlayer::TurnDown() {
  if (state != STATE_WALK_RIGHT && state != STATE_WALK_DOWN && state != STATE_WALK_LEFT &&
      state != STATE_GUARD_WALK_RIGHT && state != STATE_GUARD_WALK_DOWN &&
      state != STATE_GUARD_WALK_LEFT) {
    state = IsGuarding() ? STATE_GUARD_WALK_DOWN : STATE_WALK_DOWN;
    frame = 0;
    delay = 0;
  }
}

void cPlayer::MoveUp(char* walk_map, std::list<cBicho*>* others) {
  TurnUp();
  if (y % TILE_SIZE == 0) {
    int old_y = y;
    y += step;
    if (CollidesMapV(walk_map, others, true)) y = old_y;
  } else {
    y += step;
  }
}

void cPlayer::MoveDown(char* walk_map, std::list<cBicho*>* others) {
  TurnDown();
  if (y % TILE_SIZE == 0) {
    int old_y = y;
    y -= step;
    if (CollidesMapV(walk_map, others, false)) y = old_y;
  } else {
    y -= step;
  }
}

void cPlayer::MoveLeft(char* walk_map, std::list<cBicho*>* others, bool no_slide) {
  if (state != STATE_WALK_LEFT && state != STATE_GUARD_WALK_LEFT) {
    state = IsGuarding() ? STATE_GUARD_WALK_LEFT : STATE_WALK_LEFT;
    frame = 0;
    delay = 0;
  }
  if (x % TILE_SIZE == 0) {
    int old_x = x;
    x -= step;
    if (CollidesMapH(walk_map, others, false, no_slide)) x = old_x;
  } else {
    x -= step;
  }
}

void cPlayer::MoveRight(char* walk_map, std::list<cBicho*>* others, bool no_slide) {
  if (state != STATE_WALK_RIGHT && state != STATE_GUARD_WALK_RIGHT) {
    state = IsGuarding() ? STATE_GUARD_WALK_RIGHT : STATE_WALK_RIGHT;
    frame = 0;
    delay = 0;
  }
  if (x % TILE_SIZE == 0) {
    int old_x = x;
    x += step;
    if (CollidesMapH(walk_map, others, true, no_slide)) x = old_x;
  } else {
    x += step;
  }
}

void cPlayer::TryMoveUp(char* walk_map, std::list<cBicho*>* others, int my_y, int other_y,
                        int screen_h) {
  if (my_y <= other_y || my_y - other_y <= screen_h - TILE_SIZE) {
    MoveUp(walk_map, others);
    return;
  }
  // Too far ahead of the other player: only turn.
  TurnUp();
}

void cPlayer::TryMoveDown(char* walk_map, std::list<cBicho*>* others, int my_y, int other_y,
                          int screen_h, int bottom_limit) {
  if (my_y > bottom_limit && (my_y > other_y || other_y - my_y <= screen_h - TILE_SIZE)) {
    MoveDown(walk_map, others);
    return;
  }
  // At the view's bottom edge or too far behind: only turn.
  TurnDown();
}

void cPlayer::DrawRect(GLuint tex_id, float s0, float t0, float s1, float t1) {
  DrawSpriteQuad(tex_id, x, y, w, h, frame_size * TILE_SIZE, s0, t0, s1, t1);
}

void cPlayer::NextFrame(int frames) {
  delay++;
  int limit = (state >= STATE_ATTACK_UP && state <= STATE_CHARGED_ATTACK) ? attack_frame_delay
                                                                          : frame_delay;
  if (delay >= limit) {
    if (frames > 0) frame = (frame + 1) % frames;
    delay = 0;
  }
}

int cPlayer::GetFrameSize() const { return frame_size; }

int cPlayer::GetFrameTop() const {
  int S = frame_size * TILE_SIZE;
  return y + h + (S - h) / 2;
}

int cPlayer::GetFrameBottom() const {
  int S = frame_size * TILE_SIZE;
  return y - (S - h) / 2;
}

void cPlayer::DrawPlayerSheet(GLuint tex_id, int tex_w, int tex_h, bool animate,
                              int charged_frames) {
  static const int facing_column[4] = {1, 2, 0, 2};  // up, right, down, left

  int column = 0, base = 0, frames = 0;
  bool mirrored = false;
  if (state == STATE_DEAD) {
    column = 3;
  } else if (state == STATE_CHARGED_ATTACK) {
    column = 3;
    base = 1;
    frames = charged_frames;
  } else {
    int group_base = 0;
    if (state >= STATE_LOOK_UP && state <= STATE_LOOK_LEFT) {
      group_base = STATE_LOOK_UP;
      base = 0;
      frames = 0;
    } else if (state >= STATE_WALK_UP && state <= STATE_WALK_LEFT) {
      group_base = STATE_WALK_UP;
      base = 1;
      frames = 4;
    } else if (state >= STATE_HURT_UP && state <= STATE_HURT_LEFT) {
      group_base = STATE_HURT_UP;
      base = 12;
      frames = 2;
    } else if (state >= STATE_ATTACK_UP && state <= STATE_ATTACK_LEFT) {
      group_base = STATE_ATTACK_UP;
      base = 5;
      frames = 4;
    } else if (state >= STATE_GUARD_UP && state <= STATE_GUARD_LEFT) {
      group_base = STATE_GUARD_UP;
      base = 9;
      frames = 2;
    } else if (state >= STATE_GUARD_WALK_UP && state <= STATE_GUARD_WALK_LEFT) {
      group_base = STATE_GUARD_WALK_UP;
      base = 10;
      frames = 2;
    } else {
      return;  // no cell for this state
    }
    int facing = state - group_base;  // 0 up, 1 right, 2 down, 3 left
    column = facing_column[facing];
    mirrored = (facing == 3);
  }

  // Coordinates of the frame in force before this call advances it.
  SheetCoords c;
  const bool fits = SheetCellCoords(tex_w, tex_h, frame_size * SHEET_TILE_SIZE, column,
                                    base + frame, mirrored, &c);

  if (animate && frames > 0) NextFrame(frames);

  if (!fits) return;  // sheet smaller than one cell
  DrawRect(tex_id, c.s0, c.t0, c.s1, c.t1);
}

void cPlayer::StartChargedAttack() {
  state = STATE_CHARGED_ATTACK;
  frame = 0;
  delay = 0;
}

void cPlayer::EnterGuard() {
  if (state >= STATE_LOOK_UP && state <= STATE_LOOK_LEFT)
    state = state - STATE_LOOK_UP + STATE_GUARD_UP;
  else if (state >= STATE_WALK_UP && state <= STATE_WALK_LEFT)
    state = state - STATE_WALK_UP + STATE_GUARD_WALK_UP;
  frame = 0;
  delay = 0;
}

void cPlayer::LeaveGuard() {
  if (state >= STATE_GUARD_UP && state <= STATE_GUARD_LEFT)
    state = state - STATE_GUARD_UP + STATE_LOOK_UP;
  else if (state >= STATE_GUARD_WALK_UP && state <= STATE_GUARD_WALK_LEFT)
    state = state - STATE_GUARD_WALK_UP + STATE_LOOK_UP;
}

void cPlayer::Stop() {
  if (state == STATE_CHARGED_ATTACK)
    state = STATE_LOOK_DOWN;
  else if (state >= STATE_GUARD_WALK_UP && state <= STATE_GUARD_WALK_LEFT)
    state = state - STATE_GUARD_WALK_UP + STATE_GUARD_UP;
  else
    cBicho::Stop();
}

bool cPlayer::IsAttacking() const {
  return state >= STATE_ATTACK_UP && state <= STATE_CHARGED_ATTACK;
}
bool cPlayer::IsChargedAttack() const { return state == STATE_CHARGED_ATTACK; }
bool cPlayer::IsGuarding() const {
  return state >= STATE_GUARD_UP && state <= STATE_GUARD_WALK_LEFT;
}
bool cPlayer::IsWalking() const {
  return (state >= STATE_WALK_UP && state <= STATE_WALK_LEFT) ||
         (state >= STATE_GUARD_WALK_UP && state <= STATE_GUARD_WALK_LEFT);
}

void cPlayer::SetMaxEnergy(int e) { max_energy = e; }
int cPlayer::GetMaxEnergy() const { return max_energy; }
void cPlayer::SetEnergy(int e) { energy = e; }
int cPlayer::GetEnergy() const { return energy; }
void cPlayer::SetCharge(int c) { charge = c; }
int cPlayer::GetCharge() const { return charge; }
void cPlayer::SetCooldown(int c) { cooldown = c; }
int cPlayer::GetCooldown() const { return cooldown; }
void cPlayer::SetAttackFrameDelay(int d) { attack_frame_delay = d; }
int cPlayer::GetAttackFrameDelay() const { return attack_frame_delay; }
