#include "tools/DataImage.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

bool DataImage::Load(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  width = int(png_get_image_width(png, info));
  height = int(png_get_image_height(png, info));
  rgba8 = png_get_color_type(png, info) == PNG_COLOR_TYPE_RGBA && png_get_bit_depth(png, info) == 8;
  pixels.clear();
  if (rgba8) {
    png_bytepp rows = png_get_rows(png, info);
    pixels.resize(size_t(width) * size_t(height) * 4);
    for (int y = 0; y < height; ++y)
      std::copy(rows[y], rows[y] + size_t(width) * 4,
                pixels.begin() + std::ptrdiff_t(size_t(y) * size_t(width) * 4));
  }
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
  return true;
}

int DataImage::Alpha(int x, int y) const {
  if (!rgba8 || x < 0 || y < 0 || x >= width || y >= height) return 0;
  return pixels[(size_t(y) * size_t(width) + size_t(x)) * 4 + 3];
}

uint32_t DataImage::Texel(int x, int y) const {
  if (!rgba8 || x < 0 || y < 0 || x >= width || y >= height) return 0;
  const uint8_t* p = &pixels[(size_t(y) * size_t(width) + size_t(x)) * 4];
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

int DataImage::CountOpaque(int x, int y, int w, int h) const {
  int n = 0;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) n += Alpha(i, j) != 0;
  return n;
}

bool DataImage::SameBox(int x0, int y0, int x1, int y1, int w, int h) const {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (Texel(x0 + i, y0 + j) != Texel(x1 + i, y1 + j)) return false;
  return true;
}

bool DataImage::MirrorSymmetric(int x, int y, int w, int h) const {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w / 2; ++i)
      if (Texel(x + i, y + j) != Texel(x + w - 1 - i, y + j)) return false;
  return true;
}

namespace DataFiles {
std::string Texture(const std::string& name) {
  return std::string(KELVARA_DATA_DIR) + "/Textures/" + name;
}
std::string Level(const std::string& name) {
  return std::string(KELVARA_DATA_DIR) + "/Levels/" + name;
}

bool ReadAll(const std::string& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  *bytes = s.str();
  return true;
}

int Run(const std::string& command) {
  const int status = std::system(command.c_str());
  if (status == -1 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}
}  // namespace DataFiles
