#include "tools/levelc/LevelCompiler.h"

#include <sstream>

#include "common/Globals.h"
#include "tools/texgen/TilesetLayout.h"

using namespace TilesetLayout;

namespace {
// The roles of the static layer's grids.
enum GridRole {
  G_GROUND = 0,
  G_LOW = 1,
  G_LOW2 = 2,
  G_BACK_ANIM = 3,
  G_BRIDGE = 4,
  G_WALL = 5,
  G_TALL_BASE = 6,
  G_TALL_TOP = 7,
  G_OVERHEAD = 8,
  G_OVERHEAD2 = 9,
  G_FRONT_ANIM = 10
};

// A small, stable hash so that ground variants look scattered but never change.
unsigned Hash(int column, int row) {
  unsigned h = unsigned(column) * 73856093u ^ unsigned(row) * 19349663u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  return h ^ (h >> 15);
}

std::string GridText(const std::vector<int>& grid) {
  std::ostringstream out;
  for (int row = MAP_ROWS - 1; row >= 0; --row)
    for (int column = 0; column < MAP_COLS; ++column)
      out << grid[size_t(column + row * MAP_COLS)] << (column + 1 < MAP_COLS ? ' ' : '\n');
  return out.str();
}
}  // namespace

LevelCompiler::LevelCompiler(const LevelSource& source)
    : source(source),
      theme(source.Theme()),
      grids(kGrids, std::vector<int>(MAP_CELLS, 0)),
      entities(MAP_CELLS, 0) {
  Build();
}

void LevelCompiler::Put(int grid, int column, int row, int cell) {
  if (column < 0 || column >= MAP_COLS || row < 0 || row >= MAP_ROWS) return;
  grids[size_t(grid)][size_t(column + row * MAP_COLS)] = cell + 1;  // 0 means no tile
}

bool LevelCompiler::IsWall(int column, int row) const {
  const char c = source.At(column, row);
  return c == '#' || c == 'B' || c == 't';
}

bool LevelCompiler::IsLiquid(int column, int row) const {
  const char c = source.At(column, row);
  return c == '~' || c == '=';
}

void LevelCompiler::Ground(int column, int row, char kind) {
  const unsigned h = Hash(column, row);
  const int variant = int(h % kFloorVariants);
  const bool alt = kind == ',';
  int cell;
  if (IsWall(column, row + 1) && !IsWall(column, row)) {
    cell = Cell(theme, alt ? FLOOR_ALT_SHADOW : FLOOR_SHADOW);
  } else if (!alt && IsLiquid(column, row - 1) && !IsLiquid(column, row)) {
    cell = Cell(theme, FLOOR_LIQUID_EDGE);
  } else if (kind == '"' || (!alt && (h >> 8) % 13 == 0)) {
    cell = Cell(theme, FLOOR_DECO, variant);
  } else {
    cell = Cell(theme, alt ? FLOOR_ALT : FLOOR, variant);
  }
  Put(G_GROUND, column, row, cell);
}

void LevelCompiler::Wall(int column, int row, char kind) {
  const bool wall_below = IsWall(column, row - 1) || row == 0;
  const bool open_above = !IsWall(column, row + 1) && row + 1 < MAP_ROWS;
  if (wall_below) {
    // Seen from above: the top of the wall, rimmed on its open sides.
    int mask = 0;
    if (open_above) mask |= WALL_OPEN_ABOVE;
    if (!IsWall(column - 1, row) && column > 0) mask |= WALL_OPEN_LEFT;
    if (!IsWall(column + 1, row) && column + 1 < MAP_COLS) mask |= WALL_OPEN_RIGHT;
    Put(G_WALL, column, row, Cell(theme, WALL_TOP, mask));
    return;
  }
  // The lowest row of a wall shows its face.
  Piece face = WALL_FACE;
  if (kind == 't') {
    face = WALL_FACE_TORCH;
  } else if (Hash(column, row) % 5 == 0) {
    face = (Hash(row, column) & 1) ? WALL_FACE_WINDOW : WALL_FACE_WORN;
  }
  Put(G_WALL, column, row, Cell(theme, face, open_above ? 1 : 0));
  if (kind == 't') Put(G_FRONT_ANIM, column, row, Cell(theme, FRONT_FX));
  if (kind == 'B') Put(G_OVERHEAD, column, row, Cell(theme, BANNER));
}

void LevelCompiler::Liquid(int column, int row) {
  // Under a bank the liquid shows the bank's edge; both grids hold the same
  // first frame so that the static grid still looks right without animation.
  const bool bank = !IsLiquid(column, row + 1);
  const int cell = Cell(theme, bank ? LIQUID_BANK : LIQUID);
  Put(G_BACK_ANIM, column, row, cell);
  Put(G_LOW, column, row, cell);
}

