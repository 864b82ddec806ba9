#pragma once
#include <GL/glew.h>
#include "common/Globals.h"
#include "actors/cRect.h"

// A pickup lying on one map tile, animated in place.
class cToken {
public:
  cToken();
  virtual ~cToken();

  void SetTile(int tx, int ty);
  int GetX() const;
  int GetY() const;
  cRect GetHitbox() const;
  int GetFrame() const;
  void NextFrame(int n);
  void Draw(GLuint tex_id, int tex_w, int tex_h, bool animate);

protected:
  int x;
  int y;
  int frame;
  int delay;
  int frame_delay;
  int depth_offset;
};
