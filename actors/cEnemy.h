#pragma once
#include <GL/glew.h>
#include <list>
#include <vector>

#include "actors/cBicho.h"
#include "common/Globals.h"

// Common base of the two monster kinds: sprite sheet, animation, the
// one-step walk, and the occupancy rules both kinds use to pick a tile.
class cEnemy : public cBicho {
public:
  cEnemy();
  virtual ~cEnemy();
  void Draw(GLuint tex_id, int tex_w, int tex_h, bool animate) override;

  void DrawRect(GLuint tex_id, float s0, float t0, float s1, float t1);
  void NextFrame(int frame_count);
  // Top and bottom edges of the drawn sprite square.
  int GetFrameTop() const;
  int GetFrameBottom() const;
  void SetFrameSize(int tiles);
  int GetFrameSize() const;
  void Walk();

protected:
  // Walk map as ints, with the other monsters (dying ones too) marked 1 and
  // the players 2. Only cells inside the map are marked.
  void BuildOccupancy(int* new_collision_map, const char* walk_map, std::list<cBicho*>* enemies,
                      cBicho* p1, cBicho* p2) const;
  // Walking states of the free neighbours, in the order up, down, right, left.
  // A neighbour off the map (no wrap across the side edges) is blocked.
  std::vector<int> FreeDirections(const int* new_collision_map,
                                  const std::vector<int>& occupied_tiles) const;
  // Random free direction, overridden by the preferred one when free, then a
  // first step. Draws one rand() only when something is free.
  void PickStep(const std::vector<int>& choices, int preferred);
  // Sets a walking state back toward the nearest grid line; false when on the grid.
  bool Realign();

  int frame_delay = 3;
  int attack_frame_delay = 3;
  int dying_frame_delay = 2;
  int frame_size = 0;
  int step = TILE_SIZE / 8;
};