void LevelCompiler::Build() {
  for (int row = 0; row < MAP_ROWS; ++row)
    for (int column = 0; column < MAP_COLS; ++column) {
      const char c = source.At(column, row);
      const int i = column + row * MAP_COLS;
      switch (c) {
        case '#':
        case 'B':
        case 't': Wall(column, row, c); break;
        case '~': Liquid(column, row); break;
        case '=': {
          Liquid(column, row);
          int rails = 0;
          if (source.At(column - 1, row) != '=') rails |= 1;
          if (source.At(column + 1, row) != '=') rails |= 2;
          Put(G_BRIDGE, column, row, Cell(theme, BRIDGE, rails));
          break;
        }
        case ',':
        case '"': Ground(column, row, c); break;
        case '^': {
          // A path that runs through a gateway goes on under its arch.
          const bool path = source.At(column, row - 1) == ',' && source.At(column, row + 1) == ',';
          Ground(column, row, path ? ',' : '.');
          break;
        }
        default: Ground(column, row, '.'); break;
      }
      switch (c) {
        case 'o':
          Put(G_LOW2, column, row, Cell(theme, Hash(column, row) % 3 ? ROCK : RUBBLE));
          break;
        case 'b': Put(G_LOW2, column, row, Cell(theme, BUSH)); break;
        case 'x': Put(G_LOW2, column, row, Cell(theme, theme == FOREST ? STUMP : CRATE)); break;
        case 'p': Put(G_LOW, column, row, Cell(theme, PIT)); break;
        case 'f': {
          const bool left = source.At(column - 1, row) == 'f';
          const bool right = source.At(column + 1, row) == 'f';
          const int part = left && right ? 0 : (right ? 1 : (left ? 2 : 3));
          Put(G_LOW2, column, row, Cell(theme, FENCE, part));
          break;
        }
        case 'T':
        case 'S': {
          const bool second = c == 'T' && Hash(column, row) % 3 == 0;
          const Piece base = c == 'S' ? STATUE_BASE : (second ? TREE2_BASE : TREE_BASE);
          const Piece top = c == 'S' ? STATUE_TOP : (second ? TREE2_TOP : TREE_TOP);
          Put(G_TALL_BASE, column, row, Cell(theme, base));
          Put(G_TALL_TOP, column, row + 1, Cell(theme, top));
          break;
        }
        case '^': {
          const bool wall_left = IsWall(column - 1, row) || source.At(column - 1, row) != '^';
          const bool wall_right = IsWall(column + 1, row) || source.At(column + 1, row) != '^';
          const int part = wall_left && wall_right ? 0 : (wall_left ? 1 : (wall_right ? 3 : 2));
          Put(G_OVERHEAD, column, row, Cell(theme, ARCH, part));
          break;
        }
        case 'v': {
          const bool left = source.At(column - 1, row) == 'v';
          const bool right = source.At(column + 1, row) == 'v';
          const int part = left && right ? 2 : (right ? 1 : (left ? 3 : 0));
          Put(G_OVERHEAD2, column, row, Cell(theme, BRANCHES, part));
          break;
        }
        case '*': Put(G_FRONT_ANIM, column, row, Cell(theme, FRONT_FX2)); break;
        case '1': entities[size_t(i)] = 1; break;
        case '2': entities[size_t(i)] = 2; break;
        case 'm': entities[size_t(i)] = 3; break;
        case 'a': entities[size_t(i)] = 4; break;
        case 'h': entities[size_t(i)] = 5; break;
        default: break;
      }
    }
}

std::string LevelCompiler::StaticText() const {
  std::string text;
  for (const auto& grid : grids) text += GridText(grid);
  return text;
}

std::string LevelCompiler::DynamicText() const { return GridText(entities); }

std::string LevelCompiler::Check() const {
  int players[3] = {0, 0, 0};
  for (int code : entities)
    if (code == 1 || code == 2) ++players[code];
  if (players[1] != 1 || players[2] != 1) return "the map needs exactly one '1' and one '2'";
  static const std::string kBlocksWalking = "#Bt~obfpxTS";
  for (int row = 0; row < MAP_ROWS; ++row)
    for (int column : {0, MAP_COLS - 1})
      if (kBlocksWalking.find(source.At(column, row)) == std::string::npos)
        return "column " + std::to_string(column) + " is walkable at row " + std::to_string(row);
  // An archway spans a gap in the top row of a wall, right over the opening of the wall's
  // face beneath it: the same columns, with wall on both sides in both rows.
  for (int row = 0; row < MAP_ROWS; ++row)
    for (int first = 0; first < MAP_COLS; ++first) {
      if (source.At(first, row) != '^' || source.At(first - 1, row) == '^') continue;
      int last = first;
      while (source.At(last + 1, row) == '^') ++last;
      bool open = IsWall(first - 1, row) && IsWall(last + 1, row) && IsWall(first - 1, row - 1) &&
                  IsWall(last + 1, row - 1);
      for (int column = first; column <= last; ++column) open = open && !IsWall(column, row - 1);
      if (!open)
        return "the archway over column" +
               (first == last ? " " + std::to_string(first)
                              : "s " + std::to_string(first) + "-" + std::to_string(last)) +
               " of row " + std::to_string(row) + " is not over the opening of the wall beneath it";
    }
  return "";
}
