#include "gfx/cTexture.h"

#include <GL/glu.h>

#include <cstdio>
#include <string>

#include "corona/Corona.h"
#include "io/Message.h"

cTexture::cTexture() {}

cTexture::~cTexture() {}

bool cTexture::Load(const char* file, int type, int wrap_s, int wrap_t, int mag_filter,
                    int min_filter, bool mipmaps, std::string* fault) {
  std::string why;
  CorImage* img = CorOpenImage(file, COR_FF_AUTODETECT, &why);
  img = CorConvertImage(img, COR_PF_DONTCARE);
  const std::string name = std::string("cannot load the texture ") + (file ? file : "(none)");
  auto fail = [&](const std::string& line) {
    if (fault)
      *fault = line;
    else
      Say(line);
    return false;
  };

  int components;
  if (type == GL_RGB) {
    components = 3;
  } else if (type == GL_RGBA) {
    components = 4;
  } else {
    char code[16];
    std::snprintf(code, sizeof code, "0x%x", static_cast<unsigned>(type));
    delete img;
    return fail(name + " (unsupported pixel type " + code + ")");
  }
  if (!img) return fail(name + " (" + why + ")");

  width = img->GetWidth();
  height = img->GetHeight();

  glGenTextures(1, &id);
  glBindTexture(GL_TEXTURE_2D, id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap_s);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap_t);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, mag_filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, min_filter);

  // The decoded buffer is always RGBA; type only chooses what the texture keeps.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  if (mipmaps) {
    gluBuild2DMipmaps(GL_TEXTURE_2D, components, width, height, GL_RGBA, GL_UNSIGNED_BYTE,
                      img->GetPixels());
  } else {
    glTexImage2D(GL_TEXTURE_2D, 0, components, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 img->GetPixels());
  }
  delete img;
  return true;
}

GLuint cTexture::GetID() { return id; }

void cTexture::GetSize(int* w, int* h) {
  *w = width;
  *h = height;
}
