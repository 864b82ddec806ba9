#include "corona/TestPng.h"

#include <zlib.h>

#include <csetjmp>

namespace TestPng {

namespace {
void Append(png_structp png, png_bytep data, png_size_t len) {
  auto* out = static_cast<std::string*>(png_get_io_ptr(png));
  out->append(reinterpret_cast<const char*>(data), len);
}
void Flush(png_structp) {}

uint32_t ReadBE(const std::string& s, size_t at) {
  return (uint32_t(uint8_t(s[at])) << 24) | (uint32_t(uint8_t(s[at + 1])) << 16) |
         (uint32_t(uint8_t(s[at + 2])) << 8) | uint32_t(uint8_t(s[at + 3]));
}
void WriteBE(std::string& s, size_t at, uint32_t v) {
  s[at] = char(v >> 24);
  s[at + 1] = char(v >> 16);
  s[at + 2] = char(v >> 8);
  s[at + 3] = char(v);
}
}  // namespace

std::string Encode(const PngDesc& desc) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<png_bytep> rows(desc.height);
  const size_t row_bytes = desc.height > 0 ? desc.samples.size() / desc.height : 0;
  for (int y = 0; y < desc.height; ++y)
    rows[y] = const_cast<png_bytep>(desc.samples.data() + y * row_bytes);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return std::string();
  }
  png_set_write_fn(png, &out, Append, Flush);
  png_set_IHDR(png, info, desc.width, desc.height, desc.bit_depth, desc.color_type,
               desc.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!desc.palette.empty())
    png_set_PLTE(png, info, desc.palette.data(), static_cast<int>(desc.palette.size()));
  if (!desc.palette_alpha.empty())
    png_set_tRNS(png, info, desc.palette_alpha.data(), static_cast<int>(desc.palette_alpha.size()),
                 nullptr);
  if (desc.has_trns_color) png_set_tRNS(png, info, nullptr, 0, &desc.trns_color);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::string Rgba(int w, int h, const std::vector<unsigned char>& rgba) {
  PngDesc s;
  s.width = w;
  s.height = h;
  s.samples = rgba;
  return Encode(s);
}

std::string WithSize(const std::string& png, uint32_t w, uint32_t h) {
  std::string out = png;
  // Signature (8), IHDR length (4), "IHDR" at 12, data at 16, CRC after 13 data bytes.
  WriteBE(out, 16, w);
  WriteBE(out, 20, h);
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32(crc, reinterpret_cast<const Bytef*>(out.data() + 12), 17);
  WriteBE(out, 29, static_cast<uint32_t>(crc));
  return out;
}

size_t IdatOffset(const std::string& png) {
  size_t at = 8;
  while (at + 8 <= png.size()) {
    const uint32_t len = ReadBE(png, at);
    if (png.compare(at + 4, 4, "IDAT") == 0) return at + 8;
    at += 12 + len;
  }
  return 0;
}

}  // namespace TestPng
