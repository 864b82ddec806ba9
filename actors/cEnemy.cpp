#include "actors/cEnemy.h"
#include "actors/SpriteQuad.h"

#include <cstdlib>

namespace {

// Sheet cell of a state: row, whether it animates (and over how many frames),
// and whether it is drawn mirrored.
struct SheetCell {
  int row;
  int frames;  // 0: static, column 5
  bool mirrored;
};

bool LookUpCell(int state, SheetCell& cell) {
  switch (state) {
    case STATE_LOOK_UP: cell = {1, 0, false}; return true;
    case STATE_LOOK_RIGHT: cell = {2, 0, false}; return true;
    case STATE_LOOK_DOWN: cell = {0, 0, false}; return true;
    case STATE_LOOK_LEFT: cell = {2, 0, true}; return true;
    case STATE_WALK_UP: cell = {1, 6, false}; return true;
    case STATE_WALK_RIGHT: cell = {2, 6, false}; return true;
    case STATE_WALK_DOWN: cell = {0, 6, false}; return true;
    case STATE_WALK_LEFT: cell = {2, 6, true}; return true;
    case STATE_HURT_UP: cell = {4, 6, false}; return true;
    case STATE_HURT_RIGHT: cell = {5, 6, false}; return true;
    case STATE_HURT_DOWN: cell = {3, 6, false}; return true;
    case STATE_HURT_LEFT: cell = {5, 6, true}; return true;
    case STATE_ATTACK_UP: cell = {7, 10, false}; return true;
    case STATE_ATTACK_RIGHT: cell = {8, 10, false}; return true;
    case STATE_ATTACK_DOWN: cell = {6, 10, false}; return true;
    case STATE_ATTACK_LEFT: cell = {8, 10, true}; return true;
    case STATE_DEAD: cell = {9, 10, false}; return true;
    default: return false;
  }
}

// Floor division, so cells left of or below the map get negative indices.
int FloorDiv(int v, int d) {
  int q = v / d;
  if ((v % d != 0) && ((v < 0) != (d < 0))) --q;
  return q;
}

}  // namespace

cEnemy::cEnemy()
    : frame_delay(3), attack_frame_delay(3), dying_frame_delay(2), step(TILE_SIZE / 8) {}

cEnemy::~cEnemy() {}

void cEnemy::Draw(GLuint tex_id, int tex_w, int tex_h, bool animate) {
  SheetCell cell;
  if (!LookUpCell(state, cell)) return;  // no cell for this state
  // The cell of the frame in force before this call advances it.
  const int column = cell.frames ? frame : 5;
  SheetCoords c;
  const bool fits = SheetCellCoords(tex_w, tex_h, frame_size * SHEET_TILE_SIZE, column, cell.row,
                                    cell.mirrored, &c);

  // The animation runs even on a sheet too small to show it: the game ends attacks, hurts and
  // deaths by its counters.
  if (cell.frames && animate) NextFrame(cell.frames);

  if (!fits) return;
  DrawRect(tex_id, c.s0, c.t0, c.s1, c.t1);
}

void cEnemy::DrawRect(GLuint tex_id, float s0, float t0, float s1, float t1) {
  DrawSpriteQuad(tex_id, x, y, w, h, frame_size * TILE_SIZE, s0, t0, s1, t1);
}

void cEnemy::NextFrame(int frame_count) {
  if (frame_count <= 0) return;
  bool advanced = false;
  delay++;
  if (state >= STATE_ATTACK_UP && state <= STATE_ATTACK_LEFT) {
    if (delay == attack_frame_delay) advanced = true;
  } else if (state == STATE_DEAD && delay == dying_frame_delay) {
    advanced = true;
  }
  if (advanced) {
    frame = (frame + 1) % frame_count;
    delay = 0;
  }
  if (delay == frame_delay) {
    frame = (frame + 1) % frame_count;
    delay = 0;
  }
}

int cEnemy::GetFrameTop() const {
  const int s = frame_size * TILE_SIZE;
  return y + h + (s - h) / 2;
}

int cEnemy::GetFrameBottom() const {
  const int s = frame_size * TILE_SIZE;
  return y - (s - h) / 2;
}

void cEnemy::SetFrameSize(int tiles) { frame_size = tiles; }

