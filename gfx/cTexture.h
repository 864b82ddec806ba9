#pragma once

#include <GL/glew.h>

// One image file turned into one OpenGL 2D texture.
class cTexture {
public:
  cTexture();
  ~cTexture();

  // Loads file into a new texture. type is GL_RGB or GL_RGBA; the four integers are texture
  // parameter values; mipmaps builds a full chain. A failed load leaves every field as it was.
  bool Load(const char* file, int type, int wrap_s, int wrap_t, int mag_filter, int min_filter,
            bool mipmaps);
  GLuint GetID();
  void GetSize(int* w, int* h);

private:
  GLuint id = 0;
  int width = 0;
  int height = 0;
};
