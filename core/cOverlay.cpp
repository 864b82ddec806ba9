#include "core/cOverlay.h"

#include "common/Globals.h"

namespace {

// value / max as a float in [0, 1]; an empty maximum gives 0.
float Fraction(int value, int max) {
  if (max <= 0) return 0.0f;
  float f = static_cast<float>(static_cast<double>(value) / max);
  if (f < 0.0f) return 0.0f;
  if (f > 1.0f) return 1.0f;
  return f;
}

void BarQuad(float x0, float x1, float y0, float y1) {
  glBegin(GL_QUADS);
  glVertex3f(x0, y0, -1.0f);
  glVertex3f(x1, y0, -1.0f);
  glVertex3f(x1, y1, -1.0f);
  glVertex3f(x0, y1, -1.0f);
  glEnd();
}

}  // namespace

cOverlay::cOverlay() : w(6), h(4) {}

cOverlay::~cOverlay() {}

void cOverlay::SetX(int px) { x = px; }
int cOverlay::GetX() const { return x; }
void cOverlay::SetY(int py) { y = py; }
int cOverlay::GetY() const { return y; }
void cOverlay::SetBarX(int bx) { bar_x = bx; }
int cOverlay::GetWidth() const { return w * TILE_SIZE; }

void cOverlay::Draw(GLuint tex) {
  const float x0 = static_cast<float>(x);
  const float y0 = static_cast<float>(y);
  const float x1 = static_cast<float>(x + w * TILE_SIZE);
  const float y1 = static_cast<float>(y + h * TILE_SIZE);

  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, tex);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(x0, y0, -2.0f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(x1, y0, -2.0f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f(x1, y1, -2.0f);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(x0, y1, -2.0f);
  glEnd();
  glDisable(GL_TEXTURE_2D);
}

void cOverlay::DrawBars(int max_life, int life, int max_energy, int energy) {
  const float f_life = Fraction(life, max_life);
  const float f_energy = Fraction(energy, max_energy);

  const float full = w * TILE_SIZE - 2.5f * TILE_SIZE;
  const int len_life = static_cast<int>(full * f_life);
  const int len_energy = static_cast<int>(full * f_energy);

  const float left = static_cast<float>(x + bar_x);

  // Green at full life, yellow at half, red at none.
  if (f_life >= 0.5f)
    glColor3f(2.0f * (1.0f - f_life), 1.0f, 0.0f);
  else
    glColor3f(1.0f, 2.0f * f_life, 0.0f);
  BarQuad(left, left + len_life, y + 0.625f * TILE_SIZE, y + 0.875f * TILE_SIZE);

  glColor3f(0.2f, 0.5f, 1.0f);
  BarQuad(left, left + len_energy, y + TILE_SIZE / 8.0f, y + 3.0f * TILE_SIZE / 8.0f);

  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}
