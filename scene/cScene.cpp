#include "scene/cScene.h"

#include <cstdio>
#include <string>

#include "io/DataFile.h"
#include "io/LevelText.h"

namespace {

const int NUM_GRIDS = 11;
const int BACK_ANIM_GRID = 3;
const int FAR_DEPTH = 160 * TILE_SIZE + 2;

// Texture-space size of one 16-texel cell of the tileset. A tileset smaller than one cell in
// a direction (0 by 0 when it failed to load) counts as a single cell there.
struct CellGrid {
  int cols;
  float su;
  float tu;
};

CellGrid TilesetCells(int tex_w, int tex_h) {
  int cols = tex_w / SHEET_TILE_SIZE;
  int rows = tex_h / SHEET_TILE_SIZE;
  if (cols < 1) cols = 1;
  if (rows < 1) rows = 1;
  return CellGrid{cols, 1.0f / cols, 1.0f / rows};
}

// Top-left corner of tileset cell (value - 1).
void CellCorner(const CellGrid& g, int value, float* s0, float* t0) {
  const long long cell = static_cast<long long>(value) - 1;
  *s0 = static_cast<float>(cell % g.cols) * g.su;
  *t0 = static_cast<float>(cell / g.cols) * g.tu;
}

// Depth of the quads of a layer grid at a given map row.
int GridDepth(int grid, int row) {
  switch (grid) {
    case 4: return 160 * TILE_SIZE + 1;
    case 6: return row * TILE_SIZE + TILE_SIZE;
    case 7: return row * TILE_SIZE;
    case 8:
    case 9: return 0;
    default: return FAR_DEPTH;
  }
}

void EmitQuad(int x, int y, int z, float s0, float t0, float su, float tu) {
  glTexCoord2f(s0, t0 + tu);
  glVertex3i(x, y, z);
  glTexCoord2f(s0 + su, t0 + tu);
  glVertex3i(x + TILE_SIZE, y, z);
  glTexCoord2f(s0 + su, t0);
  glVertex3i(x + TILE_SIZE, y + TILE_SIZE, z);
  glTexCoord2f(s0, t0);
  glVertex3i(x, y + TILE_SIZE, z);
}

}  // namespace

cScene::cScene() {}

cScene::~cScene() {}

bool cScene::LoadLevel(int level, int tex_w, int tex_h, std::string* why) {
  back_anim_tiles.clear();
  front_anim_tiles.clear();

  const CellGrid cells = TilesetCells(tex_w, tex_h);

  // A directory or a named pipe counts as unreadable; so does a level number too long for
  // the path, whose path is empty.
  FILE* f = OpenDataFile(LevelFilePath("static_layer", level).c_str(), why);
  if (!f) return false;

  // The whole file is read before anything changes, so a short or bad file leaves the
  // previous level in place.
  std::vector<int> values(static_cast<size_t>(NUM_GRIDS) * MAP_CELLS);
  size_t read = 0;
  while (read < values.size() && ReadLevelValue(f, &values[read])) ++read;
  const bool ended = std::feof(f) != 0;
  std::fclose(f);
  if (read < values.size()) {
    if (why) {
      const std::string of = " of " + std::to_string(values.size());
      *why = ended ? "it ends after " + std::to_string(read) + of + " values"
                   : "value " + std::to_string(read + 1) + of + " is not a number an int can hold";
    }
    return false;
  }

  int* const layers[NUM_GRIDS] = {layer0, layer1, layer2, nullptr, layer4, layer5,
                                  layer6, layer7, layer8, layer9,  nullptr};
  const int list_slot[NUM_GRIDS] = {0, 1, 2, -1, 3, 4, 5, 6, 7, 8, -1};

  for (int g = 0; g < NUM_GRIDS; ++g) {
    const int* grid = &values[static_cast<size_t>(g) * MAP_CELLS];
    int* layer = layers[g];
    if (layer) {
      lists[list_slot[g]] = glGenLists(1);
      glNewList(lists[list_slot[g]], GL_COMPILE);
      glBegin(GL_QUADS);
    }
    int k = 0;
    for (int row = MAP_ROWS - 1; row >= 0; --row) {
      for (int col = 0; col < MAP_COLS; ++col) {
        const int value = grid[k++];
        if (layer) layer[col + row * MAP_COLS] = value;
        if (value == 0) continue;
        float s0, t0;
        CellCorner(cells, value, &s0, &t0);
        if (layer) {
          EmitQuad(col * TILE_SIZE, row * TILE_SIZE, GridDepth(g, row), s0, t0, cells.su, cells.tu);
        } else {
          cTile tile;
          tile.SetX(col * TILE_SIZE);
          tile.SetY(row * TILE_SIZE);
          tile.SetS(s0);
          tile.SetT(t0);
          (g == BACK_ANIM_GRID ? back_anim_tiles : front_anim_tiles).push_back(tile);
        }
      }
    }
    if (layer) {
      glEnd();
      glEndList();
    }
  }
  return true;
}

void cScene::BuildCollisionMaps() {
  for (int i = 0; i < MAP_CELLS; ++i) {
    const bool freed = layer4[i] != 0;
    walk_map[i] = (!freed && (layer1[i] || layer2[i] || layer5[i] || layer6[i])) ? 1 : 0;
    proj_map[i] = (!freed && (layer5[i] || layer6[i])) ? 1 : 0;
  }
}

char* cScene::GetWalkMap() { return walk_map; }

char* cScene::GetProjectileMap() { return proj_map; }

void cScene::Draw(GLuint tex_id, int tex_w, int tex_h, bool animate) {
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, tex_id);
  DrawAnimatedTiles(tex_id, tex_w, tex_h);
  for (int i = 8; i >= 0; --i) glCallList(lists[i]);
  glDisable(GL_TEXTURE_2D);

  if (animate) {
    ++anim_count;
    if (anim_count >= 3) {
      anim_frame = (anim_frame + 1) % 4;
      anim_count = 0;
    }
  }
}

void cScene::DrawAnimatedTiles(GLuint, int tex_w, int tex_h) {
  const CellGrid cells = TilesetCells(tex_w, tex_h);
  const float su = cells.su;
  const float tu = cells.tu;
  const int f = anim_frame;

  std::vector<cTile>* const groups[2] = {&back_anim_tiles, &front_anim_tiles};
  const int depths[2] = {FAR_DEPTH, 0};
  for (int k = 0; k < 2; ++k) {
    const int z = depths[k];
    for (cTile& tile : *groups[k]) {
      const int x = tile.GetX();
      const int y = tile.GetY();
      const float s = tile.GetS();
      const float t = tile.GetT();
      glBegin(GL_QUADS);
      glTexCoord2f(s + f * su, t + tu);
      glVertex3i(x, y, z);
      glTexCoord2f(s + (f + 1) * su, t + tu);
      glVertex3i(x + TILE_SIZE, y, z);
      glTexCoord2f(s + (f + 1) * su, t);
      glVertex3i(x + TILE_SIZE, y + TILE_SIZE, z);
      glTexCoord2f(s + f * su, t);
      glVertex3i(x, y + TILE_SIZE, z);
      glEnd();
    }
  }
}
