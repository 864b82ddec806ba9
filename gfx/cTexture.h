#pragma once

#include <GL/glew.h>

#include <string>

// One image file turned into one OpenGL 2D texture.
class cTexture {
public:
  cTexture();
  ~cTexture();

  // Loads file into a new texture. type is GL_RGB or GL_RGBA; the four integers are texture
  // parameter values; mipmaps builds a full chain. A failed load leaves every field as it was
  // and is named on standard error, or in *fault when fault is given.
  bool Load(const char* file, int type, int wrap_s, int wrap_t, int mag_filter, int min_filter,
            bool mipmaps, std::string* fault = nullptr);
  GLuint GetID();
  void GetSize(int* w, int* h);

private:
  GLuint id = 0;
  int width = 0;
  int height = 0;
};
