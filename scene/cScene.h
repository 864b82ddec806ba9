#pragma once

#include <GL/glew.h>

#include <string>
#include <vector>

#include "common/Globals.h"
#include "scene/cTile.h"

// One level's static scenery: tile layers, their display lists, the animated tiles and the
// two collision maps (1 blocked, 0 free; cell = column + row * MAP_COLS, row 0 at the bottom).
class cScene {
public:
  cScene();
  virtual ~cScene();

  // Reads Levels/static_layerNN.txt. False when the file cannot be opened, is not a regular
  // file or cannot be read in full (a short file, or text that is not a number an int can
  // hold); then only the animated tiles are cleared, and *why, when given, says why.
  bool LoadLevel(int level, int tex_w, int tex_h, std::string* why = nullptr);
  void BuildCollisionMaps();
  char* GetWalkMap();
  char* GetProjectileMap();

  // Draws the animated tiles and the nine layer lists with the tileset bound; advances the
  // tile animation when animate is true.
  void Draw(GLuint tex_id, int tex_w, int tex_h, bool animate);

private:
  void DrawAnimatedTiles(GLuint tex_id, int tex_w, int tex_h);

  int layer0[MAP_CELLS] = {};
  int layer1[MAP_CELLS] = {};
  int layer2[MAP_CELLS] = {};
  std::vector<cTile> back_anim_tiles;
  std::vector<cTile> front_anim_tiles;
  int layer4[MAP_CELLS] = {};
  int layer5[MAP_CELLS] = {};
  int layer6[MAP_CELLS] = {};
  int layer7[MAP_CELLS] = {};
  int layer8[MAP_CELLS] = {};
  int layer9[MAP_CELLS] = {};
  GLuint lists[9] = {};
  char walk_map[MAP_CELLS] = {};
  char proj_map[MAP_CELLS] = {};
  int anim_frame = 0;
  int anim_count = 0;
};
