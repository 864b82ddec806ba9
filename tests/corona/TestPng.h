#pragma once

#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

// Small PNG encoder for tests: any colour type, bit depth, palette, tRNS and interlacing.
namespace TestPng {

struct PngDesc {
  int width = 1;
  int height = 1;
  int bit_depth = 8;
  int color_type = PNG_COLOR_TYPE_RGBA;
  bool interlaced = false;
  // Rows top first, packed the way PNG stores them (16-bit samples big-endian).
  std::vector<unsigned char> samples;
  std::vector<png_color> palette;
  std::vector<unsigned char> palette_alpha;  // tRNS for palette images
  bool has_trns_color = false;               // tRNS for grey and RGB images
  png_color_16 trns_color{};
};

// The PNG file bytes, or an empty string when libpng refuses the desc.
std::string Encode(const PngDesc& desc);

// An 8-bit RGBA image from w * h * 4 bytes, top row first.
std::string Rgba(int w, int h, const std::vector<unsigned char>& rgba);

// The same file with the header's width and height replaced (checksum fixed up).
std::string WithSize(const std::string& png, uint32_t w, uint32_t h);

// Offset of the first byte of the first IDAT chunk's data, or 0 when there is none.
size_t IdatOffset(const std::string& png);

}  // namespace TestPng
