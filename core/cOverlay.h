#pragma once
#include <GL/glew.h>

// A player's HUD panel: a textured 6x4-tile rectangle pinned to a bottom corner
// of the view, with a life bar and an energy bar drawn behind it.
class cOverlay {
public:
  cOverlay();
  ~cOverlay();

  void SetX(int px);
  int GetX() const;
  void SetY(int py);
  int GetY() const;
  void SetBarX(int bx);
  // Panel width in pixels.
  int GetWidth() const;

  // The panel quad at z -2 with texture tex.
  void Draw(GLuint tex);
  // The life and energy bars at z -1 (untextured, fixed-function colour).
  void DrawBars(int max_life, int life, int max_energy, int energy);

private:
  int x = 0;      // left edge, world px
  int y = 0;      // bottom edge, world px (kept at the view's bottom)
  int w;          // tiles
  int h;          // tiles
  int bar_x = 0;  // bars' x offset from the left edge, px
};
