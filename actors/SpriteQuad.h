#pragma once
#include <GL/glew.h>

// Draws a sprite: a square of `size` pixels centred on the hitbox (x, y, w, h), at depth z = y,
// with texture coordinates (s0, t0) at its bottom-left corner and (s1, t1) at its top-right.
void DrawSpriteQuad(GLuint tex_id, int x, int y, int w, int h, int size, float s0, float t0,
                    float s1, float t1);