int cEnemy::GetFrameSize() const { return frame_size; }

void cEnemy::Walk() {
  if (state == STATE_WALK_UP)
    y += step;
  else if (state == STATE_WALK_DOWN)
    y -= step;
  else if (state == STATE_WALK_RIGHT)
    x += step;
  else if (state == STATE_WALK_LEFT)
    x -= step;
}

void cEnemy::BuildOccupancy(int* new_collision_map, const char* walk_map,
                            std::list<cBicho*>* enemies, cBicho* p1, cBicho* p2) const {
  for (int i = 0; i < MAP_CELLS; i++) new_collision_map[i] = walk_map[i];

  // Marks a creature's tile list, keeping only the cells that lie inside the
  // map where the creature really is (no wrap across the side edges).
  auto mark = [new_collision_map](const cBicho* c, int value) {
    const int col_lo = FloorDiv(c->GetX(), TILE_SIZE);
    const int col_hi = FloorDiv(c->GetX() + c->GetFootprintW() - 1, TILE_SIZE);
    const int row_lo = FloorDiv(c->GetY(), TILE_SIZE);
    const int row_hi = FloorDiv(c->GetY() + c->GetFootprintH() - 1, TILE_SIZE);
    std::vector<int> tiles = c->GetTiles();
    for (int t : tiles) {
      if (t < 0 || t >= MAP_CELLS) continue;
      const int col = t % MAP_COLS;
      const int row = t / MAP_COLS;
      if (col < col_lo || col > col_hi || row < row_lo || row > row_hi) continue;
      new_collision_map[t] = value;
    }
  };

  if (enemies) {
    for (std::list<cBicho*>::iterator it = enemies->begin(); it != enemies->end(); ++it) {
      if (*it == this) continue;
      mark(*it, 1);
    }
  }
  if (p1) mark(p1, 2);
  if (p2) mark(p2, 2);
}

std::vector<int> cEnemy::FreeDirections(const int* new_collision_map,
                                        const std::vector<int>& occupied_tiles) const {
  // Neighbour of cell t in a direction, or -1 when it lies off the map.
  auto neighbour = [](int t, int dir) {
    if (t < 0 || t >= MAP_CELLS) return -1;
    const int col = t % MAP_COLS;
    const int row = t / MAP_COLS;
    switch (dir) {
      case DIR_UP: return row + 1 < MAP_ROWS ? t + MAP_COLS : -1;
      case DIR_DOWN: return row > 0 ? t - MAP_COLS : -1;
      case DIR_RIGHT: return col + 1 < MAP_COLS ? t + 1 : -1;
      case DIR_LEFT: return col > 0 ? t - 1 : -1;
    }
    return -1;
  };

  static const int order[4][2] = {{DIR_UP, STATE_WALK_UP},
                                  {DIR_DOWN, STATE_WALK_DOWN},
                                  {DIR_RIGHT, STATE_WALK_RIGHT},
                                  {DIR_LEFT, STATE_WALK_LEFT}};
  std::vector<int> choices;
  for (const auto& d : order) {
    bool blocked = false;
    for (size_t i = 0; i < occupied_tiles.size() && !blocked; i++) {
      const int n = neighbour(occupied_tiles[i], d[0]);
      blocked = n < 0 || new_collision_map[n] != 0;
    }
    if (!blocked) choices.push_back(d[1]);
  }
  return choices;
}

void cEnemy::PickStep(const std::vector<int>& choices, int preferred) {
  if (choices.empty()) return;
  const int r = rand();
  state = choices[r % static_cast<int>(choices.size())];
  for (size_t i = 0; i < choices.size(); i++) {
    if (choices[i] == preferred) state = preferred;
  }
  Walk();
}

bool cEnemy::Realign() {
  const int rx = x % TILE_SIZE;
  if (rx != 0) {
    state = rx < TILE_SIZE / 2 ? STATE_WALK_LEFT : STATE_WALK_RIGHT;
    return true;
  }
  const int ry = y % TILE_SIZE;
  if (ry != 0) {
    state = ry < TILE_SIZE / 2 ? STATE_WALK_DOWN : STATE_WALK_UP;
    return true;
  }
  return false;
}
